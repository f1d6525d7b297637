#include "bar/FPrincipaleWin32.h"

#include <shellapi.h>
#include <windowsx.h>

#include "bar/BarPicturesWin32.h"
#include "copy/MusicCopyWin32.h"
#include "system/FArreterWin32.h"
#include "system/FMiseAJourWin32.h"
#include "system/UpdateTransportWin32.h"
#include "player/Winamp.h"
#include "schedule/InfoTwin.h"
#include "settings/EncodingWin32.h"
#include "settings/Option.h"
#include "settings/RegistryWin32.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsWin32.h"
#include "settings/SystemWin32.h"
#include "ui/PopupMenuWin32.h"

namespace pilotune {

namespace {
constexpr UINT kTickMs = 500;
constexpr UINT kPlanificationMs = 1000;
constexpr UINT kUpdateDelayMs = 2000;
constexpr int kSeekBand = 10; // pixels around the progress bar's top that seek

bool IsTitle(const Element* e) {
    return e && (e->name == "lblTitreB" || e->name == "lblTitreN");
}
bool IsTime(const Element* e) {
    return e && (e->name == "lblDureeB" || e->name == "lblDureeN");
}

// The folder of the running program, with its final backslash.
std::string ProgramFolder() {
    const std::string exe = ExecutablePath();
    return exe.substr(0, exe.find_last_of('\\') + 1);
}

RECT PrimaryScreen() {
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}
} // namespace

TfrmPrincipale::TfrmPrincipale(SettingsStore& store, COption& option, TPilotune& player,
                               CPlanification& plan)
    : store_(store), option_(option), player_(player), plan_(plan),
      logic_(option, player, store, static_cast<BarServices&>(*this)), programmeLink_(player),
      programmeView_(logic_.state), programmes_(option, store, programmeLink_, programmeView_),
      raccourcis_(option,
                  [this](int action, bool modeFlag, const std::string& parameter) {
                      logic_.dispatcher.ExecuterAction(action, modeFlag, parameter);
                  }),
      background_(ProgramFolder()), painter_([this](HDC dc, const Element& e) {
          if (e.name == "imgFond") background_.Draw(dc, e);
          else DrawBarPicture(dc, e.picture, e.bounds);
      }) {
    plan_.SetRunner([this](int action, const std::string& parameter) {
        logic_.dispatcher.ExecuterAction(action, false, parameter);
    });
    // Shortcut keys: the hook library, when one is needed, lies beside the exe.
    hokKey_.SetRepertoireDll(ProgramFolder());
    hokKey_.OnHookKeyDown = [this](THookKeyboard&, std::uint16_t, const std::string& text) {
        raccourcis_.ToucheEnfoncee(text);
    };
}

TfrmPrincipale::~TfrmPrincipale() = default;

bool TfrmPrincipale::Create() {
    // Bar creation, in order: empty loop count and progress, stored position,
    // layout, settings, topmost, the current track recorded, play, the tick.
    BarState& bar = logic_.state;
    bar.twins.nbBoucle.SetText("");
    bar.twins.avance.B().bounds.width = 0;
    bar.twins.avance.N().bounds.width = 0;
    bar.hideCounter = 0;
    const int left = store_.ReadInteger(kSectionOption, "PositionLeft", 450, true);
    const int top = store_.ReadInteger(kSectionOption, "PositionTop", 0, true);
    const BarSize size = LayoutBar(bar.scene, PrimaryScreen().right, left);
    width_ = size.width;
    // A tool window has no taskbar button; topmost from the start.
    if (!Window::Create(kBarClass, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP, kBarCaption, left,
                        top, size.width, size.height, nullptr,
                        LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1))))
        return false;
    tooltip_.Attach(Handle());
    hokKey_.Loaded();
    // The tray icon opens the main menu; its left click shows the bar.
    pbtTray_ = std::make_unique<TPiconeBarreTache>(Handle());
    pbtTray_->SetIcone(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)));
    pbtTray_->SetGrandeIconeVisible(false);
    pbtTray_->SetHint("Pilotune");
    pbtTray_->MenuPop = [this](POINT screen) { OpenMenu(logic_.state.menus.principale.Name(), screen); };
    pbtTray_->Loaded();
    ApplySettings();
    SetTopMost(Handle(), -1);
    logic_.monitor.Start();
    if (player_.Etat() != 1) player_.Jouer();
    SetTimer(Handle(), kTmr, kTickMs, nullptr);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    FirstShow();
    return true;
}

void TfrmPrincipale::FirstShow() {
    if (shown_) return;
    shown_ = true;
    const int opened = store_.ReadInteger(kSectionOption, "NbOuvert", 0, true) + 1;
    if (opened == 1) logic_.dispatcher.ExecuterAction(AFFICHEOPTION, false);
    store_.WriteInteger(kSectionOption, "NbOuvert", opened, true);
}

