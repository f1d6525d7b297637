#include "options/ClavierPageWin32.h"

#include <algorithm>

#include "options/ColumnWidthsWin32.h"
#include "options/PagePicturesWin32.h"
#include "options/PlanificationPageWin32.h"
#include "options/ProgrammePageWin32.h"
#include "programmes/Programmes.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"

namespace pilotune {

namespace {
const std::vector<int> kWidths = {350, 150};
constexpr std::string_view kParameterKey = "cbxClaActionChemin";
} // namespace

ClavierPage::ClavierPage(PageContext& context)
    : context_(context), lsvCla_([](const BindingRow& row) {
          return std::vector<std::string>{ActionText(row.action, row.parameter), row.key};
      }) {
    cseClaActiver_.onChanged = [this] { GroupSwitch(); };
    cbxClaAction_.onSelectionChanged = [this] { context_.changed(); };
    cbxClaAction_.onBrowse = [this] { ChooseParameter(); };
    cmdClaAjouter_.onClick = [this] { Add(); };
    txtClaTouche_.onChange = [this] { context_.changed(); };
    txtClaTouche_.onFocus = [this] {
        capturing_ = true;
        if (context_.host.capture)
            context_.host.capture(true,
                                  [this](const std::string& key) { txtClaTouche_.SetText(key); });
    };
    txtClaTouche_.onFocusLost = [this] { StopCapture(); };
}

ClavierPage::~ClavierPage() {
    StopCapture();
}

void ClavierPage::StopCapture() {
    if (!capturing_) return;
    capturing_ = false;
    if (context_.host.capture) context_.host.capture(false, {});
}

void ClavierPage::DrawPicture(HDC dc, RECT r, int dpi, bool enabled) const {
    DrawKeyboardPicture(dc, r, dpi, enabled);
}

bool ClavierPage::WantsSave() const {
    return std::any_of(context_.option.Bindings.begin(), context_.option.Bindings.end(),
                       [](const TCla& b) { return b.Touche.empty(); });
}

void ClavierPage::Build(Panel& page) {
    // The fields widen with the page and the buttons follow its right edge.
    constexpr unsigned kStretch = kAnchorLeft | kAnchorRight | kAnchorTop;
    constexpr unsigned kRight = kAnchorRight | kAnchorTop;
    gbxClavier_.Create(page, "", {8, 8, 537, 403}, kAnchorAll);
    cseClaActiver_.Create(page, "Activer les touches de raccourcis", {16, 7, 217, 17});
    cseClaActiver_.SetFont(page.BoldFont());
    lblClaAction_.Create(page, "Action :", {24, 36, 48, 17}, kAnchorTopLeft);
    cbxClaAction_.Create(page, {80, 33, 321, 300}, kStretch, " Parcourir", {408, 32, 121, 25},
                         kRight);
    lblClaTouche_.Create(page, "Touche :", {24, 76, 48, 17}, kAnchorTopLeft);
    txtClaTouche_.Create(page, "", {80, 73, 321, 21}, kStretch);
    txtClaTouche_.SetReadOnly(true);
    cmdClaAjouter_.Create(page, "Ajouter", {408, 72, 121, 25}, kRight);
    lsvCla_.view.Create(page, {24, 112, 505, 283}, kAnchorAll, true);
    lsvCla_.view.AddColumn("Action", kWidths[0]);
    lsvCla_.view.AddColumn("Touche", kWidths[1]);
    WireList(
        lsvCla_, page.Dpi(), true, [this] { context_.changed(); }, [this] { TakeBack(); },
        [this] {
            context_.showMenu({&lsvCla_, [this] { Add(); }, [this] { TakeBack(); }});
        });
}

void ClavierPage::Fill() {
    cbxClaAction_.Load(context_.store, kSectionClavier, kParameterKey);
    cseClaActiver_.SetChecked(context_.option.ClavierActiver);
    GroupSwitch();
    // A stored action outside the list selects the first one.
    if (!cbxClaAction_.Select(context_.store.ReadInteger(kSectionClavier, "cbxClaAction", 0, true)))
        cbxClaAction_.Select(OfferedAt(0));
    txtClaTouche_.SetText("");
    LoadColumnWidths(lsvCla_.view, context_.store, kSectionClavier, kWidths, context_.dialog.Dpi());
    lsvCla_.Set(BindingRows(context_.option.Bindings));
}

void ClavierPage::Apply() {
    SaveColumnWidths(lsvCla_.view, context_.store, kSectionClavier);
    cbxClaAction_.Save(context_.store, kSectionClavier, kParameterKey);
    context_.option.ClavierActiver = cseClaActiver_.Checked();
    context_.option.Bindings = BindingsOf(lsvCla_.Rows());
}

void ClavierPage::Defaults() {
    cbxClaAction_.Select(OfferedAt(0));
    txtClaTouche_.SetText("");
    cseClaActiver_.SetChecked(false);
    GroupSwitch();
    lsvCla_.Set(BindingRows(DefaultBindings()));
    context_.changed();
}

void ClavierPage::ChooseParameter() {
    auto* schedule = context_.pages.Ready<PlanificationPage>();
    auto* programmes = context_.pages.Ready<ProgrammePage>();
    const std::vector<std::string> lines =
        schedule ? schedule->Lines() : std::vector<std::string>{};
    const std::vector<std::string> names =
        programmes ? programmes->Names() : ReadProgrammeNames(context_.store);
    cbxClaAction_.ChooseParameter(context_.dialog.Handle(), names, lines);
    context_.changed();
}

void ClavierPage::Add() {
    if (cbxClaAction_.Action() < 0) return;
    if (cbxClaAction_.ParameterMissing()) ChooseParameter();
    if (cbxClaAction_.ParameterMissing()) return;
    const std::string key = txtClaTouche_.Text();
    if (key.empty()) {
        txtClaTouche_.Focus();
        return;
    }
    lsvCla_.Add({cbxClaAction_.Action(), cbxClaAction_.Parameter(), key, true});
    lsvCla_.view.Select(lsvCla_.Count() - 1);
    txtClaTouche_.SetText("");
    context_.changed();
}

void ClavierPage::TakeBack() {
    const int selected = lsvCla_.Selected();
    if (selected < 0) return;
    const BindingRow row = lsvCla_[selected];
    cbxClaAction_.SetParameter(row.action, row.parameter);
    // An action outside the list selects none: "Ajouter" then adds nothing.
    cbxClaAction_.Select(row.action);
    txtClaTouche_.SetText(row.key);
    lsvCla_.Erase(selected);
    context_.changed();
}

void ClavierPage::GroupSwitch() {
    context_.changed();
    cseClaActiver_.SwitchGroup({&gbxClavier_, &lblClaAction_, &cbxClaAction_.List(),
                                &cbxClaAction_.BrowseButton(), &lblClaTouche_, &txtClaTouche_,
                                &cmdClaAjouter_, &lsvCla_.view});
}

} // namespace pilotune
