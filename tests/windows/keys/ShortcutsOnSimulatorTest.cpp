// Shortcuts end to end: real keys, the low-level hook, the bindings, the bar's
// dispatcher and the player link, down to the commands the simulator receives.
#include <windows.h>

#include <gtest/gtest.h>

#include "../bar/QuietServices.h"
#include "KeyInput.h"
#include "Simulator.h"
#include "bar/BarLogic.h"
#include "components/Bindings.h"
#include "components/HookKeyboardWin32.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"
#include "base/EncodingWin32.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

// What the bar does with its hook: the bindings run through its dispatcher,
// and applying the settings switches the hook.
struct ShortcutsOnSimulator : ::testing::Test {
    ShortcutsOnSimulator() : sim({.speed = 1, .play = true, .tracks = 8}) {}
    void SetUp() override {
        link.Connecter();
        ASSERT_EQ(window.Handle(), sim.Window());
        option.ClavierActiver = true;
        hook.OnHookKeyDown = [this](THookKeyboard&, std::uint16_t, const std::string& text) {
            keys.ToucheEnfoncee(text);
        };
        hook.Loaded();
        ApplySettings();
        sim.ClearLog();
    }
    void ApplySettings() { hook.SetEnabled(HookActifSelonReglages(option)); }
    int Commands(unsigned id) {
        int n = 0;
        for (const auto& m : sim.Log())
            n += m.msg == WM_COMMAND && m.wParam == id;
        return n;
    }

    Simulator sim;
    Win32PlayerWindow window;
    Win32PlayerSystem system;
    TPilotune link{window, system, Narrow(SimulatorExe())};
    COption option;
    SettingsStore store;
    QuietServices services;
    BarLogic bar{option, link, store, services};
    Raccourcis keys{option, [this](int a, bool flag, const std::string& p) {
                        bar.dispatcher.ExecuterAction(a, flag, p);
                    }};
    THookKeyboard hook;
};

} // namespace

TEST_F(ShortcutsOnSimulator, TheDefaultMediaKeysReachThePlayerExactlyOnceEach) {
    Chord({VK_MEDIA_NEXT_TRACK});
    Chord({VK_MEDIA_PREV_TRACK});
    Chord({VK_MEDIA_PLAY_PAUSE});
    Chord({VK_MEDIA_STOP});
    EXPECT_EQ(Commands(kCmdNext), 1);
    EXPECT_EQ(Commands(kCmdPrevious), 1);
    EXPECT_EQ(Commands(kCmdPause), 1);
    EXPECT_EQ(Commands(kCmdStop), 1);
    EXPECT_EQ(link.Etat(), PlayerState::Stopped); // stopped at the end
}

TEST_F(ShortcutsOnSimulator, OwnBindingsMatchTheWholeTextAndOnlyWhenActive) {
    option.Bindings = {{true, JOUER, "Ctrl + Touche F5", ""},
                       {false, AVANCER, "Touche F6", ""},
                       {true, STOPPER, "Touche F5", ""},
                       // the text of a release: releases never run a binding
                       {true, RECULER, "Windows + Shift + Windows gauche", ""}};
    link.Stopper();
    sim.ClearLog();
    Chord({VK_CONTROL, VK_F5});
    Chord({VK_F6});
    Chord({VK_LWIN, VK_SHIFT, 'A'});
    EXPECT_EQ(Commands(kCmdPlay), 1);
    EXPECT_EQ(Commands(kCmdStop), 0);
    EXPECT_EQ(Commands(kCmdNext), 0);
    EXPECT_EQ(Commands(kCmdPrevious), 0);
    EXPECT_EQ(link.Etat(), PlayerState::Playing);
}

TEST_F(ShortcutsOnSimulator, ApplyingTheSettingsSwitchesTheShortcutsOffAndOn) {
    option.ClavierActiver = false;
    ApplySettings();
    Chord({VK_MEDIA_NEXT_TRACK});
    EXPECT_EQ(Commands(kCmdNext), 0);
    option.ClavierActiver = true;
    ApplySettings();
    Chord({VK_MEDIA_NEXT_TRACK});
    EXPECT_EQ(Commands(kCmdNext), 1);
}
