#pragma once
// The page "Planification" of the options dialog: the whole schedule of the
// settings file as a list, the fields to add an entry, and the switch of the
// scheduler. Apply writes the list and makes its checked rows the running
// schedule.
#include <windows.h>

#include <deque>
#include <functional>
#include <string>

#include "components/SpinEditWin32.h"
#include "schedule/Plan.h"
#include "schedule/ScheduleClockWin32.h"
#include "ui/ButtonWin32.h"
#include "ui/CheckBoxWin32.h"
#include "ui/ComboBoxWin32.h"
#include "ui/GroupBoxWin32.h"
#include "options/ListGesturesWin32.h"
#include "ui/ListViewWin32.h"
#include "ui/PanelWin32.h"

namespace pilotune {

class CPlanification;
class SettingsStore;

inline constexpr int kOptPlanGroup = 1300;
inline constexpr int kOptPlanActiver = 1301;
inline constexpr int kOptPlanAction = 1302;
inline constexpr int kOptPlanParcourir = 1303;
inline constexpr int kOptPlanComment = 1304;
inline constexpr int kOptPlanHeureFrame = 1305;
inline constexpr int kOptPlanHeure = 1306;
inline constexpr int kOptPlanChansonFrame = 1307;
inline constexpr int kOptPlanChanson = 1308;
inline constexpr int kOptPlanPeriode = 1309;
inline constexpr int kOptPlanAjouter = 1310;
inline constexpr int kOptPlanList = 1311;
inline constexpr int kOptPlanAfficheInfo = 1312;

class PlanificationPage {
  public:
    PlanificationPage(Container& dialog, SettingsStore& store, CPlanification& plan,
                      std::function<void()> changed);

    void Build(Panel& page);
    void Fill();
    void Apply();
    void Defaults();
    void Add();
    void TakeBack();
    void ChooseParameter();
    // One line per row: "0 - Jouer à 07 h 30 m 00 s tous les jours".
    std::vector<std::string> Lines() const;
    // The list menu was asked for on the page's list.
    std::function<void(const ListCommands&)> onMenu;
    // The programme names the programme page holds (default: the file's).
    std::function<std::vector<std::string>()> programmeNames;

  private:
    // What a row keeps beside its texts. `origin` is the entry's index in the
    // file as the running schedule knows it (-1: added here); `marked` is set
    // once the user marked the row done or armed.
    struct RowData {
        int action = 0, mode = 0, period = 0, quand = 0, done = 0;
        int origin = -1;
        bool marked = false;
    };
    // The done date Apply writes for a row: the page's, unless the entry ran
    // (or was cancelled) since the page read it and the user left it alone.
    int DoneToWrite(const RowData& d) const;
    void ActionSelected();
    void ModeSelected(bool byModeList);
    void GroupSwitch();
    ListCommands MenuCommands();
    // "Fait": the selected row done today, or armed again.
    void ToggleDone();
    static std::string TodayText();
    void AddRow(const std::string& caption, const RowData& data, const std::string& doneText,
                bool checked);
    RowData* DataOf(int row) const;
    std::string TexteQuand(int mode, int quand);

    Container& dialog_;
    SettingsStore& store_;
    CPlanification& plan_;
    std::function<void()> changed_;
    std::deque<RowData> rows_; // the rows point into it
    LocalScheduleClock clock_;

    GroupBox gbxPlannification_, gbxPlanHeure_, gbxPlanChanson_;
    CheckBox csePlanActiver_, csePlanAfficheInfo_;
    ComboBox cbxPlanAction_, cbxPlanComment_, cbxPlanPeriode_;
    Button cmdPlanParcourir_, cmdPlanAjouter_;
    SpinEdit tudPlanHeure_, tudPlanChanson_;
    ListView lsvPlan_;
};

} // namespace pilotune
