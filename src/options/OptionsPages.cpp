#include "options/OptionsPages.h"

namespace pilotune {

std::string OptionCaption(int page) {
    std::string caption(kOptionCaption);
    caption += "  -  ";
    caption += kOptionPages[static_cast<size_t>(OptionStartPage(page))].caption;
    return caption;
}

int OptionStartPage(int stored) {
    return stored >= 0 && stored < kOptionPageCount ? stored : kPageDivers;
}

} // namespace pilotune
