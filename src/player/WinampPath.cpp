#include "player/Winamp.h"

#include "settings/SettingsStore.h"

namespace pilotune {

std::string ResolveWinampPath(SettingsStore& store, PlayerSystem& system) {
    std::string path = store.ReadText("Option", "CheminWinamp", kDefaultWinampPath, true);
    if (!system.FileExists(path)) path = system.RegisteredWinampPath();
    if (!system.FileExists(path)) {
        path = system.AskText("Erreur de chemin de winamp",
                              "Le chemin de winamp n'a pas été trouvé\r\n"
                              "Veuillez saisir le chemin complet",
                              path);
    }
    store.WriteText("Option", "CheminWinamp", path, true);
    if (!system.FileExists(path)) {
        system.ShowMessage("                    Veuillez installer Winamp. \r\n"
                           "Sans Winamp le programme ne sert pas à grand chose.");
    }
    return path;
}

} // namespace pilotune
