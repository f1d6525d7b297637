#pragma once
// The bar's logic on the real player link, talking to the running simulator,
// with quiet services: connected when made; Start() lays the bar out and
// starts its monitor.
#include "QuietServices.h"
#include "Simulator.h"
#include "bar/BarLogic.h"
#include "bar/BarScene.h"
#include "base/EncodingWin32.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"

namespace pilotune::testing {

struct LinkedBar {
    LinkedBar() { link.Connecter(); }
    void Start() {
        bar.monitor.Start();
        LayoutBar(bar.state.scene, 1024, 450);
    }

    Win32PlayerWindow window;
    Win32PlayerSystem system;
    TPilotune link{window, system, Narrow(SimulatorExe())};
    COption option;
    SettingsStore store;
    QuietServices services;
    BarLogic bar{option, link, store, services};
};

} // namespace pilotune::testing
