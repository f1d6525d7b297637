#pragma once
// The page "Planification" of the options dialog: the whole schedule of the
// settings file as a list, the fields to add an entry, and the switch of the
// scheduler. Apply writes the list and makes its checked rows the running
// schedule.
#include <windows.h>

#include <functional>
#include <string>

#include "components/SpinEditWin32.h"
#include "options/ActionChooserWin32.h"
#include "schedule/ScheduleList.h"
#include "schedule/ScheduleClockWin32.h"
#include "ui/ButtonWin32.h"
#include "ui/CheckBoxWin32.h"
#include "ui/ComboBoxWin32.h"
#include "ui/GroupBoxWin32.h"
#include "options/ListGesturesWin32.h"
#include "options/OptionsPageWin32.h"
#include "ui/RowListWin32.h"
#include "ui/PanelWin32.h"

namespace pilotune {

class PlanificationPage final : public OptionsPage {
  public:
    explicit PlanificationPage(PageContext& context);

    std::string_view Caption() const override { return "Planification"; }
    int HelpContext() const override { return 1006; }
    void DrawPicture(HDC dc, RECT r, int dpi, bool enabled) const override;
    void Build(Panel& page) override;
    void Fill() override;
    void Apply() override;
    void Defaults() override;
    void Add();
    void TakeBack();
    void ChooseParameter();
    // One line per row: "0 - Jouer à 07 h 30 m 00 s tous les jours".
    std::vector<std::string> Lines() const;

  private:
    // A row of the list. `origin` is the entry's index in the file as the
    // running schedule knows it (-1: added here); `marked` is set once the
    // user marked the row done or armed.
    struct Row {
        int action = 0;
        std::string parameter;
        int mode = 0, period = 0, quand = 0;
        int done = 0;         // the date it was done, 0 for none
        std::string doneText; // that date as shown
        int origin = -1;
        bool marked = false;
        bool checked = true;
    };
    std::vector<std::string> Cells(const Row& row) const;
    // The stored list's rows as the page shows them, and a row as it is stored
    // at position `index`.
    std::vector<Row> ReadRows() const;
    static ScheduleRow Stored(const Row& r, int index);
    // The done date Apply writes for a row: the page's, unless the entry ran
    // (or was cancelled) since the page read it and the user left it alone.
    int DoneToWrite(const Row& row) const;
    void ModeSelected(bool byModeList);
    void GroupSwitch();
    ListCommands MenuCommands();
    // "Fait": the selected row done today, or armed again.
    void ToggleDone();
    static std::string TodayText();
    std::string TexteQuand(int mode, int quand) const;

    PageContext& context_;
    SettingsStore& store_;
    CPlanification& plan_;
    LocalScheduleClock clock_;

    GroupBox gbxPlannification_, gbxPlanHeure_, gbxPlanChanson_;
    CheckBox csePlanActiver_, csePlanAfficheInfo_;
    ActionChooser cbxPlanAction_;
    ComboBox cbxPlanComment_, cbxPlanPeriode_;
    Button cmdPlanAjouter_;
    SpinEdit tudPlanHeure_, tudPlanChanson_;
    RowList<Row> lsvPlan_;
};

} // namespace pilotune
