#include "options/PlanificationPageWin32.h"

#include <algorithm>
#include <ctime>

#include "components/MaskEngine.h"
#include "options/ActionTexts.h"
#include "options/ColumnWidthsWin32.h"
#include "options/PagePicturesWin32.h"
#include "options/ParameterChooserWin32.h"
#include "options/ProgrammePageWin32.h"
#include "programmes/Programmes.h"
#include "schedule/Action.h"
#include "schedule/Planification.h"
#include "base/EncodingWin32.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"

namespace pilotune {

namespace {
const std::vector<int> kWidths = {250, 80, 60, 60, 80};
constexpr const char* kTitles[] = {"Action", "Comment", "Quand", "Periode", "Effectuer"};
std::string Key(std::string_view key, int i) {
    return std::string(key) + std::to_string(i);
}
// A code the lists do not know (an edited file) still gets a label.
std::string CodeLabel(std::string_view label, int code) {
    return label.empty() ? "Code inconnu " + std::to_string(code) : std::string(label);
}
bool UsesTime(int mode) {
    return mode == kModeA || mode == kModeDans || mode == kModePrecedentDans;
}
bool UsesTracks(int mode) {
    return mode == kModeApres || mode == kModePrecedentApres;
}
const ProprietesMasque kHeure{"3600 60 1", "00 h 00 m 00 s", "99 h 59 m 59 s", false, false};
const ProprietesMasque kChanson{"1", "1", "999", false, true};
} // namespace

PlanificationPage::PlanificationPage(PageContext& context)
    : context_(context), store_(context.store), plan_(context.plan) {
    csePlanActiver_.onChanged = [this] { GroupSwitch(); };
    cbxPlanAction_.onSelectionChanged = [this] { ActionSelected(); };
    cbxPlanComment_.onSelectionChanged = [this] { ModeSelected(true); };
    cbxPlanPeriode_.onSelectionChanged = [this] { context_.changed(); };
    cmdPlanAjouter_.onClick = [this] { Add(); };
    cmdPlanParcourir_.onClick = [this] { ChooseParameter(); };
    csePlanAfficheInfo_.onChanged = [this] { context_.changed(); };
}

void PlanificationPage::DrawPicture(HDC dc, RECT r, int dpi, bool enabled) const {
    DrawClockPicture(dc, r, dpi, enabled);
}

void PlanificationPage::Build(Panel& page) {
    // The fields widen with the page and the right column follows its edge:
    // at the dialog's minimum width nothing leaves the group.
    constexpr unsigned kStretch = kAnchorLeft | kAnchorRight | kAnchorTop;
    constexpr unsigned kRight = kAnchorRight | kAnchorTop;
    gbxPlannification_.Create(page, "", {8, 8, 537, 403}, kAnchorAll);
    csePlanActiver_.Create(page, "Activer la planification", {16, 8, 149, 17});
    csePlanActiver_.SetFont(page.BoldFont());
    cbxPlanAction_.Create(page, {19, 33, 382, 300}, kStretch);
    cmdPlanParcourir_.Create(page, "Parcourir", {408, 30, 129, 25}, kRight);
    cbxPlanComment_.Create(page, {19, 69, 382, 200}, kStretch);
    gbxPlanHeure_.Create(page, "", {408, 58, 129, 37}, kRight);
    tudPlanHeure_.Create(page, {423, 65, 102, 25}, kRight);
    tudPlanHeure_->SetText("00 h 00 m 00 s");
    tudPlanHeure_->SetCoeficient(kHeure.Coeficient);
    tudPlanHeure_->SetMaskMin(kHeure.MaskMin);
    tudPlanHeure_->SetMaskMax(kHeure.MaskMax);
    gbxPlanChanson_.Create(page, "", {408, 58, 129, 37}, kRight);
    tudPlanChanson_.Create(page, {423, 65, 102, 25}, kRight);
    tudPlanChanson_->SetText("003 chansons");
    tudPlanChanson_->SetPluriel(true);
    tudPlanChanson_->SetCoeficient(kChanson.Coeficient);
    tudPlanChanson_->SetMaskMin(kChanson.MaskMin);
    tudPlanChanson_->SetMaskMax(kChanson.MaskMax);
    tudPlanHeure_->OnChange = [this] { context_.changed(); };
    tudPlanChanson_->OnChange = [this] { context_.changed(); };
    cbxPlanPeriode_.Create(page, {19, 107, 382, 300}, kStretch);
    cmdPlanAjouter_.Create(page, "Ajouter", {408, 104, 129, 25}, kRight);
    lsvPlan_.Create(page, {19, 144, 516, 227}, kAnchorAll, true);
    for (int c = 0; c < 5; ++c)
        lsvPlan_.AddColumn(kTitles[c], kWidths[static_cast<size_t>(c)]);
    csePlanAfficheInfo_.Create(page,
                               "Afficher dans le programme quand passe la prochaine planification",
                               {19, 380, 513, 17}, kAnchorLeft | kAnchorRight | kAnchorBottom);
    WireList(
        lsvPlan_, page.Dpi(), true, [this] { context_.changed(); }, [this] { TakeBack(); },
        [this] { context_.showMenu(MenuCommands()); });
}

std::string PlanificationPage::TexteQuand(int mode, int quand) {
    if (UsesTime(mode)) return TextePosition(tudPlanHeure_->Text(), quand, kHeure);
    if (UsesTracks(mode)) return TextePosition(tudPlanChanson_->Text(), quand, kChanson);
    return {};
}

void PlanificationPage::Fill() {
    std::vector<std::string> items = ActionLabels();
    for (size_t i = 0; i < items.size(); ++i)
        if (IsParameterised(items[i]))
            items[i] = LabelPrefix(items[i]) +
                       store_.ReadText(kSectionPlanification,
                                       Key("cbxPlanActionChemin", static_cast<int>(i)), "", true);
    cbxPlanAction_.SetItems(items);
    for (int m = 0; m <= kModePrecedentApres; ++m)
        cbxPlanComment_.Add(TimingModeLabel(m));
    for (int p = 0; p < kPeriodCount; ++p)
        cbxPlanPeriode_.Add(PeriodLabel(p));
    LoadColumnWidths(lsvPlan_, store_, kSectionPlanification, kWidths, context_.dialog.Dpi());
    // A stored selection outside its list selects the first item.
    auto select = [this](const ComboBox& box, std::string_view key) {
        const int stored = store_.ReadInteger(kSectionPlanification, key, 0, true);
        box.Select(stored >= 0 && stored < box.Count() ? stored : 0);
    };
    select(cbxPlanAction_, "cbxPlanAction");
    select(cbxPlanComment_, "cbxPlanComment");
    select(cbxPlanPeriode_, "cbxPlanPeriode");
    tudPlanHeure_->SetPosition(store_.ReadInteger(kSectionPlanification, "sbvPlanHeure", 0, true));
    tudPlanChanson_->SetPosition(
        store_.ReadInteger(kSectionPlanification, "sbvPlanChanson", 2, true));
    csePlanActiver_.SetChecked(plan_.Activer);
    GroupSwitch();
    lsvPlan_.Clear();
    rows_.clear();
    const int n = ReadCount(store_, kSectionPlanification, "NbListe", 0);
    SendMessageW(lsvPlan_.Handle(), WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < n; ++i) {
        RowData d;
        d.action = store_.ReadInteger(kSectionPlanification, Key("Action ", i), 0, true);
        d.mode = store_.ReadInteger(kSectionPlanification, Key("Comment ", i), 0, true);
        d.period = store_.ReadInteger(kSectionPlanification, Key("Periode ", i), 0, true);
        d.quand = store_.ReadInteger(kSectionPlanification, Key("Quand ", i), 0, true);
        d.done = store_.ReadDate(kSectionPlanification, Key("Effectuer ", i), 0, true);
        d.origin = i;
        const std::string chemin =
            store_.ReadText(kSectionPlanification, Key("Chemin ", i), "", true);
        std::string caption = d.action >= 0 && d.action < static_cast<int>(items.size())
                                  ? items[static_cast<size_t>(d.action)]
                                  : LibelleAction(d.action);
        if (IsParameterised(caption)) caption = LabelPrefix(caption) + chemin;
        const std::string doneText =
            d.done != 0 ? store_.ReadText(kSectionPlanification, Key("Effectuer ", i), "", true)
                        : std::string();
        AddRow(caption, d, doneText,
               store_.ReadBoolean(kSectionPlanification, Key("Activer ", i), true, true));
    }
    SendMessageW(lsvPlan_.Handle(), WM_SETREDRAW, TRUE, 0);
    csePlanAfficheInfo_.SetChecked(plan_.AfficheInfo);
    ActionSelected();
    ModeSelected(true);
}

void PlanificationPage::AddRow(const std::string& caption, const RowData& data,
                               const std::string& doneText, bool checked) {
    rows_.push_back(data);
    const std::string mode = CodeLabel(TimingModeLabel(data.mode), data.mode);
    const std::string period = CodeLabel(PeriodLabel(data.period), data.period);
    const std::string quand = TexteQuand(data.mode, data.quand);
    const int at = lsvPlan_.InsertRow(caption);
    lsvPlan_.SetCell(at, 1, mode);
    lsvPlan_.SetCell(at, 2, quand);
    lsvPlan_.SetCell(at, 3, period);
    lsvPlan_.SetCell(at, 4, doneText);
    lsvPlan_.SetChecked(at, checked);
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = at;
    item.lParam = reinterpret_cast<LPARAM>(&rows_.back());
    SendMessageW(lsvPlan_.Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

PlanificationPage::RowData* PlanificationPage::DataOf(int row) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(lsvPlan_.Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return reinterpret_cast<RowData*>(item.lParam);
}

void PlanificationPage::ActionSelected() {
    cmdPlanParcourir_.Show(IsParameterised(cbxPlanAction_.SelectedItem()));
    context_.changed();
}

void PlanificationPage::ModeSelected(bool byModeList) {
    gbxPlanHeure_.Show(false);
    tudPlanHeure_.Show(false);
    gbxPlanChanson_.Show(false);
    tudPlanChanson_.Show(false);
    const int mode = cbxPlanComment_.Selected();
    auto showHeure = [this] {
        gbxPlanHeure_.Show(true);
        tudPlanHeure_.Show(true);
    };
    if (mode == kModeA) {
        tudPlanHeure_->SetMaskMax("23 h 59 m 59 s");
        if (byModeList) {
            const std::time_t now = std::time(nullptr);
            std::tm local{};
            localtime_s(&local, &now);
            tudPlanHeure_->SetPosition(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
        }
        showHeure();
    } else if (mode == kModeDans || mode == kModePrecedentDans) {
        tudPlanHeure_->SetMaskMax("99 h 59 m 59 s");
        if (byModeList) tudPlanHeure_->SetPosition(600);
        showHeure();
    } else if (UsesTracks(mode)) {
        gbxPlanChanson_.Show(true);
        tudPlanChanson_.Show(true);
    }
    context_.changed();
}

void PlanificationPage::Add() {
    if (cbxPlanAction_.Selected() < 0 || cbxPlanComment_.Selected() < 0 ||
        cbxPlanPeriode_.Selected() < 0)
        return;
    if (ParameterMissing(cbxPlanAction_.SelectedItem())) ChooseParameter();
    if (ParameterMissing(cbxPlanAction_.SelectedItem())) return;
    RowData d;
    d.action = cbxPlanAction_.Selected();
    d.mode = cbxPlanComment_.Selected();
    d.period = cbxPlanPeriode_.Selected();
    d.quand = UsesTime(d.mode)     ? tudPlanHeure_->Position()
              : UsesTracks(d.mode) ? tudPlanChanson_->Position()
                                   : 0;
    AddRow(cbxPlanAction_.SelectedItem(), d, "", true);
    lsvPlan_.Select(lsvPlan_.Count() - 1);
    context_.changed();
}

void PlanificationPage::TakeBack() {
    const int row = lsvPlan_.Selected();
    if (row < 0) return;
    const RowData d = *DataOf(row);
    const std::string caption = lsvPlan_.Cell(row, 0);
    // A code outside a list selects nothing there: "Ajouter" then adds no row
    // until the user picks one.
    auto known = [](const ComboBox& box, int code) { return code >= 0 && code < box.Count(); };
    if (known(cbxPlanAction_, d.action) && IsParameterised(caption)) {
        std::vector<std::string> items;
        for (int i = 0; i < cbxPlanAction_.Count(); ++i)
            items.push_back(cbxPlanAction_.Item(i));
        items[static_cast<size_t>(d.action)] = caption;
        cbxPlanAction_.SetItems(items);
    }
    cbxPlanAction_.Select(known(cbxPlanAction_, d.action) ? d.action : -1);
    cbxPlanComment_.Select(known(cbxPlanComment_, d.mode) ? d.mode : -1);
    cbxPlanPeriode_.Select(known(cbxPlanPeriode_, d.period) ? d.period : -1);
    // The mode's mask first: a delay of 24 h or more is not cut to a time of day.
    ModeSelected(false);
    if (UsesTime(d.mode)) tudPlanHeure_->SetPosition(d.quand);
    if (UsesTracks(d.mode)) tudPlanChanson_->SetPosition(d.quand);
    lsvPlan_.DeleteRow(row);
    ActionSelected();
}

int PlanificationPage::DoneToWrite(const RowData& d) const {
    if (d.marked || d.origin < 0) return d.done;
    for (const TPlan& e : plan_.Entries())
        if (e.Index == d.origin && e.Effectuer > d.done) return e.Effectuer;
    return d.done;
}

void PlanificationPage::Apply() {
    SaveColumnWidths(lsvPlan_, store_, kSectionPlanification);
    store_.WriteInteger(kSectionPlanification, "cbxPlanAction", cbxPlanAction_.Selected(), true);
    store_.WriteInteger(kSectionPlanification, "cbxPlanComment", cbxPlanComment_.Selected(), true);
    store_.WriteInteger(kSectionPlanification, "cbxPlanPeriode", cbxPlanPeriode_.Selected(), true);
    store_.WriteInteger(kSectionPlanification, "sbvPlanChanson", tudPlanChanson_->Position(), true);
    store_.WriteInteger(kSectionPlanification, "sbvPlanHeure", tudPlanHeure_->Position(), true);
    for (int i = 0; i < cbxPlanAction_.Count(); ++i) {
        const std::string text = cbxPlanAction_.Item(i);
        if (IsParameterised(text))
            store_.WriteText(kSectionPlanification, Key("cbxPlanActionChemin", i), ParamText(text),
                             true);
    }
    plan_.Activer = csePlanActiver_.Checked();
    const int n = lsvPlan_.Count();
    store_.WriteInteger(kSectionPlanification, "NbListe", n, true);
    // The done dates first: the running entries still have the old indexes.
    std::vector<int> done;
    for (int i = 0; i < n; ++i) {
        RowData& d = *DataOf(i);
        if (lsvPlan_.Cell(i, 4).empty()) d.done = 0;
        done.push_back(DoneToWrite(d));
    }
    std::vector<TPlan> running;
    for (int i = 0; i < n; ++i) {
        RowData& d = *DataOf(i);
        const std::string caption = lsvPlan_.Cell(i, 0);
        TPlan e;
        e.Action = d.action;
        e.Comment = d.mode;
        e.Periode = d.period;
        e.Quand = UsesTime(d.mode) || UsesTracks(d.mode) ? d.quand : 0;
        e.Effectuer = done[static_cast<size_t>(i)];
        e.Chemin = IsParameterised(caption) ? ParamText(caption) : std::string();
        e.Index = i;
        const bool checked = lsvPlan_.Checked(i);
        store_.WriteInteger(kSectionPlanification, Key("Action ", i), e.Action, true);
        store_.WriteInteger(kSectionPlanification, Key("Comment ", i), e.Comment, true);
        store_.WriteInteger(kSectionPlanification, Key("Periode ", i), e.Periode, true);
        store_.WriteInteger(kSectionPlanification, Key("Quand ", i), e.Quand, true);
        store_.WriteDate(kSectionPlanification, Key("Effectuer ", i), e.Effectuer, true);
        store_.WriteText(kSectionPlanification, Key("Chemin ", i), e.Chemin, true);
        store_.WriteBoolean(kSectionPlanification, Key("Activer ", i), checked, true);
        // The row now stands for what was written.
        if (e.Effectuer != d.done)
            lsvPlan_.SetCell(
                i, 4, store_.ReadText(kSectionPlanification, Key("Effectuer ", i), "", true));
        d.done = e.Effectuer;
        d.origin = i;
        d.marked = false;
        if (checked) running.push_back(std::move(e));
    }
    plan_.Replace(std::move(running));
    plan_.AfficheInfo = csePlanAfficheInfo_.Checked();
}

void PlanificationPage::ChooseParameter() {
    auto* programmes = context_.pages.Ready<ProgrammePage>();
    const std::vector<std::string> names =
        programmes ? programmes->Names() : ReadProgrammeNames(store_);
    if (pilotune::ChooseParameter(context_.dialog.Handle(), cbxPlanAction_, names, Lines()))
        ActionSelected();
    context_.changed();
}

std::vector<std::string> PlanificationPage::Lines() const {
    std::vector<std::string> lines;
    for (int r = 0; r < lsvPlan_.Count(); ++r) {
        std::string line = std::to_string(r) + " - " + lsvPlan_.Cell(r, 0);
        for (int c = 1; c <= 3; ++c)
            line += " " + lsvPlan_.Cell(r, c);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string PlanificationPage::TodayText() {
    wchar_t text[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 64);
    return Narrow(text);
}

ListCommands PlanificationPage::MenuCommands() {
    ListCommands c{&lsvPlan_, [this] { Add(); }, [this] { TakeBack(); }};
    const int row = lsvPlan_.Selected();
    if (row < 0) return c;
    c.doneCaption = lsvPlan_.Cell(row, 4).empty() ? "Exécuter le " + TodayText() : "Réexecuter";
    c.done = [this] { ToggleDone(); };
    return c;
}

void PlanificationPage::ToggleDone() {
    const int row = lsvPlan_.Selected();
    if (row < 0) return;
    RowData& d = *DataOf(row);
    d.marked = true;
    if (lsvPlan_.Cell(row, 4).empty()) {
        d.done = clock_.Read().today;
        lsvPlan_.SetCell(row, 4, TodayText());
    } else {
        d.done = 0;
        lsvPlan_.SetCell(row, 4, "");
    }
}

void PlanificationPage::Defaults() {
    cbxPlanAction_.Select(0);
    cbxPlanComment_.Select(0);
    cbxPlanPeriode_.Select(0);
    tudPlanHeure_->SetPosition(0);
    tudPlanChanson_->SetPosition(2);
    csePlanActiver_.SetChecked(false);
    GroupSwitch();
    lsvPlan_.Clear();
    csePlanAfficheInfo_.SetChecked(true);
    ActionSelected();
    ModeSelected(true);
    context_.changed();
}

void PlanificationPage::GroupSwitch() {
    context_.changed();
    csePlanActiver_.SwitchGroup({&gbxPlannification_, &gbxPlanHeure_, &gbxPlanChanson_,
                                 &csePlanAfficheInfo_, &cbxPlanAction_, &cbxPlanComment_,
                                 &cbxPlanPeriode_, &cmdPlanParcourir_, &cmdPlanAjouter_, &lsvPlan_,
                                 &tudPlanHeure_, &tudPlanChanson_});
}

} // namespace pilotune
