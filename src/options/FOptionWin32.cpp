#include "options/FOptionWin32.h"

#include <algorithm>

#include "base/EncodingWin32.h"
#include "options/OptionsPages.h"
#include "options/ProgrammePageWin32.h"
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
constexpr Rect kColumn{8, 6, 108, 422};
constexpr COLORREF kColumnColour = RGB(0xFD, 0xFD, 0xFD);
constexpr unsigned kAnchorBottomRight = kAnchorRight | kAnchorBottom;
constexpr unsigned kAnchorColumn = kAnchorLeft | kAnchorTop | kAnchorBottom;
constexpr std::string_view kFenOption = "FenOption";
} // namespace

TfrmOption::TfrmOption(SettingsStore& store, COption& option, CPlanification& plan,
                       OptionsHost host)
    : store_(store), option_(option), plan_(plan),
      host_(std::move(host)), context_{.dialog = *this,
                                       .store = store,
                                       .option = option,
                                       .plan = plan,
                                       .host = host_,
                                       .pages = *this,
                                       .changed = [this] { Changed(); },
                                       .showMenu =
                                           [this](const ListCommands& commands) {
                                               popup_ = commands;
                                               POINT at{};
                                               GetCursorPos(&at);
                                               ShowListMenu(Handle(), at, commands);
                                           }},
      pages_(MakeOptionPages(context_)) {
    OnCommand(IDOK, [this] { Apply(true); });
    for (int id = kMnuAjouter; id <= kMnuLast; ++id)
        OnCommand(id, [this, id] { RunListCommand(Handle(), id, popup_, [this] { Changed(); }); });
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
    built_.assign(pages_.size(), false);
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
    BuildPage(0);
    // Filling the pages is no change, unless what was read wants a save.
    cmdAppliquer_.Enable(std::any_of(pages_.begin(), pages_.end(),
                                     [](const auto& page) { return page->WantsSave(); }));
    // The running schedule is rebuilt here, once, whatever pages are shown.
    plan_.Reload();
    SelectPage(store_.ReadInteger(kSectionOption, "Dernière", 0, true));
    // The other pages right after the first one is shown: the dialog opens
    // quickly, and they are filled before the user can act.
    PostMessageW(Handle(), kBuildPages, 0, 0);
    return true;
}

void TfrmOption::BuildAllPages() {
    for (std::size_t page = 0; page < pages_.size(); ++page)
        BuildPage(page);
}

void TfrmOption::Reveal() {
    if (IsOpen() && !IsWindowVisible(Handle()))
        ShowModeless(pageButtons_[static_cast<std::size_t>(current_)]->Handle());
}

void TfrmOption::BuildFrame() {
    tabBouton_.Create(*this, kColumn, kAnchorColumn);
    tabBouton_.SetBackground(kColumnColour);
    const std::vector<Rect> bounds =
        PageButtonBounds(static_cast<int>(pages_.size()), kColumn.height);
    pageButtons_.clear();
    for (std::size_t page = 0; page < pages_.size(); ++page) {
        auto button = std::make_unique<Button>();
        button->CreateOwnerDrawn(tabBouton_, pages_[page]->Caption(), bounds[page]);
        button->onClick = [this, page] { SelectPage(static_cast<int>(page)); };
        button->onDraw = [this, page](const DRAWITEMSTRUCT& item) { DrawPageButton(page, item); };
        pageButtons_.push_back(std::move(button));
    }
    panels_.Reserve(*this, pages_.size(), {120, 4, 555, 424}, kAnchorAll);
    cmdOK_.Create(*this, "Ok", {208, 435, 97, 25}, IDOK, kAnchorBottomRight, true);
    cmdAppliquer_.Create(*this, "Appliquer", {312, 435, 97, 25}, kAnchorBottomRight);
    cmdAppliquer_.onClick = [this] { Apply(false); };
    cmdAnnuler_.Create(*this, "Annuler", {416, 435, 97, 25}, IDCANCEL, kAnchorBottomRight);
    cmdDefaut_.Create(*this, "Défaut", {520, 435, 97, 25}, kAnchorBottomRight);
    cmdDefaut_.onClick = [this] { Defaults(); };
    cmdAide_.Create(*this, "?", {624, 435, 41, 25}, kAnchorBottomRight);
    cmdAide_.onClick = [this] {
        if (host_.showHelp && current_ >= 0)
            host_.showHelp(pages_[static_cast<std::size_t>(current_)]->HelpContext());
    };
}

