#include "options/FOptionWin32.h"

#include <algorithm>

#include "base/EncodingWin32.h"
#include "schedule/Planification.h"
#include "settings/Option.h"
#include "settings/PlacementWin32.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsWin32.h"

namespace pilotune {

namespace {
constexpr Size kClient{681, 466};
constexpr Size kMinimumClient{642, 466}; // a 650 x 500 window with its frame
constexpr Size kMinimumWindow{650, 500};
constexpr COLORREF kColumnColour = RGB(0xFD, 0xFD, 0xFD);
constexpr unsigned kAnchorBottomRight = kAnchorRight | kAnchorBottom;
// Left, top and right: the groups of the general page widen with the window.
constexpr unsigned kAnchorWide = kAnchorLeft | kAnchorTop | kAnchorRight;
constexpr unsigned kAnchorColumn = kAnchorLeft | kAnchorTop | kAnchorBottom;
constexpr std::string_view kFenOption = "FenOption";

// A small picture for each page button, drawn with lines and shapes into `r`.
void DrawPagePicture(HDC dc, int page, RECT r, int dpi, bool enabled) {
    const int s = MulDiv(2, dpi, 96);
    const COLORREF ink = enabled ? RGB(0x2B, 0x57, 0x97) : GetSysColor(COLOR_GRAYTEXT);
    const COLORREF fill = enabled ? RGB(0xD6, 0xE4, 0xF5) : GetSysColor(COLOR_BTNFACE);
    HPEN pen = CreatePen(PS_SOLID, s, ink);
    HBRUSH brush = CreateSolidBrush(fill);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    const int w = r.right - r.left, h = r.bottom - r.top;
    auto X = [&](int percent) { return r.left + w * percent / 100; };
    auto Y = [&](int percent) { return r.top + h * percent / 100; };
    switch (page) {
    case kPageDivers: { // a wrench-like gear: a ring with four teeth
        for (int k = 0; k < 4; ++k) {
            const int cx = X(50), cy = Y(50);
            const int dx = (k == 0 ? 0 : k == 1 ? 1 : k == 2 ? 0 : -1) * w * 40 / 100;
            const int dy = (k == 0 ? -1 : k == 1 ? 0 : k == 2 ? 1 : 0) * h * 40 / 100;
            Rectangle(dc, cx + dx - w / 10, cy + dy - h / 10, cx + dx + w / 10, cy + dy + h / 10);
        }
        Ellipse(dc, X(20), Y(20), X(80), Y(80));
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        Ellipse(dc, X(38), Y(38), X(62), Y(62));
        break;
    }
    case kPageProgramme: // a list with a note
        Rectangle(dc, X(10), Y(10), X(70), Y(90));
        for (int k = 0; k < 4; ++k) {
            MoveToEx(dc, X(20), Y(25 + 17 * k), nullptr);
            LineTo(dc, X(60), Y(25 + 17 * k));
        }
        Ellipse(dc, X(62), Y(70), X(86), Y(92));
        MoveToEx(dc, X(85), Y(80), nullptr);
        LineTo(dc, X(85), Y(30));
        LineTo(dc, X(95), Y(38));
        break;
    case kPageClavier: // a keyboard
        RoundRect(dc, X(5), Y(25), X(95), Y(80), s * 3, s * 3);
        for (int row = 0; row < 2; ++row)
            for (int k = 0; k < 5; ++k)
                Rectangle(dc, X(12 + 16 * k), Y(33 + 16 * row), X(22 + 16 * k), Y(43 + 16 * row));
        Rectangle(dc, X(25), Y(65), X(75), Y(73));
        break;
    case kPageCopie: { // two sheets
        Rectangle(dc, X(30), Y(8), X(85), Y(72));
        Rectangle(dc, X(15), Y(28), X(70), Y(92));
        POINT arrow[] = {{X(30), Y(60)}, {X(52), Y(60)}, {X(52), Y(52)}, {X(62), Y(65)},
                         {X(52), Y(78)}, {X(52), Y(70)}, {X(30), Y(70)}};
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        Polygon(dc, arrow, 7);
        break;
    }
    default: // a clock
        Ellipse(dc, X(10), Y(10), X(90), Y(90));
        MoveToEx(dc, X(50), Y(22), nullptr);
        LineTo(dc, X(50), Y(50));
        LineTo(dc, X(70), Y(62));
        break;
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}
} // namespace

TfrmOption::TfrmOption(SettingsStore& store, COption& option, CPlanification& plan,
                       OptionsHost host)
    : store_(store), option_(option), plan_(plan), host_(std::move(host)),
      clavier_(
          *this, store, option, [this] { Changed(); }, host_.capture),
      planification_(*this, store, plan, [this] { Changed(); }),
      programme_(
          *this, store, option, host_.player, [this] { Changed(); }, host_.restartReplay),
      copie_(*this, store, option, host_.player, host_.copies, [this] { Changed(); }) {
    for (int page = 0; page < kOptionPageCount; ++page)
        OnCommand(kOptPageButton + page, [this, page] { SelectPage(page); });
    OnCommand(IDOK, [this] { Apply(true); });
    for (int id = kMnuAjouter; id <= kMnuLast; ++id)
        OnCommand(id, [this, id] { RunListCommand(Handle(), id, popup_, [this] { Changed(); }); });
    auto menu = [this](const ListCommands& commands) {
        popup_ = commands;
        POINT at{};
        GetCursorPos(&at);
        ShowListMenu(Handle(), at, commands);
    };
    clavier_.onMenu = menu;
    clavier_.scheduleLines = [this] {
        BuildPage(kPagePlanification);
        return planification_.Lines();
    };
    planification_.onMenu = menu;
    programme_.onMenu = menu;
    // "Rafraichir" on the copy list re-reads the playlist and the programme shown.
    copie_.onMenu = [this, menu](ListCommands commands) {
        commands.refresh = [this] {
            BuildPage(kPageProgramme);
            programme_.Refresh();
        };
        menu(commands);
    };
    // The programme choosers offer the names as the programme page holds them.
    clavier_.programmeNames = [this] {
        BuildPage(kPageProgramme);
        return programme_.Names();
    };
    planification_.programmeNames = clavier_.programmeNames;
    OnCommand(kOptAppliquer, [this] { Apply(false); });
    OnCommand(kOptDefaut, [this] { Defaults(); });
    OnCommand(kOptAide, [this] {
        if (host_.showHelp) host_.showHelp(OptionHelpContext(current_));
    });
    // Every plain check box of the general page counts as a change.
    for (int id : {kOptDemarreWindows, kOptCacheAuto, kOptCacheWA, kOptFermerWA, kOptSystray,
                   kOptMAJ, kOptAffichageNeg})
        OnCommand(id, [this] { Changed(); });
    OnCommand(kOptBoucle, [this] {
        GroupSwitch(cseBoucle_, {lblBoucle_.Handle(), tudBoucle_.Handle()});
    });
    OnCommand(kOptExtrait, [this] {
        GroupSwitch(cseExtrait_, {lblExtrait_.Handle(), tudExtrait_.Handle()});
    });
}

TfrmOption::~TfrmOption() {
    Destroy();
}

bool TfrmOption::Open(HWND owner) {
    if (!Prepare(owner)) return false;
    Reveal();
    return true;
}

bool TfrmOption::Prepare(HWND owner) {
    if (IsOpen()) return true;
    current_ = -1;
    clavierBuilt_ = planificationBuilt_ = programmeBuilt_ = copieBuilt_ = false;
    if (!Create(kOptionClass, {.caption = std::string(kOptionCaption),
                               .client = kClient,
                               .owner = owner,
                               .resizable = true,
                               .minimum = kMinimumClient}))
        return false;
    Placement(store_, Handle(), kFenOption, kPlacementLoad, true, kStateNormal);
    // A maximised placement shows the window at once: hidden again, it is
    // built unseen and Reveal shows it maximised, with its keys and focus.
    if (IsWindowVisible(Handle())) ShowWindow(Handle(), SW_HIDE);
    BuildFrame();
    BuildGeneral(pages_[kPageDivers]);
    FillGeneral();
    // Filling the pages is no change; bindings without a key text, which the
    // list leaves out, are one, so that Ok writes the list without them.
    cmdAppliquer_.Enable(std::any_of(option_.Bindings.begin(), option_.Bindings.end(),
                                     [](const TCla& b) { return b.Touche.empty(); }));
    // The running schedule is rebuilt here, once, whatever pages are shown.
    plan_.Reload();
    SelectPage(OptionStartPage(store_.ReadInteger(kSectionOption, "Dernière", 0, true)));
    // The other pages right after the first one is shown: the dialog opens
    // quickly, and they are filled before the user can act.
    PostMessageW(Handle(), kBuildPages, 0, 0);
    return true;
}

void TfrmOption::BuildAllPages() {
    for (int page : {kPageProgramme, kPageClavier, kPageCopie, kPagePlanification})
        BuildPage(page);
}

void TfrmOption::Reveal() {
    if (IsOpen() && !IsWindowVisible(Handle()))
        ShowModeless(pageButtons_[static_cast<size_t>(current_)].Handle());
}

void TfrmOption::BuildFrame() {
    tabBouton_.Create(*this, {8, 6, 108, 422}, kAnchorColumn);
    tabBouton_.SetBackground(kColumnColour);
    tabBouton_.OnMessage(WM_DRAWITEM, [this](WPARAM, LPARAM lParam) -> LRESULT {
        return DrawPageButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    });
    for (int page = 0; page < kOptionPageCount; ++page) {
        const auto& info = kOptionPages[static_cast<size_t>(page)];
        pageButtons_[static_cast<size_t>(page)].hwnd =
            tabBouton_.AddControl(L"BUTTON", info.caption, WS_TABSTOP | BS_OWNERDRAW,
                                  {4, info.top, 100, 73}, kOptPageButton + page);
    }
    pages_.Reserve(*this, kOptionPageCount, {120, 4, 555, 424}, kAnchorAll);
    cmdOK_.Create(*this, "Ok", {208, 435, 97, 25}, IDOK, kAnchorBottomRight, true);
    cmdAppliquer_.Create(*this, "Appliquer", {312, 435, 97, 25}, kOptAppliquer, kAnchorBottomRight);
    cmdAnnuler_.Create(*this, "Annuler", {416, 435, 97, 25}, IDCANCEL, kAnchorBottomRight);
    cmdDefaut_.Create(*this, "Défaut", {520, 435, 97, 25}, kOptDefaut, kAnchorBottomRight);
    cmdAide_.Create(*this, "?", {624, 435, 41, 25}, kOptAide, kAnchorBottomRight);
}

void TfrmOption::BuildGeneral(Panel& page) {
    auto spin = [](SpinEdit& s, Panel& p, const Rect& r, int id, const char* min, const char* max) {
        s.Create(p, r, id, kAnchorTop | kAnchorRight);
        s->SetText(min);
        s->SetCoeficient("1");
        s->SetMaskMin(min);
        s->SetMaskMax(max);
    };
    gbxBoucle_.Create(page, "", {16, 16, 521, 73}, -1, kAnchorWide);
    cseBoucle_.Create(page, "Active la chanson en boucle", {24, 15, 200, 17}, kOptBoucle);
    cseBoucle_.SetFont(page.BoldFont());
    lblBoucle_.Create(page, "Nombre de fois que la chanson tourne en boucle (9=infini) :",
                      {32, 48, 376, 17}, kOptBoucleLabel);
    spin(tudBoucle_, page, {432, 45, 65, 21}, kOptBoucleNb, "1 fois", "9 fois");

    gbxExtrait_.Create(page, "", {16, 117, 521, 73}, -1, kAnchorWide);
    cseExtrait_.Create(page, "Active l'extrait de chanson", {24, 116, 200, 17}, kOptExtrait);
    cseExtrait_.SetFont(page.BoldFont());
    lblExtrait_.Create(page, "Nombre de seconde que dure l'extrait :", {32, 149, 376, 17},
                       kOptExtraitLabel);
    spin(tudExtrait_, page, {432, 146, 65, 21}, kOptExtraitNb, "01 s", "99 s");

    gbxDivers_.Create(page, "Divers", {16, 218, 521, 185}, -1, kAnchorWide);
    gbxDivers_.SetFont(page.BoldFont());
    constexpr int x = 16, y = 218;
    // The right-hand column follows the group's right edge.
    constexpr unsigned kRight = kAnchorTop | kAnchorRight;
    cseLancerDemarreWindows_.Create(page, "Lancer au démarrage de windows",
                                    {x + 16, y + 24, 270, 17}, kOptDemarreWindows);
    lblTransparent_.Create(page, "Transparent à :", {x + 304, y + 25, 100, 17},
                           kOptTransparentLabel, kRight);
    spin(tudTransparent_, page, {x + 416, y + 22, 65, 21}, kOptTransparent, "000 %", "100 %");
    cseCacheAuto_.Create(page, "Cacher automatiquement le programme", {x + 16, y + 64, 270, 17},
                         kOptCacheAuto);
    cseCacheWA_.Create(page, "Cacher Winamp", {x + 307, y + 64, 200, 17}, kOptCacheWA, kRight);
    cseFermerWA_.Create(page, "Fermer Winamp et le programme ensemble", {x + 16, y + 104, 270, 17},
                        kOptFermerWA);
    cseSystray_.Create(page, "Mettre un icône dans le systray", {x + 307, y + 104, 200, 17},
                       kOptSystray, kRight);
    cseMAJ_.Create(page, "Vérifier si une mise à jour est disponible", {x + 16, y + 144, 270, 17},
                   kOptMAJ);
    cseAffichageNeg_.Create(page, "Affiche le temp restant ", {x + 308, y + 144, 200, 17},
                            kOptAffichageNeg, kRight);
    for (SpinEdit* s : {&tudBoucle_, &tudExtrait_, &tudTransparent_})
        (*s)->OnChange = [this] { Changed(); };
}

void TfrmOption::FillGeneral() {
    tudBoucle_->SetPosition(option_.NbBoucle);
    cseBoucle_.SetChecked(option_.LoopOn);
    tudExtrait_->SetPosition(option_.NbExtrait);
    cseExtrait_.SetChecked(option_.ExcerptOn);
    cseLancerDemarreWindows_.SetChecked(option_.LancerDemarrageWindows);
    cseSystray_.SetChecked(option_.Systray);
    cseFermerWA_.SetChecked(option_.FermerWA);
    tudTransparent_->SetPosition(option_.Transparent);
    cseCacheAuto_.SetChecked(option_.CacheAuto);
    cseCacheWA_.SetChecked(option_.CacheWA);
    cseMAJ_.SetChecked(option_.MAJ);
    cseAffichageNeg_.SetChecked(option_.AffichageNeg);
    GroupSwitch(cseBoucle_, {lblBoucle_.Handle(), tudBoucle_.Handle()});
    GroupSwitch(cseExtrait_, {lblExtrait_.Handle(), tudExtrait_.Handle()});
    generalShown_ = GeneralValues();
}

std::array<int, 12> TfrmOption::GeneralValues() {
    return {tudBoucle_->Position(),
            cseBoucle_.Checked(),
            tudExtrait_->Position(),
            cseExtrait_.Checked(),
            cseLancerDemarreWindows_.Checked(),
            cseSystray_.Checked(),
            cseFermerWA_.Checked(),
            tudTransparent_->Position(),
            cseCacheAuto_.Checked(),
            cseCacheWA_.Checked(),
            cseMAJ_.Checked(),
            cseAffichageNeg_.Checked()};
}

void TfrmOption::DefaultGeneral() {
    tudBoucle_->SetPosition(9);
    cseBoucle_.SetChecked(false);
    tudExtrait_->SetPosition(10);
    cseExtrait_.SetChecked(false);
    cseLancerDemarreWindows_.SetChecked(false);
    cseSystray_.SetChecked(false);
    cseFermerWA_.SetChecked(false);
    tudTransparent_->SetPosition(100);
    cseCacheAuto_.SetChecked(false);
    cseCacheWA_.SetChecked(false);
    cseMAJ_.SetChecked(true);
    cseAffichageNeg_.SetChecked(false);
    GroupSwitch(cseBoucle_, {lblBoucle_.Handle(), tudBoucle_.Handle()});
    GroupSwitch(cseExtrait_, {lblExtrait_.Handle(), tudExtrait_.Handle()});
}

void TfrmOption::ApplyGeneral() {
    // Only what the user changed here: the loop, the excerpt and the other
    // settings also change while the dialog is open (the bar, a shortcut, the
    // schedule, a loop that ends), and the page's copies are then stale.
    const std::array<int, 12> now = GeneralValues();
    std::size_t k = 0;
    auto take = [&](auto& field) {
        if (now[k] != generalShown_[k])
            field = static_cast<std::remove_reference_t<decltype(field)>>(now[k]);
        ++k;
    };
    take(option_.NbBoucle);
    take(option_.LoopOn);
    take(option_.NbExtrait);
    take(option_.ExcerptOn);
    take(option_.LancerDemarrageWindows);
    take(option_.Systray);
    take(option_.FermerWA);
    take(option_.Transparent);
    take(option_.CacheAuto);
    take(option_.CacheWA);
    take(option_.MAJ);
    take(option_.AffichageNeg);
    FillGeneral(); // the page shows the settings as they now are
}

void TfrmOption::GroupSwitch(const CheckBox& box, const std::vector<HWND>& members) {
    Changed();
    const bool on = box.Checked();
    for (HWND member : members) {
        EnableWindow(member, on);
        // A spin edit's button lies beside its edit: it follows it.
        if (TEditUpDown* spin = TEditUpDown::FromHandle(member))
            EnableWindow(spin->UpDownHandle(), on);
    }
    box.Enable(true);
}

bool& TfrmOption::Built(int page) {
    static bool general = true;
    switch (page) {
    case kPageProgramme:
        return programmeBuilt_;
    case kPageClavier:
        return clavierBuilt_;
    case kPageCopie:
        return copieBuilt_;
    case kPagePlanification:
        return planificationBuilt_;
    default:
        return general;
    }
}

void TfrmOption::BuildPage(int page) {
    bool& built = Built(page);
    if (built) return;
    built = true;
    // The lists are made when first shown: opening stays quick with long
    // lists. Filling a page is no change.
    const bool changed = cmdAppliquer_.IsEnabled();
    Panel& panel = pages_[static_cast<size_t>(page)];
    switch (page) {
    case kPageProgramme:
        programme_.Build(panel);
        programme_.Fill();
        break;
    case kPageClavier:
        clavier_.Build(panel);
        clavier_.Fill();
        break;
    case kPageCopie:
        copie_.Build(panel);
        copie_.Fill();
        break;
    default:
        planification_.Build(panel);
        planification_.Fill();
        break;
    }
    cmdAppliquer_.Enable(changed);
}

void TfrmOption::SelectPage(int page) {
    page = OptionStartPage(page);
    BuildPage(page);
    pages_.Show(static_cast<size_t>(page));
    current_ = page;
    SetWindowTextW(Handle(), Widen(OptionCaption(page)).c_str());
    for (const Button& b : pageButtons_)
        InvalidateRect(b.Handle(), nullptr, TRUE);
    store_.WriteInteger(kSectionOption, "Dernière", page, true);
}

void TfrmOption::Defaults() {
    switch (current_) {
    case kPageDivers:
        DefaultGeneral();
        break;
    case kPageProgramme:
        programme_.Defaults();
        break;
    case kPageClavier:
        clavier_.Defaults();
        break;
    case kPageCopie:
        copie_.Defaults();
        break;
    case kPagePlanification:
        planification_.Defaults();
        break;
    default:
        return;
    }
    Changed();
}

void TfrmOption::Apply(bool close) {
    // Ok writes the file; a save that fails is told at once, as at the end.
    if (close && !cmdAppliquer_.IsEnabled()) {
        FlushOrWarn(store_);
        Close(IDOK);
        return;
    }
    // Every page hands back its keys, shown or not.
    BuildAllPages();
    if (host_.applying) host_.applying(true);
    ApplyGeneral();
    // A page never shown still holds the settings as they are.
    if (programmeBuilt_) programme_.Apply();
    if (clavierBuilt_)
        clavier_.Apply();
    else
        std::erase_if(option_.Bindings, [](const TCla& b) { return b.Touche.empty(); });
    if (copieBuilt_) copie_.Apply();
    if (planificationBuilt_) planification_.Apply();
    plan_.SaveState();
    option_.Save(store_);
    if (host_.applySettings) host_.applySettings();
    if (close) {
        if (host_.applying) host_.applying(false);
        FlushOrWarn(store_);
        Close(IDOK);
        return;
    }
    cmdAppliquer_.Enable(false);
    if (host_.applying) host_.applying(false);
}

LRESULT TfrmOption::DrawPageButton(const DRAWITEMSTRUCT& item) {
    const int page = static_cast<int>(item.CtlID) - kOptPageButton;
    if (page < 0 || page >= kOptionPageCount) return FALSE;
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool current = page == current_;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    HBRUSH back = CreateSolidBrush(current || pressed ? RGB(0xE5, 0xEE, 0xFA) : kColumnColour);
    FillRect(dc, &r, back);
    DeleteObject(back);
    if (current || pressed) {
        HBRUSH frame = CreateSolidBrush(RGB(0x99, 0xB4, 0xD9));
        FrameRect(dc, &r, frame);
        DeleteObject(frame);
    }
    const int dpi = Dpi();
    const int icon = MulDiv(32, dpi, 96);
    const int cx = (r.left + r.right) / 2;
    const int top = r.top + MulDiv(8, dpi, 96);
    DrawPagePicture(dc, page, {cx - icon / 2, top, cx + icon / 2, top + icon}, dpi, enabled);
    RECT text = {r.left + 2, top + icon + MulDiv(4, dpi, 96), r.right - 2, r.bottom - 2};
    HGDIOBJ oldFont = SelectObject(dc, current ? BoldFont() : Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    const std::wstring caption = Widen(kOptionPages[static_cast<size_t>(page)].caption);
    DrawTextW(dc, caption.c_str(), -1, &text, DT_CENTER | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
    return TRUE;
}

LRESULT TfrmOption::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kBuildPages) {
        BuildAllPages();
        return 0;
    }
    if (msg == WM_DESTROY) {
        if (clavierBuilt_) clavier_.StopCapture();
        Placement(store_, Handle(), kFenOption, kPlacementSave, true, kStateNormal);
    }
    const LRESULT result = Dialog::HandleMessage(msg, wParam, lParam);
    if (msg == WM_GETMINMAXINFO) {
        // The window itself, frame included, is never smaller than 650 x 500.
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x =
            std::max<LONG>(info->ptMinTrackSize.x, Scale(kMinimumWindow.width));
        info->ptMinTrackSize.y =
            std::max<LONG>(info->ptMinTrackSize.y, Scale(kMinimumWindow.height));
    }
    return result;
}

} // namespace pilotune