void TfrmPrincipale::ApplySettings() {
    Dispatcher& d = logic_.dispatcher;
    d.ExecuterAction(CACHERAUTOPROG, true);
    d.ExecuterAction(BOUCLE, true);
    d.ExecuterAction(EXTRAIT, true);
    if (option_.LancerDemarrageWindows)
        // Quoted, so that a path with blanks cannot start another program.
        WriteRegistryText(kRunValuePath, "\"" + ExecutablePath() + "\" WindowsLanceDebut");
    else
        DeleteRegistryValue(kRunValuePath);
    d.ExecuterAction(CACHERWINAMP, true);
    background_.ApplyTransparency(Handle(), logic_.state.scene["imgFond"], option_.Transparent);
    if (pbtTray_) pbtTray_->SetPetiteIconeVisible(option_.Systray);
    MenuItem& lire = logic_.state.menus.principale["mnuLireProg"];
    if (!lire.checked) d.ExecuterAction(LECTUREPROGRAMME, true);
    d.ExecuterAction(ENREGISTREPROGRAMME, true);
    lire.caption = "Lire le programme : " + option_.ProgTitre;
    hokKey_.SetEnabled(HookActifSelonReglages(option_));
    logic_.state.twins.copier.SetVisible(option_.AfficheBT);
    if (plan_.Activer) SetTimer(Handle(), kTmrPlanification, kPlanificationMs, nullptr);
    else KillTimer(Handle(), kTmrPlanification);
    ScheduleUpdateInfo();
    if (FullScreenExists()) RefreshFullScreenView();
    if (option_.MAJ) SetTimer(Handle(), kTmrMaj, kUpdateDelayMs, nullptr);
    else KillTimer(Handle(), kTmrMaj);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmPrincipale::Layout() {
    RECT r{};
    GetWindowRect(Handle(), &r);
    const BarSize size = LayoutBar(logic_.state.scene, PrimaryScreen().right, r.left);
    width_ = size.width;
    SetWindowPos(Handle(), nullptr, 0, 0, size.width, logic_.state.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmPrincipale::OnTick() {
    const int before = logic_.state.height;
    logic_.monitor.Tick();
    if (!Handle()) return; // the tick closed the program
    if (logic_.state.height != before) {
        SetWindowPos(Handle(), nullptr, 0, 0, width_, logic_.state.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Most ticks change nothing that shows: paint only when the scene changed.
    if (!(logic_.state.scene == painted_)) InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmPrincipale::HideSelection() {
    Element* selection = logic_.state.scene.Find("shaSelection");
    if (selection && selection->visible) {
        selection->visible = false;
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

void TfrmPrincipale::OnMouseMove(int x, int y) {
    logic_.monitor.MouseMoved();
    Scene& scene = logic_.state.scene;
    RECT client{};
    GetClientRect(Handle(), &client);
    const bool inside = x >= 0 && y >= 0 && x < client.right && y < client.bottom;
    const Element* hit = inside ? scene.HitTest(x, y) : nullptr;
    tooltip_.Set(hit ? hit->hint : std::string());
    const auto action = hit ? ElementAction(hit->name) : std::nullopt;
    Element& selection = scene["shaSelection"];
    if (action) {
        const Rect target = scene[HighlightTarget(hit->name)].bounds;
        const Rect framed{target.left - 1, target.top - 1, target.width + 3, target.height + 2};
        if (!selection.visible || !(selection.bounds == framed)) {
            selection.bounds = framed;
            selection.visible = true;
            InvalidateRect(Handle(), nullptr, FALSE);
        }
        if (GetCapture() != Handle()) SetCapture(Handle());
        selected_ = *action;
    } else {
        if (GetCapture() == Handle()) ReleaseCapture();
        HideSelection();
        selected_ = ARIEN;
    }
}

void TfrmPrincipale::Seek(int x, int y) {
    const Scene& scene = logic_.state.scene;
    const int top = scene["shaAvanceB"].bounds.top;
    const int left = scene["shaBord1B"].bounds.left;
    const int right = scene["shaBord2B"].bounds.left;
    if (std::abs(y - top) < kSeekBand && x > left && x < right) {
        const long long d = player_.Duree();
        player_.AllerA(static_cast<int>(d * (x - left) / (right - left) + 2));
    }
}

void TfrmPrincipale::OnLeftDown(int x, int y) {
    const Element* hit = logic_.state.scene.HitTest(x, y);
    if (selected_ == ARIEN && IsTitle(hit)) {
        Drag();
        return;
    }
    if (selected_ == ARIEN && IsTime(hit)) {
        logic_.dispatcher.ExecuterAction(AFFICHENEGATIF, false);
    } else if (selected_ == RECULER || selected_ == AVANCER) {
        logic_.dispatcher.ExecuterAction(selected_, true);
    } else if (selected_ == ARIEN) {
        Seek(x, y);
    } else {
        logic_.dispatcher.ExecuterAction(selected_, false);
    }
    if (Handle()) HideSelection();
}

void TfrmPrincipale::Drag() {
    if (logic_.dispatcher.PositionLocked()) return;
    ReleaseCapture();
    SendMessageW(Handle(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    // Back onto the primary screen.
    RECT r{};
    GetWindowRect(Handle(), &r);
    const RECT screen = PrimaryScreen();
    const int w = r.right - r.left, h = r.bottom - r.top;
    int left = r.left, top = r.top;
    if (left < 0) left = 0;
    if (left > screen.right) left = screen.right - w;
    if (top < 0) top = 0;
    if (top + h > screen.bottom) top = screen.bottom - h;
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
    CaptureBackground();
    ReleaseCapture();
}

void TfrmPrincipale::OnRightUp(int x, int y) {
    HideSelection();
    const Element* hit = logic_.state.scene.HitTest(x, y);
    std::string menu = hit && !hit->popupMenu.empty() ? hit->popupMenu
                                                      : logic_.state.menus.principale.Name();
    if (GetCapture() == Handle()) ReleaseCapture();
    POINT screen{x, y};
    ClientToScreen(Handle(), &screen);
    OpenMenu(menu, screen);
}

void TfrmPrincipale::OpenMenu(const std::string& menuName, POINT screen) {
    BarMenus& menus = logic_.state.menus;
    const Menu* menu = &menus.principale;
    if (menuName == menus.liste.Name()) {
        logic_.OpenTrackMenu();
        menu = &menus.liste;
    } else if (menuName == menus.boucle.Name()) {
        menu = &menus.boucle;
    } else if (menuName == menus.plan.Name()) {
        menu = &menus.plan;
    }
    const std::string chosen = TrackMenu(*menu, Handle(), screen);
    if (!chosen.empty()) logic_.MenuClick(menu->Name(), chosen);
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmPrincipale::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT client{};
    GetClientRect(Handle(), &client);
    painter_.PaintBuffered(dc, client, background_.WindowColour(), logic_.state.scene);
    painted_ = logic_.state.scene;
    EndPaint(Handle(), &ps);
}

void TfrmPrincipale::SaveState() {
    if (stateSaved_) return;
    stateSaved_ = true;
    option_.Save(store_);
    if (option_.FermerWA) player_.Commande(kCmdClose);
    RECT r{};
    GetWindowRect(Handle(), &r);
    store_.WriteInteger(kSectionOption, "PositionLeft", r.left, true);
    store_.WriteInteger(kSectionOption, "PositionTop", r.top, true);
}

void TfrmPrincipale::CloseBar() {
    if (closing_ || !Handle()) return;
    closing_ = true;
    KillTimer(Handle(), kTmr);
    KillTimer(Handle(), kTmrPlanification);
    KillTimer(Handle(), kTmrMaj);
    SaveState();
    DestroyWindow(Handle());
}

void TfrmPrincipale::OnDestroyed() { PostQuitMessage(0); }

LRESULT TfrmPrincipale::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (wParam == kTmr) OnTick();
        else if (wParam == kTmrPlanification) {
            ScheduleEvaluate(true);
            ScheduleUpdateInfo();
            InvalidateRect(Handle(), nullptr, FALSE);
        }
        else if (wParam == kTmrMaj) {
            KillTimer(Handle(), kTmrMaj);
            if (option_.MAJ) logic_.dispatcher.ExecuterAction(MISEAJOUR, false);
        }
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLeftDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        HideSelection();
        return 0;
    case WM_RBUTTONUP:
        OnRightUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != Handle()) {
            HideSelection();
            selected_ = ARIEN;
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            FocusOptions();
        }
        return 0;
    case WM_CLOSE:
        CloseBar();
        return 0;
    case WM_DESTROY:
        // The tray icon puts back the handlers it took while the window lives.
        pbtTray_.reset();
        hokKey_.SetEnabled(false);
        break;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Windows ends the session: nothing else will run, so the settings
        // reach the disk now.
        if (wParam) {
            SaveState();
            FlushOrWarn(store_);
        }
        return 0;
    case kMsgSecondStartAction: {
        const LRESULT r = DefWindowProcW(Handle(), msg, wParam, lParam);
        if (auto run = secondStart_.OnAction(wParam))
            logic_.dispatcher.ExecuterAction(run->action, false, run->text);
        return r;
    }
    case kMsgSecondStartText: {
        const LRESULT r = DefWindowProcW(Handle(), msg, wParam, lParam);
        wchar_t name[kMaxAtomText + 1] = {};
        const UINT n = GlobalGetAtomNameW(static_cast<ATOM>(wParam & 0xFFFF), name,
                                          static_cast<int>(kMaxAtomText + 1));
        auto run = secondStart_.OnText(n > 0 ? std::optional<std::string>(Narrow({name, n}))
                                             : std::nullopt);
        if (run) logic_.dispatcher.ExecuterAction(run->action, false, run->text);
        return r;
    }
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

// --- services of the other windows -----------------------------------------

void TfrmPrincipale::ShowCountdown(int seconds, bool forceClose, bool restart) {
    // At zero the settings reach the disk before Windows is asked to stop.
    TfrmArreter countdown(shutdown_, [this] {
        option_.Save(store_);
        FlushOrWarn(store_);
    });
    countdown.ShowModal(Handle(), {.total = seconds, .force = forceClose, .restart = restart});
}

bool TfrmPrincipale::FileExists(const std::string& path) {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesW(Widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

void TfrmPrincipale::OpenFile(const std::string& path) {
    ShellExecuteW(GetDesktopWindow(), L"open", Widen(path).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

void TfrmPrincipale::CloseProgram() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

void TfrmPrincipale::ProgrammePlayback(bool modeFlag, const std::string& name) {
    programmes_.Lecture(modeFlag, name);
}
void TfrmPrincipale::ProgrammeRecording(bool modeFlag) { programmes_.Enregistre(modeFlag); }
void TfrmPrincipale::ProgrammeNext() { programmes_.ProgrammeNext(); }
void TfrmPrincipale::ProgrammeStep(bool trackChanged) { programmes_.ProgrammeStep(trackChanged); }
void TfrmPrincipale::CopyCurrentTrack() {
    ShellCopyFileSystem files(Handle());
    pilotune::CopyCurrentTrack(option_, player_, files, *this);
}

void TfrmPrincipale::CaptureBackground() {
    background_.Capture(Handle(), logic_.state.scene["imgFond"]);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmPrincipale::ShowHelp() {
    // The HTML Help viewer, loaded when first needed: help file beside the exe.
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    static HtmlHelpFn htmlHelp = [] {
        HMODULE module = LoadLibraryW(L"hhctrl.ocx");
        return module ? reinterpret_cast<HtmlHelpFn>(
                            reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpW")))
                      : nullptr;
    }();
    std::string exe = ExecutablePath();
    const std::string help = exe.substr(0, exe.find_last_of('\\') + 1) + "Pilotune.chm";
    constexpr UINT kHelpContext = 0x000F; // HH_HELP_CONTEXT
    if (htmlHelp) htmlHelp(Handle(), Widen(help).c_str(), kHelpContext, 1000);
}

void TfrmPrincipale::ShowAbout() {}
void TfrmPrincipale::ShowOptions() {}
void TfrmPrincipale::FocusOptions() {}
void TfrmPrincipale::ShowOptionsSchedulePage() {}
// Action 25 names an entry of the full list, as the options dialog shows it.
int TfrmPrincipale::ScheduleEntryCount() { return plan_.ListLimit(); }
void TfrmPrincipale::ScheduleRearm(int index) { plan_.RearmEntry(index); }
void TfrmPrincipale::ScheduleCancel() { plan_.Cancel(); }
void TfrmPrincipale::ScheduleCancelAll() { plan_.CancelAll(); }
void TfrmPrincipale::ScheduleEvaluate(bool timerTick) { plan_.Evaluate(timerTick); }
void TfrmPrincipale::ScheduleUpdateInfo() { ShowInfo(plan_.UpdateInfo(), logic_.state.twins.info); }
bool TfrmPrincipale::FullScreenExists() { return false; }
void TfrmPrincipale::OpenFullScreen() {}
void TfrmPrincipale::FocusFullScreen() {}
void TfrmPrincipale::CloseFullScreen() {}
void TfrmPrincipale::RefreshFullScreen(int, int) {}
void TfrmPrincipale::RefreshFullScreenView() {}
void TfrmPrincipale::CheckForUpdate(bool showAlways) {
    RunUpdateCheck(Handle(), store_, showAlways); // on a worker; the window shows when done
}

void TfrmPrincipale::StopTick() { KillTimer(Handle(), kTmr); }
void TfrmPrincipale::StartTick() { SetTimer(Handle(), kTmr, kTickMs, nullptr); }
std::string TfrmPrincipale::Title() { return logic_.state.twins.titre.B().text; }
void TfrmPrincipale::ShowTitle(const std::string& text) {
    logic_.state.twins.titre.SetText(text);
    InvalidateRect(Handle(), nullptr, FALSE);
}
void TfrmPrincipale::HoldResult(int ms) { RepaintAndWait(Handle(), ms); }
void TfrmPrincipale::RefreshTitle() {
    logic_.monitor.TitleRefresh();
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmPrincipale::MakeBarTopmost() {
    if (Handle()) SetTopMost(Handle(), -1);
}

} // namespace pilotune
