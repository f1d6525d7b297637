#include "options/ParameterChooserWin32.h"

#include <optional>

#include "options/ActionTexts.h"
#include "programmes/FProgLireWin32.h"
#include "schedule/Action.h"
#include "settings/Option.h"
#include "ui/FileDialogsWin32.h"

namespace pilotune {

bool ChooseParameter(HWND owner, const ComboBox& list, const std::vector<std::string>& programmes,
                     const std::vector<std::string>& scheduleLines) {
    const int index = list.Selected();
    const std::string text = list.SelectedItem();
    std::optional<std::string> chosen;
    if (index == EXECUTER) {
        chosen = ChooseFileToOpen(owner, "Ouvrir", "Tous les fichiers (*.*)|*.*", ParamText(text));
    } else if (index == LECTUREPROGRAMME) {
        TfrmProgLire chooser;
        chosen = chooser.Choisir(owner, programmes, kProgLireProgramme);
    } else if (index == RELANCERACTION) {
        TfrmProgLire chooser;
        chosen = chooser.Choisir(owner, scheduleLines, kProgLireAction);
    }
    if (!chosen) return false;
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list.Item(i));
    items[static_cast<size_t>(index)] = LabelPrefix(text) + *chosen;
    list.SetItems(items);
    list.Select(index);
    return true;
}

} // namespace pilotune
