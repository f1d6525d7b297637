// The choice dialog, driven from another thread as a user would.
#include <gtest/gtest.h>

#include <thread>

#include "programmes/FProgLireWin32.h"
#include "base/EncodingWin32.h"

using namespace pilotune;

namespace {

std::wstring Text(HWND w) {
    wchar_t buffer[256] = {};
    GetWindowTextW(w, buffer, 256);
    return buffer;
}

// Waits for the dialog, lets `act` look at it and press a button.
template <class Act> std::thread Drive(Act act) {
    return std::thread([act] {
        HWND box = nullptr;
        for (int i = 0; i < 500 && !(box && IsWindowVisible(box)); ++i) {
            Sleep(20);
            box = FindWindowW(kProgLireClass, nullptr);
        }
        if (box) act(box);
    });
}

} // namespace

TEST(ProgLire, OkReturnsTheSelectedTextAndAnnulerNothing) {
    TfrmProgLire dialog;
    std::wstring caption, label;
    LRESULT count = -1, selected = -1;
    RECT client{};
    std::thread user = Drive([&](HWND box) {
        caption = Text(box);
        label = Text(GetDlgItem(box, kLblProgLireId));
        HWND combo = GetDlgItem(box, kCbxProgTitreId);
        count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
        selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        GetClientRect(box, &client);
        SendMessageW(combo, CB_SETCURSEL, 2, 0);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    const auto chosen = dialog.Choisir(nullptr, {"PlayList", "Soirée", "Réveil"});
    user.join();
    EXPECT_EQ(caption, L"Lecture du programme");
    EXPECT_EQ(label, L"Sélectionnez le programme que vous voulez lire :");
    EXPECT_EQ(count, 3);
    EXPECT_EQ(selected, 0); // the first item is selected
    EXPECT_EQ(client.right, 444);
    EXPECT_EQ(client.bottom, 114);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, "Réveil");
    EXPECT_EQ(dialog.Tag(), 1);

    user = Drive([&](HWND box) {
        caption = Text(box);
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(dialog.Choisir(nullptr, {"0 - Jouer", "1 - Pause"}, kProgLireAction));
    user.join();
    EXPECT_EQ(caption, L"Liste des actions en cours");
    EXPECT_EQ(dialog.Tag(), 0);

    user = Drive([](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); });
    EXPECT_FALSE(dialog.Choisir(nullptr, {"a"}));
    user.join();

    user = Drive([](HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); });
    EXPECT_FALSE(dialog.Choisir(nullptr, {})); // nothing to choose
    user.join();
    EXPECT_EQ(dialog.Tag(), 1);
}
