#include "options/ClavierPageWin32.h"

#include <algorithm>

#include "options/ColumnWidthsWin32.h"
#include "options/PagePicturesWin32.h"
#include "options/ParameterChooserWin32.h"
#include "options/PlanificationPageWin32.h"
#include "options/ProgrammePageWin32.h"
#include "programmes/Programmes.h"
#include "schedule/Action.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"

namespace pilotune {

namespace {
const std::vector<int> kWidths = {350, 150};
std::string Indexed(std::string_view key, int i) {
    return std::string(key) + std::to_string(i);
}
} // namespace

ClavierPage::ClavierPage(PageContext& context) : context_(context) {
    cseClaActiver_.onChanged = [this] { GroupSwitch(); };
    cbxClaAction_.onSelectionChanged = [this] {
        ActionSelected();
        context_.changed();
    };
    cmdClaParcourir_.onClick = [this] { ChooseParameter(); };
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
    cbxClaAction_.Create(page, {80, 33, 321, 300}, kStretch);
    cmdClaParcourir_.Create(page, " Parcourir", {408, 32, 121, 25}, kRight);
    lblClaTouche_.Create(page, "Touche :", {24, 76, 48, 17}, kAnchorTopLeft);
    txtClaTouche_.Create(page, "", {80, 73, 321, 21}, kStretch);
    txtClaTouche_.SetReadOnly(true);
    cmdClaAjouter_.Create(page, "Ajouter", {408, 72, 121, 25}, kRight);
    lsvCla_.Create(page, {24, 112, 505, 283}, kAnchorAll, true);
    lsvCla_.AddColumn("Action", kWidths[0]);
    lsvCla_.AddColumn("Touche", kWidths[1]);
    WireList(
        lsvCla_, page.Dpi(), true, [this] { context_.changed(); }, [this] { TakeBack(); },
        [this] {
            context_.showMenu({&lsvCla_, [this] { Add(); }, [this] { TakeBack(); }});
        });
}

void ClavierPage::Fill() {
    std::vector<std::string> items = ActionLabels();
    for (size_t i = 0; i < items.size(); ++i)
        if (IsParameterised(items[i]))
            items[i] = LabelPrefix(items[i]) +
                       context_.store.ReadText(kSectionClavier,
                                               Indexed("cbxClaActionChemin", static_cast<int>(i)),
                                               "", true);
    cbxClaAction_.SetItems(items);
    cseClaActiver_.SetChecked(context_.option.ClavierActiver);
    GroupSwitch();
    // A stored action outside the list selects the first one.
    const int stored = context_.store.ReadInteger(kSectionClavier, "cbxClaAction", 0, true);
    cbxClaAction_.Select(stored >= 0 && stored < cbxClaAction_.Count() ? stored : 0);
    ActionSelected();
    txtClaTouche_.SetText("");
    LoadColumnWidths(lsvCla_, context_.store, kSectionClavier, kWidths, context_.dialog.Dpi());
    lsvCla_.Clear();
    SendMessageW(lsvCla_.Handle(), WM_SETREDRAW, FALSE, 0);
    const std::vector<BindingRow> rows = BindingRows(context_.option.Bindings, items);
    for (const BindingRow& row : rows)
        AddRow(row);
    SendMessageW(lsvCla_.Handle(), WM_SETREDRAW, TRUE, 0);
}

void ClavierPage::AddRow(const BindingRow& row) {
    const int at = lsvCla_.InsertRow(row.caption);
    lsvCla_.SetCell(at, 1, row.key);
    lsvCla_.SetChecked(at, row.checked);
    // The action number, kept in the row's item data.
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = at;
    item.lParam = row.action;
    SendMessageW(lsvCla_.Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ClavierPage::Apply() {
    SaveColumnWidths(lsvCla_, context_.store, kSectionClavier);
    for (int i = 0; i < cbxClaAction_.Count(); ++i) {
        const std::string text = cbxClaAction_.Item(i);
        if (IsParameterised(text))
            context_.store.WriteText(kSectionClavier, Indexed("cbxClaActionChemin", i),
                                     ParamText(text), true);
    }
    context_.option.ClavierActiver = cseClaActiver_.Checked();
    std::vector<BindingRow> rows;
    for (int r = 0; r < lsvCla_.Count(); ++r) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = r;
        SendMessageW(lsvCla_.Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        rows.push_back({lsvCla_.Cell(r, 0), lsvCla_.Cell(r, 1), static_cast<int>(item.lParam),
                        lsvCla_.Checked(r)});
    }
    context_.option.Bindings = BindingsOf(rows);
}

void ClavierPage::Defaults() {
    cbxClaAction_.Select(0);
    ActionSelected();
    txtClaTouche_.SetText("");
    cseClaActiver_.SetChecked(false);
    GroupSwitch();
    lsvCla_.Clear();
    std::vector<std::string> items;
    for (int i = 0; i < cbxClaAction_.Count(); ++i)
        items.push_back(cbxClaAction_.Item(i));
    for (const BindingRow& row : BindingRows(DefaultBindings(), items))
        AddRow(row);
    context_.changed();
}

void ClavierPage::ActionSelected() {
    cmdClaParcourir_.Show(IsParameterised(cbxClaAction_.SelectedItem()));
}

void ClavierPage::ChooseParameter() {
    auto* schedule = context_.pages.Ready<PlanificationPage>();
    auto* programmes = context_.pages.Ready<ProgrammePage>();
    const std::vector<std::string> lines =
        schedule ? schedule->Lines() : std::vector<std::string>{};
    const std::vector<std::string> names =
        programmes ? programmes->Names() : ReadProgrammeNames(context_.store);
    if (pilotune::ChooseParameter(context_.dialog.Handle(), cbxClaAction_, names, lines))
        ActionSelected();
    context_.changed();
}

bool ClavierPage::ParamMissing() {
    if (!IsParameterised(cbxClaAction_.SelectedItem())) return false;
    if (ParameterMissing(cbxClaAction_.SelectedItem())) ChooseParameter();
    return ParameterMissing(cbxClaAction_.SelectedItem());
}

void ClavierPage::Add() {
    if (cbxClaAction_.Selected() < 0 || ParamMissing()) return;
    const std::string key = txtClaTouche_.Text();
    if (key.empty()) {
        txtClaTouche_.Focus();
        return;
    }
    AddRow({cbxClaAction_.SelectedItem(), key, cbxClaAction_.Selected(), true});
    lsvCla_.Select(lsvCla_.Count() - 1);
    txtClaTouche_.SetText("");
    context_.changed();
}

void ClavierPage::TakeBack() {
    const int row = lsvCla_.Selected();
    if (row < 0) return;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(lsvCla_.Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    const int action = static_cast<int>(item.lParam);
    const std::string caption = lsvCla_.Cell(row, 0);
    if (action >= 0 && action < cbxClaAction_.Count()) {
        if (IsParameterised(caption)) {
            std::vector<std::string> items;
            for (int i = 0; i < cbxClaAction_.Count(); ++i)
                items.push_back(cbxClaAction_.Item(i));
            items[static_cast<size_t>(action)] = caption;
            cbxClaAction_.SetItems(items);
        }
    }
    // An action outside the list selects none: "Ajouter" then adds nothing.
    cbxClaAction_.Select(action >= 0 && action < cbxClaAction_.Count() ? action : -1);
    ActionSelected();
    txtClaTouche_.SetText(lsvCla_.Cell(row, 1));
    lsvCla_.DeleteRow(row);
    context_.changed();
}

void ClavierPage::GroupSwitch() {
    context_.changed();
    cseClaActiver_.SwitchGroup({&gbxClavier_, &lblClaAction_, &cbxClaAction_, &cmdClaParcourir_,
                                &lblClaTouche_, &txtClaTouche_, &cmdClaAjouter_, &lsvCla_});
}

} // namespace pilotune
