#pragma once
// A bar's logic over the scripted player, with recorded services.
#include <gtest/gtest.h>

#include "ScriptedPlayer.h"
#include "bar/BarLogic.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"

namespace pilotune::testing {

class BarTest : public ::testing::Test {
  protected:
    BarTest() {
        window.files = &system.files;
        window.playlistPath = link.FichierListe();
        option.NbBoucle = 9;
    }

    // The bar as after its creation: laid out, first track recorded.
    void StartBar() {
        LayoutBar(bar.state.scene, 1024, 450);
        bar.monitor.Start();
        services.Clear();
    }
    // Plays `seconds` of player time, one tick per second.
    void PlayAndTick(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            window.Advance(1);
            bar.monitor.Tick();
        }
    }
    void Run(int action, bool mode = false, const std::string& parameter = {}) {
        bar.dispatcher.ExecuterAction(action, mode, parameter);
    }
    const Element& E(std::string_view name) { return bar.state.scene[name]; }

    ScriptedPlayer window;
    SimpleSystem system;
    TPilotune link{window, system, "C:\\Program Files\\Winamp\\Winamp.exe"};
    COption option;
    SettingsStore store;
    RecordingServices services;
    BarLogic bar{option, link, store, services};
};

} // namespace pilotune::testing
