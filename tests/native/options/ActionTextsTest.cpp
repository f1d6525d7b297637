#include "options/ActionTexts.h"

#include <gtest/gtest.h>

namespace pilotune {
namespace {

TEST(ActionTextsTest, ParameterOfAnActionTextAndRowsOnlyForBindingsThatCanBePressed) {
    struct Case {
        const char* text;
        bool parameterised;
        const char* param;
        const char* prefix;
        bool missing;
    };
    for (Case c :
         {Case{"Exécuter : C:\\a.exe", true, "C:\\a.exe", "Exécuter : ", false},
          Case{"Exécuter : ", true, "", "Exécuter : ", true},
          Case{"Exécuter :", true, "", "Exécuter : ", true},
          Case{"Jouer", false, "", "Jouer", false},
          Case{"Relancer : 2 - Stopper : x", true, "2 - Stopper : x", "Relancer : ", false},
          Case{"", false, "", "", false}}) {
        EXPECT_EQ(std::tuple(IsParameterised(c.text), ParamText(c.text), LabelPrefix(c.text),
                             ParameterMissing(c.text)),
                  std::tuple(c.parameterised, c.param, c.prefix, c.missing))
            << c.text;
    }

    // Rows leave out bindings that can never be pressed.
    auto items = ActionLabels();
    items[2] = "Exécuter : C:\\old.exe";
    const std::vector<TCla> bindings = {{true, 2, "Touche F1", "C:\\a.exe"},
                                        {true, 5, "", ""},
                                        {false, 99, "Touche F2", ""},
                                        {true, 16, "Touche F3", "Soir"}};
    const auto rows = BindingRows(bindings, items);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].caption, "Exécuter : C:\\a.exe");
    EXPECT_EQ(rows[1].caption, "Le programmeur est un con");
    EXPECT_FALSE(rows[1].checked);
    EXPECT_EQ(rows[2].caption, "Lecture du programme : Soir");
    const auto back = BindingsOf(rows);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0].Chemin, "C:\\a.exe");
    EXPECT_EQ(back[2].Chemin, "Soir");
    EXPECT_EQ(back[1].Action, 99);
    EXPECT_FALSE(back[1].Activer);
}

} // namespace
} // namespace pilotune
