#pragma once
// Test sink for Messages(): records every text, answers Confirm from a flag.
#include <string>
#include <vector>

#include "base/Messages.h"

namespace pilotune::testing {

class RecordingMessages final : public UserMessages {
  public:
    RecordingMessages() { SetMessages(this); }
    ~RecordingMessages() override { SetMessages(nullptr); }
    void Error(const std::string& t) override { errors.push_back(t); }
    void Info(const std::string& t) override { infos.push_back(t); }
    bool Confirm(const std::string& t) override {
        questions.push_back(t);
        return answer;
    }
    std::vector<std::string> errors, infos, questions;
    bool answer = true;
};

} // namespace pilotune::testing
