// The harness is header-only; the benchmarks include this file.
#include "BarHarness.h"
