#include "MessageLog.h"

#include <cstdio>

namespace winampsim {

MessageLog::MessageLog(const std::wstring& file) {
    if (file.empty()) return;
    file_ = CreateFileW(file.c_str(), FILE_APPEND_DATA,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

MessageLog::~MessageLog() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

void MessageLog::Write(long long ms, unsigned msg, long long wParam, long long lParam) {
    if (file_ == INVALID_HANDLE_VALUE) return;
    char line[96];
    int n = std::snprintf(line, sizeof line, "%lld %u %lld %lld\n", ms, msg, wParam, lParam);
    DWORD put = 0;
    WriteFile(file_, line, static_cast<DWORD>(n), &put,
              nullptr); // unbuffered: readers see it at once
}

} // namespace winampsim
