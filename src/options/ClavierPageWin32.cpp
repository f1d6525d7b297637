#include "options/ClavierPageWin32.h"

#include "options/ParameterChooserWin32.h"
#include "programmes/Programmes.h"
#include "schedule/Action.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"

namespace pilotune {

namespace {
constexpr int kDefaultActionWidth = 350, kDefaultKeyWidth = 150;
std::string Indexed(std::string_view key, int i) {
    return std::string(key) + std::to_string(i);
}
} // namespace

ClavierPage::ClavierPage(Container& dialog, SettingsStore& store, COption& option,
                         std::function<void()> changed, KeyCapture capture)
    : dialog_(dialog), store_(store), option_(option), changed_(std::move(changed)),
      capture_(std::move(capture)) {
    dialog_.OnCommand(kOptClaActiver, [this] { GroupSwitch(); });
    dialog_.OnCommand(kOptClaAction, CBN_SELCHANGE, [this] {
        ActionSelected();
        changed_();
    });
    dialog_.OnCommand(kOptClaParcourir, [this] { ChooseParameter(); });
    dialog_.OnCommand(kOptClaAjouter, [this] { Add(); });
    dialog_.OnCommand(kOptClaTouche, EN_CHANGE, [this] { changed_(); });
    dialog_.OnCommand(kOptClaTouche, EN_SETFOCUS, [this] {
        capturing_ = true;
        if (capture_)
            capture_(true, [this](const std::string& key) { txtClaTouche_.SetText(key); });
    });
    dialog_.OnCommand(kOptClaTouche, EN_KILLFOCUS, [this] { StopCapture(); });
}

ClavierPage::~ClavierPage() {
    StopCapture();
}

void ClavierPage::StopCapture() {
    if (!capturing_) return;
    capturing_ = false;
    if (capture_) capture_(false, {});
}

void ClavierPage::Build(Panel& page) {
    // The fields widen with the page and the buttons follow its right edge.
    constexpr unsigned kStretch = kAnchorLeft | kAnchorRight | kAnchorTop;
    constexpr unsigned kRight = kAnchorRight | kAnchorTop;
    gbxClavier_.Create(page, "", {8, 8, 537, 403}, kOptClaGroup, kAnchorAll);
    cseClaActiver_.Create(page, "Activer les touches de raccourcis", {16, 7, 217, 17},
                          kOptClaActiver);
    cseClaActiver_.SetFont(page.BoldFont());
    lblClaAction_.Create(page, "Action :", {24, 36, 48, 17}, kOptClaActionLabel);
    cbxClaAction_.Create(page, {80, 33, 321, 300}, kOptClaAction, kStretch);
    cmdClaParcourir_.Create(page, " Parcourir", {408, 32, 121, 25}, kOptClaParcourir, kRight);
    lblClaTouche_.Create(page, "Touche :", {24, 76, 48, 17}, kOptClaToucheLabel);
    txtClaTouche_.Create(page, "", {80, 73, 321, 21}, kOptClaTouche, kStretch);
    txtClaTouche_.SetReadOnly(true);
    cmdClaAjouter_.Create(page, "Ajouter", {408, 72, 121, 25}, kOptClaAjouter, kRight);
    lsvCla_.Create(page, {24, 112, 505, 283}, kOptClaList, kAnchorAll, true);
    lsvCla_.AddColumn("Action", kDefaultActionWidth);
    lsvCla_.AddColumn("Touche", kDefaultKeyWidth);
    WireList(
        lsvCla_, page.Dpi(), true, [this] { changed_(); }, [this] { TakeBack(); },
        [this] {
            if (onMenu) onMenu({&lsvCla_, [this] { Add(); }, [this] { TakeBack(); }});
        });
}

void ClavierPage::Fill() {
    std::vector<std::string> items = ActionLabels();
    for (size_t i = 0; i < items.size(); ++i)
        if (IsParameterised(items[i]))
            items[i] =
                LabelPrefix(items[i]) +
                store_.ReadText(kSectionClavier, Indexed("cbxClaActionChemin", static_cast<int>(i)),
                                "", true);
    cbxClaAction_.SetItems(items);
    cseClaActiver_.SetChecked(option_.ClavierActiver);
    GroupSwitch();
    // A stored action outside the list selects the first one.
    const int stored = store_.ReadInteger(kSectionClavier, "cbxClaAction", 0, true);
    cbxClaAction_.Select(stored >= 0 && stored < cbxClaAction_.Count() ? stored : 0);
    ActionSelected();
    txtClaTouche_.SetText("");
    // The widths are kept as the list shows them.
    ListView_SetColumnWidth(lsvCla_.Handle(), 0,
                            store_.ReadInteger(kSectionClavier, "Largeur colonnes 0",
                                               dialog_.Scale(kDefaultActionWidth), true));
    ListView_SetColumnWidth(lsvCla_.Handle(), 1,
                            store_.ReadInteger(kSectionClavier, "Largeur colonnes 1",
                                               dialog_.Scale(kDefaultKeyWidth), true));
    lsvCla_.Clear();
    SendMessageW(lsvCla_.Handle(), WM_SETREDRAW, FALSE, 0);
    const std::vector<BindingRow> rows = BindingRows(option_.Bindings, items);
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
    for (int i = 0; i < 2; ++i)
        store_.WriteInteger(kSectionClavier, Indexed("Largeur colonnes ", i),
                            ListView_GetColumnWidth(lsvCla_.Handle(), i), true);
    for (int i = 0; i < cbxClaAction_.Count(); ++i) {
        const std::string text = cbxClaAction_.Item(i);
        if (IsParameterised(text))
            store_.WriteText(kSectionClavier, Indexed("cbxClaActionChemin", i), ParamText(text),
                             true);
    }
    option_.ClavierActiver = cseClaActiver_.Checked();
    std::vector<BindingRow> rows;
    for (int r = 0; r < lsvCla_.Count(); ++r) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = r;
        SendMessageW(lsvCla_.Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        rows.push_back({lsvCla_.Cell(r, 0), lsvCla_.Cell(r, 1), static_cast<int>(item.lParam),
                        lsvCla_.Checked(r)});
    }
    option_.Bindings = BindingsOf(rows);
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
    changed_();
}

void ClavierPage::ActionSelected() {
    cmdClaParcourir_.Show(IsParameterised(cbxClaAction_.SelectedItem()));
}

void ClavierPage::ChooseParameter() {
    const std::vector<std::string> lines =
        scheduleLines ? scheduleLines() : std::vector<std::string>{};
    const std::vector<std::string> names =
        programmeNames ? programmeNames() : ReadProgrammeNames(store_);
    if (pilotune::ChooseParameter(dialog_.Handle(), cbxClaAction_, names, lines)) ActionSelected();
    changed_();
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
    changed_();
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
    changed_();
}

void ClavierPage::GroupSwitch() {
    changed_();
    const bool on = cseClaActiver_.Checked();
    for (const Control* c : std::initializer_list<const Control*>{
             &gbxClavier_, &lblClaAction_, &cbxClaAction_, &cmdClaParcourir_, &lblClaTouche_,
             &txtClaTouche_, &cmdClaAjouter_, &lsvCla_})
        c->Enable(on);
    cseClaActiver_.Enable(true);
}

} // namespace pilotune
