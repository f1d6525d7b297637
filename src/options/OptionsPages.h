#pragma once
// What the options dialog knows of its pages without any window: the
// dialog's caption, the stored last page and the column of page buttons.
#include <array>
#include <cstddef>
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

// Writes back only what the user changed on a page: the settings also change
// while the dialog is open (the bar, a shortcut, the schedule), and a value
// the page merely shows is then stale. `now` and `filled` are the page's
// values as shown and as filled; Take is called once per value, in order.
template <std::size_t N> class ChangedValues {
  public:
    ChangedValues(const std::array<int, N>& now, const std::array<int, N>& filled)
        : now_(now), filled_(filled) {}
    template <class Field> void Take(Field& field) {
        if (next_ < N && now_[next_] != filled_[next_]) field = static_cast<Field>(now_[next_]);
        ++next_;
    }

  private:
    const std::array<int, N>& now_;
    const std::array<int, N>& filled_;
    std::size_t next_ = 0;
};

} // namespace pilotune
