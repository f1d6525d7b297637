#include "app/RunAtStart.h"
#include "app/SecondStart.h"
#include "schedule/Action.h"

#include <gtest/gtest.h>

using namespace pilotune;

namespace {
std::optional<int> Keyword(std::string_view s) {
    return s == "RELANCERACTION" ? std::optional(25) : std::nullopt;
}
} // namespace

TEST(SecondStart, KeywordsBecomeActionsTextsFitAnAtomAndTheReceiverWaitsForThem) {
    EXPECT_EQ(PlanSecondStart({"avant", "RELANCERACTION", " 2 ", "JOUERS"}, Keyword),
              (std::vector<SecondStartMessage>{
                  {true, 0, "avant"}, {false, 25, "", true}, {true, 0, "2  JOUERS"}}));
    EXPECT_TRUE(PlanSecondStart({}, Keyword).empty());
    EXPECT_TRUE(PlanSecondStart({"  ", ""}, Keyword).empty());

    std::vector<std::string> args(200, "mot");
    auto plan = PlanSecondStart(args, Keyword);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].text.size(), kMaxAtomText);
    plan = PlanSecondStart({std::string(300, 'x') + "é"}, Keyword);
    EXPECT_EQ(plan[0].text, std::string(255, 'x'));
    plan = PlanSecondStart({std::string(254, 'x') + "éé"}, Keyword);
    EXPECT_EQ(plan[0].text, std::string(254, 'x') + "é");
    // An atom counts UTF-16 units: a character beyond U+FFFF takes two, and
    // 255 of them would not fit (the whole text would be lost).
    std::string notes;
    for (int i = 0; i < 200; ++i)
        notes += "\xF0\x9D\x84\x9E"; // U+1D11E
    plan = PlanSecondStart({notes}, Keyword);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].text, notes.substr(0, 127 * 4));
    plan = PlanSecondStart({std::string(254, 'x') + "\xF0\x9D\x84\x9E"}, Keyword);
    EXPECT_EQ(plan[0].text, std::string(254, 'x'));
    // A cut just after a blank leaves no blank at the end.
    plan = PlanSecondStart({std::string(254, 'x'), "suite"}, Keyword);
    EXPECT_EQ(plan[0].text, std::string(254, 'x'));

    // The receiver waits for the text of actions that take one.
    SecondStartReceiver bar;
    EXPECT_FALSE(bar.OnText(std::string("ignoré")).has_value()); // nothing pending yet
    auto run = bar.OnAction(4);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->action, 4);
    EXPECT_FALSE(bar.OnAction(0x100 + 25).has_value()); // low byte only
    EXPECT_EQ(bar.Pending(), 25);
    run = bar.OnText(std::string("2"));
    ASSERT_TRUE(run);
    EXPECT_EQ(run->action, 25);
    EXPECT_EQ(run->text, "2");
    EXPECT_TRUE(bar.OnText(std::string("3"))); // still pending: same action again
    EXPECT_FALSE(bar.OnText(std::nullopt));    // unreadable atom
    run = bar.OnAction(200);                   // out of the catalogue: the dispatcher ignores it
    ASSERT_TRUE(run);
    EXPECT_EQ(run->action, 200);
    // FONDU's length is optional: alone it runs at once, followed by a text it waits.
    EXPECT_TRUE(bar.OnAction(FONDU));
    EXPECT_FALSE(bar.OnAction(FONDU | kTextFollows));
    EXPECT_EQ(bar.OnText(std::string("10"))->text, "10");
}

TEST(RunAtStart, ACopyTouchesTheValueOnlyWhenItIsItsOwnOrItsUserTurnsTheSettingOn) {
    const std::string exe = "C:\\Program Files\\Pilotune\\Pilotune.exe";
    const std::string ours = RunAtStartCommand(exe),
                      old = "c:\\program files\\pilotune\\PILOTUNE.EXE";
    EXPECT_EQ(ours, "\"" + exe + "\" WindowsLanceDebut");
    EXPECT_TRUE(RunAtStartStarts(ours, exe) && RunAtStartStarts(old + " WindowsLanceDebut", exe));
    const std::optional<std::string> other = "\"D:\\Portable\\Pilotune.exe\" WindowsLanceDebut";
    for (const auto& v : {other, std::optional<std::string>(old + "x WindowsLanceDebut")})
        EXPECT_EQ(RunAtStartChange(false, false, v, exe), RunValueChange::Keep) << *v;
    EXPECT_EQ(RunAtStartChange(false, false, ours, exe), RunValueChange::Delete);
    EXPECT_EQ(RunAtStartChange(false, false, std::nullopt, exe), RunValueChange::Keep);
    EXPECT_EQ(RunAtStartChange(true, false, other, exe), RunValueChange::Keep);
    EXPECT_EQ(RunAtStartChange(true, true, other, exe), RunValueChange::Write);
    EXPECT_EQ(RunAtStartChange(true, false, std::nullopt, exe), RunValueChange::Write);
}