void TfrmOption::BuildPage(std::size_t page) {
    if (page >= pages_.size() || built_[page]) return;
    built_[page] = true;
    // The pages are made when first shown or needed: opening stays quick
    // with long lists. Filling a page is no change.
    const bool changed = cmdAppliquer_.IsEnabled();
    pages_[page]->Build(panels_[page]);
    pages_[page]->Fill();
    cmdAppliquer_.Enable(changed);
}

void TfrmOption::SelectPage(int page) {
    page = OptionStartPage(page, static_cast<int>(pages_.size()));
    const auto index = static_cast<std::size_t>(page);
    BuildPage(index);
    panels_.Show(index);
    current_ = page;
    SetWindowTextW(Handle(), Widen(OptionCaption(pages_[index]->Caption())).c_str());
    for (const auto& b : pageButtons_)
        InvalidateRect(b->Handle(), nullptr, TRUE);
    store_.WriteInteger(kSectionOption, "Dernière", page, true);
}

void TfrmOption::ProgrammeRecorded() {
    const auto at = std::find_if(pages_.begin(), pages_.end(), [](const auto& page) {
        return dynamic_cast<ProgrammePage*>(page.get()) != nullptr;
    });
    if (at != pages_.end() && built_[static_cast<std::size_t>(at - pages_.begin())])
        static_cast<ProgrammePage&>(**at).FollowRecording();
}

void TfrmOption::Defaults() {
    if (current_ < 0) return;
    pages_[static_cast<std::size_t>(current_)]->Defaults();
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
    for (const auto& page : pages_)
        page->Apply();
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

void TfrmOption::DrawPageButton(std::size_t page, const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    RECT focus = r;
    InflateRect(&focus, -3, -3);
    // The focus came or went: the frame drawn last with it is turned over
    // (the button is drawn whole with it when shown, so the two stay in step).
    if (item.itemAction == ODA_FOCUS) {
        DrawFocusRect(dc, &focus);
        return;
    }
    const bool current = static_cast<int>(page) == current_;
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
    // The picture takes what two lines of text leave of the button, 32 at most.
    const int dpi = Dpi();
    const int icon =
        std::min(MulDiv(32, dpi, 96), static_cast<int>(r.bottom - r.top) - MulDiv(41, dpi, 96));
    const int cx = (r.left + r.right) / 2;
    const int top = r.top + MulDiv(8, dpi, 96);
    if (icon >= MulDiv(8, dpi, 96))
        pages_[page]->DrawPicture(dc, {cx - icon / 2, top, cx + icon / 2, top + icon}, dpi,
                                  enabled);
    RECT text = {r.left + 2, top + std::max(icon, 0) + MulDiv(4, dpi, 96), r.right - 2,
                 r.bottom - 2};
    HGDIOBJ oldFont = SelectObject(dc, current ? BoldFont() : Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    const std::wstring caption = Widen(pages_[page]->Caption());
    DrawTextW(dc, caption.c_str(), -1, &text, DT_CENTER | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &focus);
}

LRESULT TfrmOption::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kBuildPages) {
        BuildAllPages();
        return 0;
    }
    if (msg == WM_DESTROY) {
        for (std::size_t page = 0; page < pages_.size(); ++page)
            if (built_[page]) pages_[page]->Closing();
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
