#include "options/ActionTexts.h"

#include <gtest/gtest.h>

#include "options/OptionsPages.h"

namespace pilotune {
namespace {

// Rows and action numbers map both ways; the parameter is a rule per action;
// the texts and the keyboard rows follow it.
TEST(ActionTextsTest, RowsMapToActionNumbersAndTheParameterIsARulePerAction) {
    for (int row = 0; row < kOfferedCount; ++row)
        EXPECT_EQ(OfferedRow(OfferedAt(row)), row) << row;
    EXPECT_EQ(OfferedRow(ARIEN), -1);
    EXPECT_EQ(OfferedRow(99), -1);
    EXPECT_EQ(OfferedAt(kOfferedCount), -1);
    std::vector<int> parameterised;
    for (int action = 0; action < kActionCount; ++action)
        if (TakesParameter(action)) parameterised.push_back(action);
    EXPECT_EQ(parameterised, (std::vector<int>{EXECUTER, LECTUREPROGRAMME, RELANCERACTION, FONDU}));

    EXPECT_EQ(ActionText(EXECUTER, "C:\\a.exe"), "Exécuter : C:\\a.exe");
    EXPECT_EQ(ActionText(RELANCERACTION), "Relancer une action planifier : ");
    EXPECT_EQ(ActionText(JOUER, "ignoré"), "Jouer");
    EXPECT_EQ(ActionText(99), "Le programmeur est un con");

    // Rows leave out bindings that can never be pressed, and keep a parameter
    // only where the action takes one.
    const std::vector<TCla> bindings = {{true, EXECUTER, "Touche F1", "C:\\a.exe"},
                                        {true, PAUSER, "", ""},
                                        {false, 99, "Touche F2", ""},
                                        {true, JOUER, "Touche F3", "reste"}};
    const std::vector<BindingRow> rows = BindingRows(bindings);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].parameter, "C:\\a.exe");
    EXPECT_EQ(rows[1].action, 99);
    EXPECT_FALSE(rows[1].checked);
    EXPECT_EQ(rows[2].parameter, "");
    const std::vector<TCla> back = BindingsOf(rows);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0].Chemin, "C:\\a.exe");
    EXPECT_EQ(back[1].Action, 99);
    EXPECT_EQ(back[2].Touche, "Touche F3");
}

// Five buttons keep their place; more share the column and stay inside it.
TEST(OptionsPagesTest, TheButtonColumnHoldsAnyNumberOfPages) {
    const std::vector<Rect> five = PageButtonBounds(5, 422);
    ASSERT_EQ(five.size(), 5u);
    EXPECT_EQ(five[1], (Rect{4, 87, 100, 73}));
    EXPECT_EQ(five[4].top, 336);
    for (int count : {6, 9, 20}) {
        const std::vector<Rect> bounds = PageButtonBounds(count, 422);
        ASSERT_EQ(static_cast<int>(bounds.size()), count);
        EXPECT_LE(bounds.back().Bottom(), 422) << count;
        EXPECT_GT(bounds.back().height, 0) << count;
        EXPECT_LE(bounds[0].Bottom(), bounds[1].top) << count;
    }
    EXPECT_EQ(OptionStartPage(5, 5), 0);
    EXPECT_EQ(OptionStartPage(5, 6), 5);
}

} // namespace
} // namespace pilotune
