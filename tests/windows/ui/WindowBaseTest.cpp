// The window base under Wine: its Z order, and the failure log in its real
// file (a window Windows refuses to make and exceptions stopped at a window
// procedure each leave a line; a full file keeps its newer half).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "base/EncodingWin32.h"
#include "base/FailureLog.h"
#include "base/FailureLogWin32.h"
#include "ui/WindowWin32.h"

using namespace pilotune;

namespace {

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// WM_APP throws a std::exception, or with wParam an int.
struct Throwing final : Window {
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_APP && wParam) throw 42;
        if (msg == WM_APP) throw std::runtime_error("panne de test");
        return Window::HandleMessage(msg, wParam, lParam);
    }
};

} // namespace

TEST(WindowBase, SetTopMostChangesOnlyTheZOrder) {
    Window w;
    ASSERT_TRUE(w.Create(L"PilotuneZOrder", 0, WS_POPUP, L"", 40, 50, 200, 30));
    const auto topMost = [&] { return GetWindowLongW(w.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST; };
    EXPECT_TRUE(SetTopMost(w.Handle(), kTopMost));
    EXPECT_TRUE(topMost());
    EXPECT_FALSE(SetTopMost(w.Handle(), 3)); // not a Z-order position: nothing happens
    EXPECT_TRUE(topMost());
    EXPECT_TRUE(SetTopMost(w.Handle(), kNotTopMost));
    EXPECT_FALSE(topMost());
    RECT r{};
    GetWindowRect(w.Handle(), &r);
    EXPECT_TRUE(r.left == 40 && r.top == 50 && r.right == 240 && r.bottom == 80); // not moved
}

TEST(WindowBase, AWindowNotMadeAndExceptionsInItsProcedureLeaveLinesInABoundedFile) {
    const std::filesystem::path log(Widen(FailureLogPath()));
    ASSERT_FALSE(log.empty());
    std::filesystem::remove(log);

    // A child of a window that is gone cannot be made.
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                nullptr);
    DestroyWindow(gone);
    Window orphan;
    EXPECT_FALSE(orphan.Create(L"PilotuneLogOrphan", 0, WS_CHILD, L"", 0, 0, 10, 10, gone));
    Throwing throwing;
    ASSERT_TRUE(throwing.Create(L"PilotuneLogThrowing", 0, WS_POPUP, L"", 0, 0, 10, 10));
    EXPECT_EQ(SendMessageW(throwing.Handle(), WM_APP, 0, 0), 0);
    EXPECT_EQ(SendMessageW(throwing.Handle(), WM_APP, 1, 0), 0);
    EXPECT_TRUE(IsWindow(throwing.Handle()));
    SetLastError(1234); // the caller's own error survives the writing
    LogFailure("Essai", ERROR_ACCESS_DENIED);
    EXPECT_EQ(GetLastError(), 1234u);

    const std::string text = ReadAll(log);
    EXPECT_TRUE(text.starts_with(kUtf8Bom));
    EXPECT_NE(text.find(" | Fenêtre « PilotuneLogOrphan » non créée | 1400 : "), std::string::npos)
        << text;
    const std::string exception = " | Exception dans la fenêtre « PilotuneLogThrowing », message ";
    EXPECT_NE(text.find(exception + "0x8000 | panne de test\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(exception + "0x8000 | exception inconnue\r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with(" | Essai | 5 : " + SystemErrorText(ERROR_ACCESS_DENIED) + "\r\n"));

    // A file grown past its bound (by an older program) keeps its newest lines.
    int written = 0;
    for (std::ofstream out(log, std::ios::binary); out.tellp() < 2 * 65536;)
        out << FailureLine({2026, 1, 1}, "Ancienne " + std::to_string(++written), 0, "");
    LogFailure("Dernière", ERROR_ACCESS_DENIED);
    const std::string after = ReadAll(log);
    EXPECT_LE(after.size(), kFailureLogLimit / 2 + kFailureLineLimit);
    EXPECT_TRUE(after.starts_with(std::string(kUtf8Bom) + "2026-01-01 00:00:00 | Ancienne "));
    EXPECT_NE(after.find(" | Ancienne " + std::to_string(written) + "\r\n"), std::string::npos);
    EXPECT_TRUE(
        after.ends_with(" | Dernière | 5 : " + SystemErrorText(ERROR_ACCESS_DENIED) + "\r\n"));
}
