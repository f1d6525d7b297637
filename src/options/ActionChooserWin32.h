#pragma once
// The action list of the keyboard and schedule pages: the offered actions in
// their order, each remembering its parameter, and the button that chooses
// the parameter of the selected one, shown for the actions that take one.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/ButtonWin32.h"
#include "ui/ComboBoxWin32.h"

namespace pilotune {

class SettingsStore;

class ActionChooser {
  public:
    ActionChooser();
    void Create(Container& page, const Rect& list, unsigned listAnchors, std::string_view browse,
                const Rect& button, unsigned buttonAnchors);
    // The remembered parameters: "<key><action>" of `section` (the file of a
    // schedule entry, "cbxPlanActionChemin2").
    void Load(const SettingsStore& store, std::string_view section, std::string_view key);
    void Save(SettingsStore& store, std::string_view section, std::string_view key) const;

    // The selected action; -1 for none.
    int Action() const;
    // Selects `action`, or none when it is not offered; false then.
    bool Select(int action);
    const std::string& Parameter() const; // the selected action's
    // Remembers and shows `parameter` for `action`.
    void SetParameter(int action, std::string parameter);
    // The selected action takes a parameter and has none yet.
    bool ParameterMissing() const;
    // The chooser of the selected action's parameter (a file, a programme, a
    // schedule line); true when the user chose one.
    bool ChooseParameter(HWND owner, const std::vector<std::string>& programmes,
                         const std::vector<std::string>& scheduleLines);

    // The user chose another action.
    std::function<void()> onSelectionChanged;
    // The user asked for the parameter's chooser ("Parcourir").
    std::function<void()> onBrowse;
    const ComboBox& List() const { return list_; }
    const Button& BrowseButton() const { return browse_; }

  private:
    void ShowItems();
    void Selected();

    std::vector<std::string> parameters_; // by row
    ComboBox list_;
    Button browse_;
};

} // namespace pilotune
