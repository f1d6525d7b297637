#include "app/ApplicationWin32.h"

#include <shellapi.h>

#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "player/Winamp.h"
#include "schedule/InfoTwin.h"
#include "settings/Option.h"
#include "settings/RegistryWin32.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsWin32.h"
#include "ui/WindowWin32.h"
#include "system/FArreterWin32.h"
#include "system/FMiseAJourWin32.h"
#include "system/UpdateCheckWin32.h"
#include "ui/DialogWin32.h"

namespace pilotune {

namespace {
constexpr UINT kPlanificationMs = 1000;
constexpr UINT kUpdateDelayMs = 2000;
constexpr int kNoticeMs = 3000;
} // namespace

Application::Application(SettingsStore& store, COption& option, TPilotune& player,
                         CPlanification& plan)
    : store_(store), option_(option), player_(player), plan_(plan),
      logic_(option, player, store, static_cast<BarServices&>(*this)),
      bar_(logic_, static_cast<BarHost&>(*this)), programmeLink_(player),
      programmeView_(logic_.state), programmes_(option, store, programmeLink_, programmeView_),
      raccourcis_(option,
                  [this](int action, bool modeFlag, const std::string& parameter) {
                      logic_.dispatcher.ExecuterAction(action, modeFlag, parameter);
                  }),
      background_(ProgramFolder()), timers_([this](UINT msg, WPARAM wParam, LPARAM) {
          if (msg == WM_TIMER) OnTimer(wParam);
          if (msg == kMsgFreeClosed) FreeClosedWindows();
      }),
      copies_(store), notices_(
                          option, player, [this] { return bar_.Handle(); },
                          [this](const std::string& message) { ShowNotice(message); }) {
    plan_.SetRunner([this](int action, const std::string& parameter) {
        logic_.dispatcher.ExecuterAction(action, false, parameter);
    });
    // Shortcut keys: the hook library, when one is needed, lies beside the exe.
    hokKey_.SetRepertoireDll(ProgramFolder());
    hokKey_.OnHookKeyDown = [this](THookKeyboard&, std::uint16_t, const std::string& text) {
        raccourcis_.ToucheEnfoncee(text);
    };
}

Application::~Application() = default;

bool Application::Start() {
    // In order: the stored position, the window, the settings, topmost, the
    // current track recorded, play, the tick, and the bar shown.
    const int left = store_.ReadInteger(kSectionOption, "PositionLeft", 450, true);
    const int top = store_.ReadInteger(kSectionOption, "PositionTop", 0, true);
    if (!timers_.Create() || !copies_.Create() || !bar_.Create(left, top)) return false;
    sessionNotices_ = SessionNotices(bar_.Handle());
    hokKey_.Loaded();
    // The tray icon opens the main menu; its left click shows the bar.
    pbtTray_ = std::make_unique<TPiconeBarreTache>(bar_.Handle());
    pbtTray_->SetIcone(ProgramIcon());
    pbtTray_->SetGrandeIconeVisible(false);
    pbtTray_->SetHint("Pilotune");
    pbtTray_->MenuPop = [this](POINT screen) {
        bar_.OpenMenu(logic_.state.menus.principale.Name(), screen);
    };
    pbtTray_->Loaded();
    ApplySettings();
    SetTopMost(bar_.Handle(), kTopMost);
    logic_.monitor.Start();
    if (player_.Etat() != PlayerState::Playing) player_.Jouer();
    bar_.Show();
    FirstShow();
    return true;
}

void Application::FirstShow() {
    const int opened = store_.ReadInteger(kSectionOption, "NbOuvert", 0, true) + 1;
    if (opened == 1) logic_.dispatcher.ExecuterAction(AFFICHEOPTION, false);
    store_.WriteInteger(kSectionOption, "NbOuvert", opened, true);
}

void Application::ApplySettings() {
    Dispatcher& d = logic_.dispatcher;
    d.ExecuterAction(CACHERAUTOPROG, true);
    d.ExecuterAction(BOUCLE, true);
    d.ExecuterAction(EXTRAIT, true);
    runAtStart_.Apply(option_.LancerDemarrageWindows);
    d.ExecuterAction(CACHERWINAMP, true);
    background_.ApplyTransparency(bar_.Handle(), logic_.state.elements.fond, option_.Transparent);
    if (pbtTray_) pbtTray_->SetPetiteIconeVisible(option_.Systray);
    MenuItem& lire = logic_.state.menus.principale["mnuLireProg"];
    if (!lire.checked) d.ExecuterAction(LECTUREPROGRAMME, true);
    d.ExecuterAction(ENREGISTREPROGRAMME, true);
    lire.caption = "Lire le programme : " + option_.ProgTitre;
    hokKey_.SetEnabled(HookActifSelonReglages(option_));
    hokKey_.Reinstaller(); // a hook Windows dropped comes back, settings changed or not
    logic_.state.twins.copier.SetVisible(option_.AfficheBT);
    if (plan_.Activer)
        timers_.StartTimer(kTmrPlanification, kPlanificationMs);
    else
        timers_.StopTimer(kTmrPlanification);
    ScheduleUpdateInfo();
    if (FullScreenExists()) {
        RefreshFullScreenView();
        pleinEcran_->MakeTopmost();
    }
    if (option_.MAJ)
        timers_.StartTimer(kTmrMaj, kUpdateDelayMs);
    else
        timers_.StopTimer(kTmrMaj);
    notices_.WriteNowPlaying();
    bar_.Invalidate();
}

void Application::OnTimer(UINT_PTR id) {
    switch (id) {
    case kTmrPlanification:
        ScheduleEvaluate(true);
        ScheduleUpdateInfo();
        bar_.Invalidate();
        break;
    case kTmrMaj:
        timers_.StopTimer(kTmrMaj);
        if (option_.MAJ) logic_.dispatcher.ExecuterAction(MISEAJOUR, false);
        break;
    case kTmrCopie:
        timers_.StopTimer(kTmrCopie);
        logic_.monitor.TitleRefresh();
        bar_.Invalidate();
        bar_.StartTick();
        break;
    }
}

void Application::SaveState() {
    if (stateSaved_) return;
    stateSaved_ = true;
    option_.Save(store_);
    if (option_.FermerWA) player_.Commande(kCmdClose);
}

// --- what the bar's window asks ---------------------------------------------

void Application::DrawBackdrop(HDC dc, const Element& fond) {
    background_.Draw(dc, fond);
}
COLORREF Application::WindowColour() {
    return background_.WindowColour();
}
void Application::BarMoved() {
    CaptureBackground();
}
void Application::BarActivated() {
    // The options dialog first, while it is visible; else the about box.
    if (TfrmOption* dialog = Options(); dialog && IsWindowVisible(dialog->Handle()))
        FocusOptions();
    else if (TfrmAProposDe* about = AProposDe(); about && IsWindowVisible(about->Handle()))
        about->Focus();
}

void Application::BarClosing() {
    copies_.Stop(); // before the settings are saved: the statuses reached go with them
    timers_.StopTimer(kTmrPlanification);
    timers_.StopTimer(kTmrMaj);
    timers_.StopTimer(kTmrCopie);
    SaveState();
}

void Application::BarDestroyed() {
    // The tray icon puts back the handlers it took while the window lives.
    pbtTray_.reset();
    sessionNotices_ = {};
    hokKey_.SetEnabled(false);
    PostQuitMessage(0);
}

void Application::SessionEnding() {
    copies_.Stop();
    FlushOrWarn(store_);
}

std::optional<LRESULT> Application::OtherMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND bar = bar_.Handle();
    if (IsSessionBack(msg, wParam)) hokKey_.Reinstaller(); // the hook may have gone meanwhile
    if (msg == kMsgSecondStartAction) {
        const LRESULT r = DefWindowProcW(bar, msg, wParam, lParam);
        if (auto run = secondStart_.OnAction(wParam))
            logic_.dispatcher.ExecuterAction(run->action, false, run->text);
        return r;
    }
    if (msg == kMsgSecondStartText) {
        const LRESULT r = DefWindowProcW(bar, msg, wParam, lParam);
        wchar_t name[kMaxAtomText + 1] = {};
        const UINT n = GlobalGetAtomNameW(static_cast<ATOM>(wParam & 0xFFFF), name,
                                          static_cast<int>(kMaxAtomText + 1));
        auto run = secondStart_.OnText(n > 0 ? std::optional<std::string>(Narrow({name, n}))
                                             : std::nullopt);
        if (run) logic_.dispatcher.ExecuterAction(run->action, false, run->text);
        return r;
    }
    return std::nullopt;
}

