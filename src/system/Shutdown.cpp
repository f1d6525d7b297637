#include "system/Shutdown.h"

namespace pilotune {

unsigned ExitFlags(bool restart, bool force, bool ntFamily) {
    unsigned flags = restart ? kExitReboot : (ntFamily ? kExitPowerOff : kExitShutdown);
    if (force) flags += kExitForce;
    return flags;
}

std::string CountdownText(int secondsLeft) {
    return "L'ordinateur va effectuer l'opération suivante dans " + std::to_string(secondsLeft) +
           " secondes : ";
}

} // namespace pilotune
