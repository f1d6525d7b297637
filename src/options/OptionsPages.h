#pragma once
// What the options dialog knows of its pages without any window: their
// buttons, the caption of each, the help contexts and the stored last page.
#include <array>
#include <string>
#include <string_view>

namespace pilotune {

inline constexpr int kOptionPageCount = 5;
enum OptionPage : int {
    kPageDivers = 0,
    kPageProgramme = 1,
    kPageClavier = 2,
    kPageCopie = 3,
    kPagePlanification = 4,
};

struct OptionPageInfo {
    std::string_view caption;
    int top; // of its button in the left column
};

inline constexpr std::array<OptionPageInfo, kOptionPageCount> kOptionPages{{
    {"Divers", 4},
    {"Programme music", 87},
    {"Clavier", 170},
    {"Copie music", 253},
    {"Planification", 336},
}};

inline constexpr std::string_view kOptionCaption = "Option";
inline constexpr int kOptionHelpBase = 1002;

// "Option  -  " followed by the page's caption.
std::string OptionCaption(int page);
// The page a stored "Dernière" opens on: the general page when out of range.
int OptionStartPage(int stored);
// The help context of a page.
inline int OptionHelpContext(int page) {
    return kOptionHelpBase + OptionStartPage(page);
}

} // namespace pilotune
