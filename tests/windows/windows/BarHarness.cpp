// The bar stand-in shared with the schedule tests.
#include "../schedule/BarHarness.cpp"
