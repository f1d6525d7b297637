#include "base/Messages.h"

namespace pilotune {

namespace {
class SilentMessages final : public UserMessages {
  public:
    void Error(const std::string&) override {}
    void Info(const std::string&) override {}
    bool Confirm(const std::string&) override { return false; }
};

SilentMessages gSilent;
UserMessages* gSink = &gSilent;
} // namespace

UserMessages& Messages() {
    return *gSink;
}
void SetMessages(UserMessages* sink) {
    gSink = sink ? sink : &gSilent;
}

} // namespace pilotune
