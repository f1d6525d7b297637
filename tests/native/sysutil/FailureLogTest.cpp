// The failure log's lines and its bound; the real file is written in the
// Windows tests.
#include <gtest/gtest.h>

#include "base/FailureLog.h"

using namespace pilotune;

TEST(FailureLog, ALineHoldsTheTimeWhatFailedAndTheSystemsTextOnOneBoundedLine) {
    const LogTime at{2026, 1, 2, 3, 4, 5};
    EXPECT_EQ(FailureLine(at, "Fenêtre « A »\r\nnon créée", 1400, "Handle non valide.\r\n"),
              "2026-01-02 03:04:05 | Fenêtre « A »  non créée | 1400 : Handle non valide.\r\n");
    EXPECT_EQ(FailureLine(at, "Exception", 0, "\tbad_alloc "),
              "2026-01-02 03:04:05 | Exception | bad_alloc\r\n");
    EXPECT_EQ(FailureLine(at, "Démarrage", 0, ""), "2026-01-02 03:04:05 | Démarrage\r\n");

    // A long text is cut between characters, never inside "é".
    std::string accents;
    for (int i = 0; i < 1000; ++i)
        accents += "é";
    for (std::size_t pad = 0; pad < 2; ++pad) {
        const std::string line = FailureLine(at, std::string(pad, 'x') + accents, 0, "");
        ASSERT_LE(line.size(), kFailureLineLimit);
        EXPECT_GE(line.size(), kFailureLineLimit - 1);
        EXPECT_TRUE(line.ends_with("é\r\n")) << pad;
    }
}

TEST(FailureLog, TheFileStaysWithinItsBoundKeepingTheNewestWholeLines) {
    constexpr std::size_t kLimit = 300;
    std::string file, line;
    for (int i = 0; i < 60; ++i) {
        line = FailureLine({2026, 12, 7, 10, 0, i}, "Panne " + std::to_string(i), 5, "Refusé.");
        if (FitsInFailureLog(file.size(), line.size(), kLimit)) {
            file += (file.empty() ? std::string(kUtf8Bom) : "") + line;
        } else {
            const std::string before = file;
            file = TrimmedFailureLog(file, line, kLimit);
            // What stays is the newest whole lines, filling half the bound.
            const std::string kept = file.substr(3, file.size() - line.size() - 3);
            EXPECT_TRUE(before.ends_with(kept) && kept.starts_with("2026-12-07 ")) << kept;
            EXPECT_LE(kept.size(), kLimit / 2);
            EXPECT_GT(kept.size(), kLimit / 2 - 2 * line.size());
        }
        ASSERT_LE(file.size(), kLimit) << i;
        EXPECT_TRUE(file.starts_with(kUtf8Bom) && file.ends_with(line));
    }
    // A file grown past the bound elsewhere, or one line with no break.
    EXPECT_FALSE(FitsInFailureLog(kLimit + 1, 0, kLimit));
    EXPECT_EQ(TrimmedFailureLog(std::string(1000, 'a'), "b\r\n", kLimit),
              std::string(kUtf8Bom) + "b\r\n");
}
