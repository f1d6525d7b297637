#pragma once
// The widths of an options list's columns, kept in the settings as
// "Largeur colonnes <n>" of the page's section, in pixels as shown.
#include <string_view>
#include <vector>

#include "ui/ListViewWin32.h"

namespace pilotune {

class SettingsStore;

// Sets the stored widths; a column with none stored gets its design width at `dpi`.
void LoadColumnWidths(ListView& list, const SettingsStore& store, std::string_view section,
                      const std::vector<int>& designWidths, int dpi);
void SaveColumnWidths(const ListView& list, SettingsStore& store, std::string_view section);

} // namespace pilotune
