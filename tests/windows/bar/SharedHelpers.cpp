// The program's assembly over the simulator, shared with the schedule tests.
#include "../schedule/BarHarness.cpp"
