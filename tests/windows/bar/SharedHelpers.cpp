// The program's assembly over the simulator and the real-input helpers,
// shared with the schedule and the secondary windows' tests.
#include "../schedule/BarHarness.cpp"
#include "../windows/WindowInput.cpp"
