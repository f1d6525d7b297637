#pragma once
// The page "Clavier" of the options dialog: the shortcut bindings, an action
// list that remembers each parameter, and a key box that captures the key the
// user presses through the bar's keyboard hook.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "options/ActionTexts.h"
#include "ui/ButtonWin32.h"
#include "ui/CheckBoxWin32.h"
#include "ui/ComboBoxWin32.h"
#include "ui/EditWin32.h"
#include "ui/GroupBoxWin32.h"
#include "options/ListGesturesWin32.h"
#include "ui/ListViewWin32.h"
#include "ui/PanelWin32.h"
#include "ui/StaticWin32.h"

namespace pilotune {

class COption;
class SettingsStore;

inline constexpr int kOptClaGroup = 1200;
inline constexpr int kOptClaActiver = 1201;
inline constexpr int kOptClaActionLabel = 1202;
inline constexpr int kOptClaAction = 1203;
inline constexpr int kOptClaParcourir = 1204;
inline constexpr int kOptClaToucheLabel = 1205;
inline constexpr int kOptClaTouche = 1206;
inline constexpr int kOptClaAjouter = 1207;
inline constexpr int kOptClaList = 1208;

// Key capture: on with a target for the key texts, off with none.
using KeyCapture = std::function<void(bool on, std::function<void(const std::string&)> target)>;

class ClavierPage {
  public:
    // `changed` enables "Appliquer"; `dialog` receives the controls' commands.
    ClavierPage(Container& dialog, SettingsStore& store, COption& option,
                std::function<void()> changed, KeyCapture capture);
    ~ClavierPage();

    void Build(Panel& page);
    void Fill();
    void Apply();
    void Defaults();
    void Add();
    void TakeBack();
    // The list menu was asked for on the page's list.
    std::function<void(const ListCommands&)> onMenu;
    // The schedule's lines, offered for "Relancer une action planifier :".
    std::function<std::vector<std::string>()> scheduleLines;
    // The programme names, offered for "Lecture du programme :".
    std::function<std::vector<std::string>()> programmeNames;
    // Ends the key capture if the key box had the focus.
    void StopCapture();

  private:
    void ActionSelected();
    void ChooseParameter();
    bool ParamMissing();
    void GroupSwitch();
    void AddRow(const BindingRow& row);

    Container& dialog_;
    SettingsStore& store_;
    COption& option_;
    std::function<void()> changed_;
    KeyCapture capture_;
    bool capturing_ = false;

    GroupBox gbxClavier_;
    CheckBox cseClaActiver_;
    Static lblClaAction_, lblClaTouche_;
    ComboBox cbxClaAction_;
    Button cmdClaParcourir_, cmdClaAjouter_;
    Edit txtClaTouche_;
    ListView lsvCla_;
};

} // namespace pilotune
