// The choice dialog, driven from another thread as a user would.
#include <gtest/gtest.h>

#include <memory>

#include "ModalDriver.h"
#include "programmes/FProgLireWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

TEST(ProgLire, OkReturnsTheSelectedTextAndAnnulerNothing) {
    TfrmProgLire dialog;
    std::string caption, label;
    LRESULT count = -1, selected = -1;
    RECT client{};
    auto user = std::make_unique<ModalDriver>(kProgLireClass, [&](HWND box) {
        caption = TextOf(box);
        label = TextOf(GetDlgItem(box, kLblProgLireId));
        HWND combo = GetDlgItem(box, kCbxProgTitreId);
        count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
        selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        GetClientRect(box, &client);
        SendMessageW(combo, CB_SETCURSEL, 2, 0);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    const auto chosen = dialog.Choisir(nullptr, {"PlayList", "Soirée", "Réveil"});
    user.reset();
    EXPECT_EQ(caption, "Lecture du programme");
    EXPECT_EQ(label, "Sélectionnez le programme que vous voulez lire :");
    EXPECT_EQ(count, 3);
    EXPECT_EQ(selected, 0); // the first item is selected
    EXPECT_EQ(client.right, 444);
    EXPECT_EQ(client.bottom, 114);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, "Réveil");
    EXPECT_EQ(dialog.Tag(), 1);

    user = std::make_unique<ModalDriver>(kProgLireClass, [&](HWND box) {
        caption = TextOf(box);
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(dialog.Choisir(nullptr, {"0 - Jouer", "1 - Pause"}, kProgLireAction));
    user.reset();
    EXPECT_EQ(caption, "Liste des actions en cours");
    EXPECT_EQ(dialog.Tag(), 0);

    user = std::make_unique<ModalDriver>(kProgLireClass,
                                         [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); });
    EXPECT_FALSE(dialog.Choisir(nullptr, {"a"}));
    user = std::make_unique<ModalDriver>(kProgLireClass,
                                         [](HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); });
    EXPECT_FALSE(dialog.Choisir(nullptr, {})); // nothing to choose
    user.reset();
    EXPECT_EQ(dialog.Tag(), 1);
}
