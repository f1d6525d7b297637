#include "options/ActionChooserWin32.h"

#include <optional>

#include "options/ActionTexts.h"
#include "programmes/FProgLireWin32.h"
#include "settings/SettingsStore.h"
#include "ui/FileDialogsWin32.h"
#include "ui/InputBoxWin32.h"

namespace pilotune {

ActionChooser::ActionChooser() : parameters_(kOfferedActions.size()) {
    list_.onSelectionChanged = [this] {
        Selected();
        if (onSelectionChanged) onSelectionChanged();
    };
    browse_.onClick = [this] {
        if (onBrowse) onBrowse();
    };
}

void ActionChooser::Create(Container& page, const Rect& list, unsigned listAnchors,
                           std::string_view browse, const Rect& button, unsigned buttonAnchors) {
    list_.Create(page, list, listAnchors);
    browse_.Create(page, browse, button, buttonAnchors);
    ShowItems();
}

void ActionChooser::Load(const SettingsStore& store, std::string_view section,
                         std::string_view key) {
    for (int row = 0; row < kOfferedCount; ++row) {
        const int action = OfferedAt(row);
        parameters_[static_cast<std::size_t>(row)] =
            TakesParameter(action)
                ? store.ReadText(section, std::string(key) + std::to_string(action), "", true)
                : std::string();
    }
    const int action = Action();
    ShowItems();
    Select(action);
}

void ActionChooser::Save(SettingsStore& store, std::string_view section,
                         std::string_view key) const {
    for (int row = 0; row < kOfferedCount; ++row) {
        const int action = OfferedAt(row);
        if (TakesParameter(action))
            store.WriteText(section, std::string(key) + std::to_string(action),
                            parameters_[static_cast<std::size_t>(row)], true);
    }
}

void ActionChooser::ShowItems() {
    std::vector<std::string> items;
    for (int row = 0; row < kOfferedCount; ++row)
        items.push_back(ActionText(OfferedAt(row), parameters_[static_cast<std::size_t>(row)]));
    list_.SetItems(items);
}

int ActionChooser::Action() const {
    return OfferedAt(list_.Selected());
}

bool ActionChooser::Select(int action) {
    const int row = OfferedRow(action);
    list_.Select(row);
    Selected();
    return row >= 0;
}

void ActionChooser::Selected() {
    browse_.Show(TakesParameter(Action()));
}

const std::string& ActionChooser::Parameter() const {
    static const std::string none;
    const int row = list_.Selected();
    return row >= 0 && row < kOfferedCount ? parameters_[static_cast<std::size_t>(row)] : none;
}

void ActionChooser::SetParameter(int action, std::string parameter) {
    const int row = OfferedRow(action);
    if (row < 0 || !TakesParameter(action)) return;
    parameters_[static_cast<std::size_t>(row)] = std::move(parameter);
    const int selected = Action();
    ShowItems();
    Select(selected);
}

bool ActionChooser::ParameterMissing() const {
    return TakesParameter(Action()) && Parameter().empty();
}

bool ActionChooser::ChooseParameter(HWND owner, const std::vector<std::string>& programmes,
                                    const std::vector<std::string>& scheduleLines) {
    const int action = Action();
    std::optional<std::string> chosen;
    switch (ParameterOf(action)) {
    case ActionParameter::File:
        chosen = ChooseFileToOpen(owner, "Ouvrir", "Tous les fichiers (*.*)|*.*", Parameter());
        break;
    case ActionParameter::Programme: {
        TfrmProgLire chooser;
        chosen = chooser.Choisir(owner, programmes, kProgLireProgramme);
        break;
    }
    case ActionParameter::ScheduleLine: {
        TfrmProgLire chooser;
        chosen = chooser.Choisir(owner, scheduleLines, kProgLireAction);
        break;
    }
    case ActionParameter::Typed: {
        std::string text = Parameter();
        if (InputBox(owner, "Paramètre", LibelleAction(action), text)) chosen = text;
        break;
    }
    case ActionParameter::None:
        break;
    }
    if (!chosen) return false;
    SetParameter(action, std::move(*chosen));
    return true;
}

} // namespace pilotune
