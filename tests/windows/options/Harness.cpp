// The schedule group's in-process harness, built into this group too.
#include "../schedule/BarHarness.cpp"