// --- services the dispatcher calls ------------------------------------------

void Application::ShowCountdown(int seconds, bool forceClose, bool restart) {
    // One countdown at a time, whatever asks: a request while it runs brings
    // it forward with that choice, so one "Annuler" stops it all.
    if (countdown_) {
        countdown_->Renew(restart);
        return;
    }
    // At zero the settings reach the disk before Windows is asked to stop;
    // a failure there holds nothing up.
    TfrmArreter countdown(*shutdownRequest_, [this] {
        option_.Save(store_);
        return store_.Flush().ok;
    });
    countdown_ = &countdown;
    countdown.ShowModal(
        bar_.Handle(),
        {.total = seconds, .force = forceClose, .restart = restart, .tickMs = countdownTickMs_});
    countdown_ = nullptr;
}

bool Application::FileExists(const std::string& path) {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesW(Widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

void Application::OpenFile(const std::string& path) {
    ShellExecuteW(GetDesktopWindow(), L"open", Widen(path).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

void Application::CloseProgram() {
    PostMessageW(bar_.Handle(), WM_CLOSE, 0, 0);
}

void Application::ProgrammePlayback(bool modeFlag, const std::string& name) {
    programmes_.Lecture(modeFlag, name);
}
void Application::ProgrammeRecording(bool modeFlag) {
    programmes_.Enregistre(modeFlag);
}
void Application::ProgrammeNext() {
    programmes_.ProgrammeNext();
}
void Application::ProgrammeStep(bool trackChanged) {
    programmes_.ProgrammeStep(trackChanged);
    if (TfrmOption* dialog = Options()) dialog->ProgrammeRecorded();
}

void Application::CopyCurrentTrack() {
    pilotune::CopyCurrentTrack(option_, player_, *this);
}

void Application::CaptureBackground() {
    background_.Capture(bar_.Handle());
}

void Application::ShowHelp() {
    OpenHelp(1000);
}

void Application::OpenHelp(int context) {
    // The HTML Help viewer, loaded when first needed: help file beside the exe.
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    static HtmlHelpFn htmlHelp = [] {
        HMODULE module = LoadSystemLibrary(L"hhctrl.ocx");
        return module ? reinterpret_cast<HtmlHelpFn>(
                            reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpW")))
                      : nullptr;
    }();
    const std::string help = ProgramFolder() + "Pilotune.chm";
    constexpr UINT kHelpContext = 0x000F; // HH_HELP_CONTEXT
    if (htmlHelp)
        htmlHelp(bar_.Handle(), Widen(help).c_str(), kHelpContext, static_cast<DWORD_PTR>(context));
}

void Application::ShowAbout() {
    if (TfrmAProposDe* about = AProposDe()) {
        RaiseSecondary(about->Handle());
        about->Focus();
        return;
    }
    aProposDe_ = std::make_unique<TfrmAProposDe>(
        [this] { PostMessageW(timers_.Handle(), kMsgFreeClosed, 0, 0); });
    if (!aProposDe_->Open()) {
        aProposDe_.reset();
        return;
    }
    RaiseSecondary(aProposDe_->Handle());
}

// Above every other window. Over the full-screen view, which stays on top, a
// secondary window stays on top too (the bar above it) until the view closes.
void Application::RaiseSecondary(HWND window) {
    if (FullScreenExists()) {
        SetTopMost(window, kTopMost);
        MakeBarTopmost();
    } else if (!FirstBelowTopmost(window)) {
        // Into the topmost band and out: on top of the others.
        SetTopMost(window, kTopMost);
        SetTopMost(window, kNotTopMost);
    }
}

TfrmAProposDe* Application::AProposDe() {
    return aProposDe_ && aProposDe_->Handle() ? aProposDe_.get() : nullptr;
}

void Application::ShowOptions() {
    // A dialog still being built (one of its pages may show a message box
    // meanwhile) is left alone: it shows itself once built.
    if (buildingOptions_) return;
    // A closed or hidden dialog is replaced by a fresh one read from the settings.
    const bool fresh = !options_ || !options_->IsOpen() || !IsWindowVisible(options_->Handle());
    if (fresh) {
        options_.reset();
        OptionsHost host{
            .applySettings = [this] { ApplySettings(); },
            .applying = [this](bool on) { logic_.monitor.HoldTrackChanges(on); },
            .showHelp = [this](int context) { OpenHelp(context); },
            .capture =
                [this](bool on, std::function<void(const std::string&)> to) {
                    CaptureKeys(on, std::move(to));
                },
            .player = &player_,
            .restartReplay = [this] { logic_.dispatcher.ExecuterAction(LECTUREPROGRAMME, true); },
            .copies = &copies_};
        options_ = std::make_unique<TfrmOption>(store_, option_, plan_, std::move(host));
        buildingOptions_ = true;
        const bool prepared = options_->Prepare(nullptr);
        buildingOptions_ = false;
        if (!prepared) {
            options_.reset();
            return;
        }
    }
    // A new dialog takes its place before it is shown, where it costs the
    // window system no repaint of a visible window.
    RaiseSecondary(options_->Handle());
    if (fresh) options_->Reveal();
}

void Application::CaptureKeys(bool on, std::function<void(const std::string&)> target) {
    // While the key box has the focus every key goes to it and runs nothing;
    // afterwards the hook is on only if the shortcuts are.
    raccourcis_.CaptureKeys(on, std::move(target));
    hokKey_.SetEnabled(on || HookActifSelonReglages(option_));
}

void Application::FocusOptions() {
    TfrmOption* dialog = Options();
    if (!dialog || !IsWindowVisible(dialog->Handle())) return;
    // Just after ShowOptions the dialog is in its place: raising it again
    // would only move it twice.
    const HWND d = dialog->Handle();
    if (!FirstBelowTopmost(d)) RaiseSecondary(d);
    SetForegroundWindow(d);
}

void Application::ShowOptionsSchedulePage() {
    if (TfrmOption* dialog = Options()) dialog->SelectPage(kPagePlanification);
}

// Action 25 names an entry of the full list, as the options dialog shows it.
int Application::ScheduleEntryCount() {
    return plan_.ListLimit();
}
void Application::ScheduleRearm(int index) {
    plan_.RearmEntry(index);
}
void Application::ScheduleCancel() {
    plan_.Cancel();
}
void Application::ScheduleCancelAll() {
    plan_.CancelAll();
}
void Application::ScheduleEvaluate(bool timerTick) {
    plan_.Evaluate(timerTick);
}
void Application::ScheduleUpdateInfo() {
    ShowInfo(plan_.UpdateInfo(), logic_.state.twins.info);
}

TfrmPleinEcran* Application::PleinEcran() {
    return pleinEcran_ && pleinEcran_->Handle() ? pleinEcran_.get() : nullptr;
}
bool Application::FullScreenExists() {
    return PleinEcran() != nullptr;
}
void Application::OpenFullScreen() {
    pleinEcran_ = std::make_unique<TfrmPleinEcran>(
        logic_.state.scene, option_, player_,
        PleinEcranLinks{
            .run = [this](int action,
                          bool fromBar) { logic_.dispatcher.ExecuterAction(action, fromBar); },
            .openMenu = [this](const std::string& name, POINT screen,
                               HWND owner) { bar_.OpenMenu(name, screen, owner); },
            .closed =
                [this] {
                    MakeBarTopmost();
                    // What was raised above the view stays on top no longer.
                    if (TfrmOption* dialog = Options()) SetTopMost(dialog->Handle(), kNotTopMost);
                    if (TfrmAProposDe* about = AProposDe())
                        SetTopMost(about->Handle(), kNotTopMost);
                    PostMessageW(timers_.Handle(), kMsgFreeClosed, 0, 0);
                },
        });
    if (!pleinEcran_->Open(bar_.Handle())) pleinEcran_.reset();
}
void Application::FocusFullScreen() {
    if (TfrmPleinEcran* view = PleinEcran()) view->Focus();
}
void Application::CloseFullScreen() {
    if (TfrmPleinEcran* view = PleinEcran()) view->Close();
}
void Application::RefreshFullScreen(int position, int length) {
    if (TfrmPleinEcran* view = PleinEcran()) view->TickRefresh(position, length);
}
void Application::RefreshFullScreenView() {
    if (TfrmPleinEcran* view = PleinEcran()) view->RafraichirVue();
}

// A closed window's object goes once its last message has been handled.
void Application::FreeClosedWindows() {
    // A modal loop inside the player's launch wait may be on top of a closed
    // window's own call: that one goes at the next close.
    if (player_.Lancement()) return;
    if (pleinEcran_ && !pleinEcran_->Handle()) pleinEcran_.reset();
    if (aProposDe_ && !aProposDe_->Handle()) aProposDe_.reset();
}

void Application::CheckForUpdate(bool showAlways) {
    // On a worker; its window shows on this thread when the result is in.
    update_.Run(bar_.Handle(), ProgramUpdateSetup(store_), showAlways);
}

void Application::MakeBarTopmost() {
    const HWND bar = bar_.Handle();
    if (!bar) return;
    // Already first of all: nothing to move.
    if (GetTopWindow(nullptr) == bar && (GetWindowLongW(bar, GWL_EXSTYLE) & WS_EX_TOPMOST)) return;
    SetTopMost(bar, kTopMost);
}

void Application::TrackChanged() {
    notices_.TrackChanged();
}
void Application::VolumeChanged(int level) {
    notices_.VolumeChanged(level);
}
// On the bar in place of the title for a while, as a copy's result.
void Application::ShowNotice(const std::string& message) {
    StopTick();
    ShowTitle(message);
    RestoreTitleAfter(kNoticeMs);
}

// --- the copy's result on the bar ----------------------------------------------

bool Application::CopyOnWorker(const std::string& folder, const std::string& source,
                               std::function<void(const std::string& status)> done) {
    return copies_.CopyTrack(folder, source, std::move(done));
}
void Application::StopTick() {
    timers_.StopTimer(kTmrCopie);
    bar_.StopTick();
}
std::string Application::Title() {
    return logic_.state.twins.titre.B().text;
}
void Application::ShowTitle(const std::string& text) {
    logic_.state.twins.titre.SetText(text);
    bar_.Invalidate();
}
void Application::RestoreTitleAfter(int ms) {
    timers_.StartTimer(kTmrCopie, static_cast<UINT>(ms));
}

} // namespace pilotune
