// Another process floods the bar: messages 1024 and 1025 with random values
// and atoms that do not exist, WM_COPYDATA records of every size. The bar
// survives, keeps answering, and runs only the actions the values name.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "FaultHelpers.h"

using namespace pilotune::testing;

namespace {

// A global atom value that names nothing (string atoms are 0xC000 and up).
WPARAM MissingAtom(std::mt19937& random) {
    for (;;) {
        const auto atom = static_cast<ATOM>(0xC000 + random() % 0x4000);
        wchar_t name[8];
        if (GlobalGetAtomNameW(atom, name, 8) == 0)
            return (static_cast<WPARAM>(random()) << 16) | atom;
    }
}

} // namespace

TEST(Flood, RandomMessagesRunNothingButWhatTheyName) {
    Simulator sim(Simulator::Options{.tracks = 5});
    PilotuneProcess app("fault-flood", SimulatorIni());
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(WaitFor([&] { return sim.User(104) == 1; }));
    ASSERT_GE(AnswerTime(app.Bar()), 0);
    sim.ClearLog();

    std::mt19937 random(1025);
    std::vector<long long> named; // the player commands the named actions give
    for (int i = 0; i < 3000; ++i) {
        const auto high = static_cast<WPARAM>(random()) << 8;
        switch (random() % 8) {
        case 0: // an action number beyond the catalogue, any high bits
        case 1:
            PostMessageW(app.Bar(), 1024, high | (33 + random() % 223), random());
            break;
        case 2: // a text whose atom does not exist
        case 3:
            PostMessageW(app.Bar(), 1025, MissingAtom(random), random());
            break;
        case 4: // EXECUTER waits for a text that never comes
            PostMessageW(app.Bar(), 1024, high | 2, 0);
            PostMessageW(app.Bar(), 1025, MissingAtom(random), 0);
            break;
        default:
            if (i % 100 == 0) { // now and then STOPPER or JOUER, high bits set
                const bool stop = (i / 100) % 2 == 0;
                PostMessageW(app.Bar(), 1024, high | (stop ? 6 : 4), random());
                named.push_back(stop ? 40047 : 40045);
            } else {
                PostMessageW(app.Bar(), 1024, high | (33 + random() % 223), 0);
            }
        }
        if (i % 500 == 0) EXPECT_GE(AnswerTime(app.Bar()), 0) << i;
    }
    // A real atom after an action beyond the catalogue: nothing runs either.
    PostMessageW(app.Bar(), 1024, 0xFF, 0);
    const ATOM text = GlobalAddAtomW(L"C:\\Windows\\notepad.exe");
    PostMessageW(app.Bar(), 1025, text, 0);

    // WM_COPYDATA of every size, and a few with no data at all.
    std::vector<unsigned char> bytes(1 << 20);
    for (auto& b : bytes)
        b = static_cast<unsigned char>(random());
    std::vector<DWORD> sizes;
    for (DWORD n = 0; n <= 300; ++n)
        sizes.push_back(n);
    for (DWORD n = 512; n <= bytes.size(); n *= 2)
        sizes.push_back(n - 1), sizes.push_back(n);
    for (const DWORD n : sizes) {
        COPYDATASTRUCT record{static_cast<ULONG_PTR>(random()), n, n ? bytes.data() : nullptr};
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(app.Bar(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record),
                            SMTO_NORMAL, 3000, &ignored);
    }

    const long answer = AnswerTime(app.Bar());
    GlobalDeleteAtom(text);
    EXPECT_GE(answer, 0);
    EXPECT_LT(answer, 1000);
    EXPECT_TRUE(app.Alive());
    EXPECT_TRUE(IsWindowVisible(app.Bar()));
    // Posted messages run in order: once AVANCER, posted last, reached the
    // player, the flood has been handled.
    PostMessageW(app.Bar(), 1024, 7, 0);
    std::vector<long long> ran;
    ASSERT_TRUE(
        WaitFor([&] { return !(ran = Commands(sim)).empty() && ran.back() == 40048; }, 10000));
    ran.pop_back();
    // Only the named actions, never more of them than were posted.
    for (const long long command : ran)
        EXPECT_TRUE(command == 40045 || command == 40047) << command;
    EXPECT_LE(ran.size(), named.size());
    EXPECT_GE(ran.size(), named.size() * 9 / 10) << "named actions lost in the flood";
    EXPECT_GE(AnswerTime(app.Bar()), 0);
}
