#include "options/ColumnWidthsWin32.h"

#include <string>

#include "settings/SettingsStore.h"
#include "ui/Layout.h"

namespace pilotune {

namespace {
std::string Key(std::size_t column) {
    return "Largeur colonnes " + std::to_string(column);
}
} // namespace

void LoadColumnWidths(ListView& list, const SettingsStore& store, std::string_view section,
                      const std::vector<int>& designWidths, int dpi) {
    std::vector<int> widths;
    for (std::size_t c = 0; c < designWidths.size(); ++c)
        widths.push_back(
            store.ReadInteger(section, Key(c), ScaleToDpi(designWidths[c], dpi), true));
    list.SetColumnWidths(widths);
}

void SaveColumnWidths(const ListView& list, SettingsStore& store, std::string_view section) {
    const std::vector<int> widths = list.ColumnWidths();
    for (std::size_t c = 0; c < widths.size(); ++c)
        store.WriteInteger(section, Key(c), widths[c], true);
}

} // namespace pilotune
