#include "base/MessagesWin32.h"

#include <windows.h>

#include "base/EncodingWin32.h"

namespace pilotune {

namespace {
class MessageBoxes final : public UserMessages {
  public:
    void Error(const std::string& text) override { Show(text, MB_OK | MB_ICONERROR); }
    void Info(const std::string& text) override { Show(text, MB_OK | MB_ICONINFORMATION); }
    bool Confirm(const std::string& text) override {
        return Show(text, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }

  private:
    static int Show(const std::string& text, UINT flags) {
        return MessageBoxW(GetActiveWindow(), Widen(text).c_str(), L"Pilotune",
                           flags | MB_TASKMODAL);
    }
};
} // namespace

void InstallMessageBoxes() {
    static MessageBoxes boxes;
    SetMessages(&boxes);
}

} // namespace pilotune
