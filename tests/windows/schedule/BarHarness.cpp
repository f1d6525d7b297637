#include "BarHarness.h"

#include "DialogDriving.h"

#include <vector>

namespace pilotune::testing {

bool BarHarness::Screenshot(const std::string& name) {
    return SaveScreenshot(app.Bar().Handle(),
                          Narrow((ini.parent_path() / (name + ".bmp")).wstring()));
}

} // namespace pilotune::testing
