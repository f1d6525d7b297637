#include "options/PlanificationPageWin32.h"

#include <algorithm>
#include <ctime>

#include "components/MaskEngine.h"
#include "options/ActionTexts.h"
#include "options/ColumnWidthsWin32.h"
#include "options/PagePicturesWin32.h"
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
constexpr std::string_view kParameterKey = "cbxPlanActionChemin";
} // namespace

PlanificationPage::PlanificationPage(PageContext& context)
    : context_(context), store_(context.store), plan_(context.plan),
      lsvPlan_([this](const Row& row) { return Cells(row); }) {
    csePlanActiver_.onChanged = [this] { GroupSwitch(); };
    cbxPlanAction_.onSelectionChanged = [this] { context_.changed(); };
    cbxPlanAction_.onBrowse = [this] { ChooseParameter(); };
    cbxPlanComment_.onSelectionChanged = [this] { ModeSelected(true); };
    cbxPlanPeriode_.onSelectionChanged = [this] { context_.changed(); };
    cmdPlanAjouter_.onClick = [this] { Add(); };
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
    cbxPlanAction_.Create(page, {19, 33, 382, 300}, kStretch, "Parcourir", {408, 30, 129, 25},
                          kRight);
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
    lsvPlan_.view.Create(page, {19, 144, 516, 227}, kAnchorAll, true);
    for (int c = 0; c < 5; ++c)
        lsvPlan_.view.AddColumn(kTitles[c], kWidths[static_cast<size_t>(c)]);
    csePlanAfficheInfo_.Create(page,
                               "Afficher dans le programme quand passe la prochaine planification",
                               {19, 380, 513, 17}, kAnchorLeft | kAnchorRight | kAnchorBottom);
    WireList(
        lsvPlan_, page.Dpi(), true, [this] { context_.changed(); }, [this] { TakeBack(); },
        [this] { context_.showMenu(MenuCommands()); });
}

std::string PlanificationPage::TexteQuand(int mode, int quand) const {
    if (UsesTime(mode)) return TextePosition(tudPlanHeure_->Text(), quand, kHeure);
    if (UsesTracks(mode)) return TextePosition(tudPlanChanson_->Text(), quand, kChanson);
    return {};
}

void PlanificationPage::Fill() {
    cbxPlanAction_.Load(store_, kSectionPlanification, kParameterKey);
    cbxPlanComment_.Clear();
    for (int m = 0; m <= kModePrecedentApres; ++m)
        cbxPlanComment_.Add(TimingModeLabel(m));
    cbxPlanPeriode_.Clear();
    for (int p = 0; p < kPeriodCount; ++p)
        cbxPlanPeriode_.Add(PeriodLabel(p));
    LoadColumnWidths(lsvPlan_.view, store_, kSectionPlanification, kWidths, context_.dialog.Dpi());
    // A stored selection outside its list selects the first item.
    if (!cbxPlanAction_.Select(store_.ReadInteger(kSectionPlanification, "cbxPlanAction", 0, true)))
        cbxPlanAction_.Select(OfferedAt(0));
    auto select = [this](const ComboBox& box, std::string_view key) {
        const int stored = store_.ReadInteger(kSectionPlanification, key, 0, true);
        box.Select(stored >= 0 && stored < box.Count() ? stored : 0);
    };
    select(cbxPlanComment_, "cbxPlanComment");
    select(cbxPlanPeriode_, "cbxPlanPeriode");
    tudPlanHeure_->SetPosition(store_.ReadInteger(kSectionPlanification, "sbvPlanHeure", 0, true));
    tudPlanChanson_->SetPosition(
        store_.ReadInteger(kSectionPlanification, "sbvPlanChanson", 2, true));
    csePlanActiver_.SetChecked(plan_.Activer);
    GroupSwitch();
    lsvPlan_.Set(ReadRows());
    csePlanAfficheInfo_.SetChecked(plan_.AfficheInfo);
    ModeSelected(true);
}

