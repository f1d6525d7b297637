#pragma once
// The table of the options dialog's pages.
#include <memory>
#include <vector>

#include "options/OptionsPageWin32.h"

namespace pilotune {

// The schedule page's place, for "Planification..." of the bar's menu.
inline constexpr int kPagePlanification = 4;

// Every page object, in the order of their buttons.
std::vector<std::unique_ptr<OptionsPage>> MakeOptionPages(PageContext& context);

} // namespace pilotune
