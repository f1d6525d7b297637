#pragma once
// What the options dialog knows of its pages without any window: the
// dialog's caption, the stored last page and the column of page buttons.
#include <string>
#include <string_view>
#include <vector>

#include "ui/Elements.h"

namespace pilotune {

inline constexpr std::string_view kOptionCaption = "Option";

// "Option  -  " followed by the page's caption.
std::string OptionCaption(std::string_view pageCaption);
// The page a stored "Dernière" opens on among `count`: the first when out of range.
int OptionStartPage(int stored, int count);

// The page buttons of a column `height` high (design units), one under the
// other: 73 high, 10 apart, from 4 down, while they fit; more pages share
// the height in shorter buttons.
std::vector<Rect> PageButtonBounds(int count, int height);

} // namespace pilotune