std::vector<PlanificationPage::Row> PlanificationPage::ReadRows() const {
    std::vector<Row> rows;
    for (const ScheduleRow& stored : ReadScheduleList(store_)) {
        Row r;
        r.action = stored.Action;
        r.mode = stored.Comment;
        r.period = stored.Periode;
        r.quand = stored.Quand;
        r.doneText = ScheduleDoneText(store_, stored.Index);
        r.done = r.doneText.empty() ? 0 : stored.Effectuer;
        if (TakesParameter(r.action)) r.parameter = stored.Chemin;
        r.checked = stored.Activer;
        r.origin = stored.Index;
        rows.push_back(std::move(r));
    }
    return rows;
}

ScheduleRow PlanificationPage::Stored(const Row& r, int index) {
    ScheduleRow s;
    s.Action = r.action;
    s.Comment = r.mode;
    s.Periode = r.period;
    s.Quand = UsesTime(r.mode) || UsesTracks(r.mode) ? r.quand : 0;
    s.Effectuer = r.done;
    s.Chemin = r.parameter;
    s.Index = index;
    s.Activer = r.checked;
    return s;
}

std::vector<std::string> PlanificationPage::Cells(const Row& row) const {
    return {ActionText(row.action, row.parameter), CodeLabel(TimingModeLabel(row.mode), row.mode),
            TexteQuand(row.mode, row.quand), CodeLabel(PeriodLabel(row.period), row.period),
            row.doneText};
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
    if (cbxPlanAction_.Action() < 0 || cbxPlanComment_.Selected() < 0 ||
        cbxPlanPeriode_.Selected() < 0)
        return;
    if (cbxPlanAction_.ParameterMissing()) ChooseParameter();
    if (cbxPlanAction_.ParameterMissing()) return;
    Row r;
    r.action = cbxPlanAction_.Action();
    r.parameter = cbxPlanAction_.Parameter();
    r.mode = cbxPlanComment_.Selected();
    r.period = cbxPlanPeriode_.Selected();
    r.quand = UsesTime(r.mode)     ? tudPlanHeure_->Position()
              : UsesTracks(r.mode) ? tudPlanChanson_->Position()
                                   : 0;
    lsvPlan_.Add(std::move(r));
    lsvPlan_.view.Select(lsvPlan_.Count() - 1);
    context_.changed();
}

void PlanificationPage::TakeBack() {
    const int selected = lsvPlan_.Selected();
    if (selected < 0) return;
    const Row r = lsvPlan_[selected];
    // A code outside a list selects nothing there: "Ajouter" then adds no row
    // until the user picks one.
    auto known = [](const ComboBox& box, int code) { return code >= 0 && code < box.Count(); };
    cbxPlanAction_.SetParameter(r.action, r.parameter);
    cbxPlanAction_.Select(r.action);
    cbxPlanComment_.Select(known(cbxPlanComment_, r.mode) ? r.mode : -1);
    cbxPlanPeriode_.Select(known(cbxPlanPeriode_, r.period) ? r.period : -1);
    // The mode's mask first: a delay of 24 h or more is not cut to a time of day.
    ModeSelected(false);
    if (UsesTime(r.mode)) tudPlanHeure_->SetPosition(r.quand);
    if (UsesTracks(r.mode)) tudPlanChanson_->SetPosition(r.quand);
    lsvPlan_.Erase(selected);
    context_.changed();
}

int PlanificationPage::DoneToWrite(const Row& row) const {
    if (row.marked || row.origin < 0) return row.done;
    for (const TPlan& e : plan_.Entries())
        if (e.Index == row.origin && e.Effectuer > row.done) return e.Effectuer;
    return row.done;
}

