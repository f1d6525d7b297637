// What a reported key press runs: the capture of the options dialog, or every
// active binding with exactly that text.
#include "components/Bindings.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace pilotune;

namespace {

struct Runs {
    COption option;
    std::vector<AppelRaccourci> ran;
    Raccourcis keys{option, [this](int a, bool flag, const std::string& p) {
                        EXPECT_FALSE(flag);
                        ran.push_back({a, p});
                    }};
};

} // namespace

TEST(Bindings, EveryActiveExactMatchRunsInIndexOrder) {
    Runs r;
    r.option.Bindings = {
        {true, 2, "Ctrl + Touche F5", "C:\\a.exe"}, {true, 4, "Touche F5", ""},
        {false, 6, "Ctrl + Touche F5", ""},         {true, 16, "Ctrl + Touche F5", "Soirée"},
        {true, 7, "ctrl + touche f5", ""},          {true, 8, "Ctrl + Touche F5 ", ""}};
    r.keys.ToucheEnfoncee("Ctrl + Touche F5");
    EXPECT_EQ(r.ran, (std::vector<AppelRaccourci>{{2, "C:\\a.exe"}, {16, "Soirée"}}));
    r.ran.clear();
    r.keys.ToucheEnfoncee("Touche F5");
    EXPECT_EQ(r.ran, (std::vector<AppelRaccourci>{{4, ""}}));
    r.ran.clear();
    r.keys.ToucheEnfoncee("");
    EXPECT_TRUE(r.ran.empty());
}

// The capture into the options dialog's box runs on the real page; without a
// box to fill, a capture runs nothing at all.
TEST(Bindings, ACaptureWithoutItsBoxRunsNothing) {
    Runs r;
    r.option.Bindings = {{true, 6, "Touche Stop", ""}};
    r.option.Capture = true;
    r.keys.ToucheEnfoncee("Touche Stop");
    EXPECT_TRUE(r.ran.empty());
}

TEST(Bindings, AnActionThatRewritesTheTableDoesNotChangeWhatThePressRuns) {
    COption option;
    option.Bindings = {{true, 24, "A", ""}, {true, 7, "A", ""}};
    std::vector<int> ran;
    Raccourcis keys(option, [&](int a, bool, const std::string&) {
        ran.push_back(a);
        option.Bindings.clear(); // as an options dialog applied from inside an action would
        option.Bindings.push_back({true, 9, "A", ""});
    });
    keys.ToucheEnfoncee("A");
    EXPECT_EQ(ran, (std::vector<int>{24, 7}));
}
