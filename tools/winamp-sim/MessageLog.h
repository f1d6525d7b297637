#pragma once
// The inspection log: one line per message, "<ms> <msg> <wParam> <lParam>",
// written straight to the file so that a test can read it at any time.
#include <windows.h>

#include <string>

namespace winampsim {

class MessageLog {
  public:
    explicit MessageLog(const std::wstring& file); // empty name: no log
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    void Write(long long ms, unsigned msg, long long wParam, long long lParam);

  private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

} // namespace winampsim
