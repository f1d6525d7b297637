// Programmes read from a settings file edited by hand: wrong counts, empty
// and repeated names open cleanly and are written back clean.
#include "ProgrammeFixture.h"

using namespace pilotune;
using pilotune::testing::ProgrammeFixture;

using DamagedProgrammes = ProgrammeFixture;

TEST_F(DamagedProgrammes, ACountAboveTheStoredRowsGivesOnlyTheStoredRows) {
    Store("Soirée", {{"piste3.mp3", 30, 120}, {"piste7.mp3", 0, 0}});
    const std::string s = ProgrammeSection("Soirée");
    store.WriteInteger(s, "ProgNb", 500, true);

    const std::vector<TProg> read = ReadProgramme(store, "Soirée", programmes.Lookup());
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].N, 3);
    EXPECT_EQ(read[0].D, 30);
    EXPECT_EQ(read[0].F, 120);
    EXPECT_EQ(read[1].N, 7);

    // The current programme gets the same rows, and saves back a true count.
    programmes.ProgrammeLoad("Soirée", true);
    EXPECT_EQ(option.ProgNb, 2);
    option.ProgrammeSave(store, option.ProgTitre);
    EXPECT_EQ(Read(s, "ProgNb"), "2");

    // A row stored without its file name still counts (it is skipped by replay).
    store.WriteInteger(s, "ProgNb", 3, true);
    store.WriteInteger(s, "ProgN 2", 4, true);
    const std::vector<TProg> third = ReadProgramme(store, "Soirée", programmes.Lookup());
    ASSERT_EQ(third.size(), 3u);
    EXPECT_EQ(third[2].N, 0);
}

TEST_F(DamagedProgrammes, EmptyAndRepeatedNamesAreLeftOutAndWrittenBackClean) {
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"nbProgTitre", "6"},     {"ProgTitre 0", "Matin"}, {"ProgTitre 1", ""},
        {"ProgTitre 2", "MATIN"}, {"ProgTitre 3", "Soir"},  {"ProgTitre 4", "Matin"}};
    for (const auto& [key, value] : keys)
        store.WriteText("Programme", key, value, true);
    const std::vector<std::string> names = ReadProgrammeNames(store);
    EXPECT_EQ(names, (std::vector<std::string>{"Matin", "Soir"}));
    WriteProgrammeNames(store, names);
    EXPECT_EQ(ReadProgrammeNames(store), names);
    EXPECT_EQ(Read("Programme", "nbProgTitre"), "2");
}