void PlanificationPage::Apply() {
    SaveColumnWidths(lsvPlan_.view, store_, kSectionPlanification);
    store_.WriteInteger(kSectionPlanification, "cbxPlanAction", cbxPlanAction_.Action(), true);
    store_.WriteInteger(kSectionPlanification, "cbxPlanComment", cbxPlanComment_.Selected(), true);
    store_.WriteInteger(kSectionPlanification, "cbxPlanPeriode", cbxPlanPeriode_.Selected(), true);
    store_.WriteInteger(kSectionPlanification, "sbvPlanChanson", tudPlanChanson_->Position(), true);
    store_.WriteInteger(kSectionPlanification, "sbvPlanHeure", tudPlanHeure_->Position(), true);
    cbxPlanAction_.Save(store_, kSectionPlanification, kParameterKey);
    plan_.Activer = csePlanActiver_.Checked();
    // The done dates first: the running entries still have the old indexes.
    std::vector<Row> rows = lsvPlan_.Rows();
    for (Row& r : rows)
        r.done = DoneToWrite(r);
    std::vector<ScheduleRow> stored;
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        stored.push_back(Stored(rows[static_cast<std::size_t>(i)], i));
    WriteScheduleList(store_, stored);
    std::vector<TPlan> running;
    for (int i = 0; i < lsvPlan_.Count(); ++i) {
        const ScheduleRow& written = stored[static_cast<std::size_t>(i)];
        Row& r = lsvPlan_.At(i);
        // The row now stands for what was written.
        if (written.Effectuer != r.done) {
            r.done = written.Effectuer;
            r.doneText = ScheduleDoneText(store_, i);
            lsvPlan_.Show(i);
        }
        r.origin = i;
        r.marked = false;
        if (written.Activer) running.push_back(written);
    }
    plan_.Replace(std::move(running));
    plan_.AfficheInfo = csePlanAfficheInfo_.Checked();
}

void PlanificationPage::ChooseParameter() {
    auto* programmes = context_.pages.Ready<ProgrammePage>();
    const std::vector<std::string> names =
        programmes ? programmes->Names() : ReadProgrammeNames(store_);
    cbxPlanAction_.ChooseParameter(context_.dialog.Handle(), names, Lines());
    context_.changed();
}

std::vector<std::string> PlanificationPage::Lines() const {
    std::vector<std::string> lines;
    for (int r = 0; r < lsvPlan_.Count(); ++r) {
        const std::vector<std::string> cells = Cells(lsvPlan_[r]);
        std::string line = std::to_string(r) + " - " + cells[0];
        for (int c = 1; c <= 3; ++c)
            line += " " + cells[static_cast<std::size_t>(c)];
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
    c.doneCaption = lsvPlan_[row].done == 0 ? "Exécuter le " + TodayText() : "Réexecuter";
    c.done = [this] { ToggleDone(); };
    return c;
}

void PlanificationPage::ToggleDone() {
    const int row = lsvPlan_.Selected();
    if (row < 0) return;
    Row& r = lsvPlan_.At(row);
    r.marked = true;
    const bool done = r.done == 0;
    r.done = done ? clock_.Read().today : 0;
    r.doneText = done ? TodayText() : std::string();
    lsvPlan_.Show(row);
}

void PlanificationPage::Defaults() {
    cbxPlanAction_.Select(OfferedAt(0));
    cbxPlanComment_.Select(0);
    cbxPlanPeriode_.Select(0);
    tudPlanHeure_->SetPosition(0);
    tudPlanChanson_->SetPosition(2);
    csePlanActiver_.SetChecked(false);
    GroupSwitch();
    lsvPlan_.EraseAll();
    csePlanAfficheInfo_.SetChecked(true);
    ModeSelected(true);
    context_.changed();
}

void PlanificationPage::GroupSwitch() {
    context_.changed();
    csePlanActiver_.SwitchGroup({&gbxPlannification_, &gbxPlanHeure_, &gbxPlanChanson_,
                                 &csePlanAfficheInfo_, &cbxPlanAction_.List(), &cbxPlanComment_,
                                 &cbxPlanPeriode_, &cbxPlanAction_.BrowseButton(), &cmdPlanAjouter_,
                                 &lsvPlan_.view, &tudPlanHeure_, &tudPlanChanson_});
}

} // namespace pilotune
