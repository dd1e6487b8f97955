#include <gtest/gtest.h>

#include "app/ProgramLifecycle.h"

namespace quorvin {
namespace {

struct CommandLineCase {
  const char* Argument;
  std::optional<int> Expected;
};

class CommandLineSetTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineSetTest, NamesTheFirstTabWhoseCaptionMatches) {
  const std::vector<std::string> captions{"Office", "Home", "lab 2", "HOME", "", "/x"};
  EXPECT_EQ(FindCommandLineSet(GetParam().Argument, captions), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLineSetTest,
                         ::testing::Values(CommandLineCase{"/Office", 0},
                                           CommandLineCase{"/hOmE", 1},     // first of two matches
                                           CommandLineCase{"/LAB 2", 2},    // blanks inside the name
                                           CommandLineCase{"/", 4},         // the empty caption
                                           CommandLineCase{"//x", 5},
                                           CommandLineCase{"x/X", 5},       // the slash may stand anywhere
                                           CommandLineCase{"-Office", std::nullopt},
                                           CommandLineCase{"/Offic", std::nullopt},
                                           CommandLineCase{"/Office ", std::nullopt},
                                           CommandLineCase{"", std::nullopt},
                                           CommandLineCase{"-Start", std::nullopt}));

TEST(ProgramLifecycleTest, CloseHidesUntilTheExitHasBegun) {
  TProgramLifecycle life("");
  EXPECT_FALSE(life.HideCommand()) << "a minimise of the user's is no hide";
  EXPECT_FALSE(life.CloseRequest());
  EXPECT_EQ(life.CloseMode(), TCloseMode::TrayPending);
  EXPECT_TRUE(life.HideCommand());
  EXPECT_EQ(life.CloseMode(), TCloseMode::Normal);
  EXPECT_FALSE(life.HideCommand()) << "one hide per refused close";
  EXPECT_FALSE(life.CloseRequest());
  life.BeginExit();
  EXPECT_FALSE(life.HideCommand());
  EXPECT_TRUE(life.CloseRequest());
}

TEST(ProgramLifecycleTest, OnlyExactlyStartHidesAndOnlyAtTheFirstActivation) {
  for (const char* argument : {"-start", "-START", "/Home", "", "-Start "}) {
    TProgramLifecycle life(argument);
    EXPECT_FALSE(life.Activated()) << argument;
  }
  TProgramLifecycle life("-Start");
  EXPECT_TRUE(life.Activated());
  EXPECT_FALSE(life.Activated());
}

TEST(CommandLineRunTest, EachEndHasItsExitCodeAndConsoleLines) {
  struct Case {
    TActivateEnd End;
    int Code;
    bool Printed;
  };
  const std::vector<std::string> lines{"[ IP ]: Invalid subnet mask.", "[ Workgroup ]: Error code 5"};
  for (const Case& c : {Case{TActivateEnd::Applied, 0, false}, Case{TActivateEnd::Failed, 1, true},
                        Case{TActivateEnd::Refused, 2, true}, Case{TActivateEnd::Unfinished, 3, false}}) {
    EXPECT_EQ(CommandLineExitCode(c.End), c.Code);
    EXPECT_EQ(ConsoleLines({c.End, lines}), c.Printed ? lines : std::vector<std::string>{}) << c.Code;
  }
}

TEST(HandOverTest, ASecondStartIsAnsweredBeforeAnyRun) {
  struct Case {
    const char* Argument;
    bool CanTake;
    THandOver Answer;
    int Index;
    int Code;
    std::vector<std::string> Lines;
    bool Undo = false;
  };
  const std::vector<std::string> captions{"Office", "Home"};
  for (const Case& c : {Case{"/hOME", true, THandOver::Apply, 1, kExitUnfinished, {}},
                        Case{"/UNDO", true, THandOver::Apply, -1, kExitUnfinished, {}, true},
                        Case{"x/undo", true, THandOver::NoSuchSet, -1, 2, {"No set is named \"/undo\""}},
                        Case{"/Lab", true, THandOver::NoSuchSet, -1, 2, {"No set is named \"Lab\""}},
                        Case{"/Home", false, THandOver::Busy, -1, 4, {"Quorvin is busy"}},
                        Case{"/Lab", false, THandOver::Busy, -1, 4, {"Quorvin is busy"}}}) {
    const THandOverDecision decision = DecideHandOver(c.Argument, captions, c.CanTake);
    EXPECT_EQ(decision.Answer, c.Answer) << c.Argument << c.CanTake;
    EXPECT_EQ(decision.Index, c.Index) << c.Argument;
    EXPECT_EQ(decision.Undo, c.Undo) << c.Argument;
    EXPECT_EQ(HandOverExitCode(decision.Answer), c.Code) << c.Argument;
    EXPECT_EQ(HandOverLines(decision.Answer, c.Argument), c.Lines) << c.Argument;
  }
  EXPECT_FALSE(IsUndoArgument("/undo", {"Undo"})) << "a set of that name wins";
  for (const char* argument : {"/Office", "x/y", "/"})
    EXPECT_TRUE(HandsOverToRunningInstance(argument)) << argument;
  for (const char* argument : {"", "-Start", "Office"})
    EXPECT_FALSE(HandsOverToRunningInstance(argument)) << argument;
}

TEST(HandOverTest, TheRunsOutcomeTravelsBackWholeAndNothingElseDecodes) {
  const std::vector<std::string> lines{"[ IP ]: Invalid subnet mask.", "", "two\r\nlines"};
  const auto reply = DecodeRunReply(EncodeRunReply(1, lines));
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->ExitCode, 1);
  EXPECT_EQ(reply->Lines, (std::vector<std::string>{lines[0], "", "two  lines"}));
  EXPECT_EQ(DecodeRunReply(EncodeRunReply(0, {}))->Lines, std::vector<std::string>{});
  for (const char* bytes : {"", "1", "\n", "x\n", "-1\n", "5\n", "1000\n", "1\nline"})
    EXPECT_FALSE(DecodeRunReply(bytes)) << bytes;
}

TEST(ActivateOutcomeTest, FailureLinesLeaveOutTheHeadingAndTheEmptyLines) {
  const std::vector<std::string> list{"The following settings are failed:", "", "[ IP ]: Failed!", "",
                                      "[ DNS Server ]: Error code 66", ""};
  EXPECT_EQ(FailureLinesOf(list), (std::vector<std::string>{"[ IP ]: Failed!", "[ DNS Server ]: Error code 66"}));
  EXPECT_TRUE(FailureLinesOf({}).empty());
}

TEST(TrayMenuTest, SetsComeFirstAsShownThenTheUndoThenTheProgramsItems) {
  const std::vector<std::string> captions{"Office", "R&D", ""};
  for (const bool setsEnabled : {true, false}) {
    for (const bool undoEnabled : {true, false}) {
      const std::vector<TTrayMenuItem> items = TrayMenuItems(captions, setsEnabled, undoEnabled);
      std::vector<std::string> shown;
      for (const TTrayMenuItem& item : items)
        shown.push_back(item.Command == 0 ? "-" : item.Caption);
      EXPECT_EQ(shown, (std::vector<std::string>{"Office", "R&&D", "", "&Undo Last Switch", "-", "&Open", "-",
                                                 "Online &Help", "-", "&About", "-", "E&xit"}));
      for (std::size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i].Enabled, i < captions.size() ? setsEnabled : i == captions.size() ? undoEnabled : true)
            << i;
    }
  }
  // The set in effect is checked; the one whose network the adapter is on
  // says so after a tab.
  const std::vector<TTrayMenuItem> marked = TrayMenuItems(captions, true, false, {{0}, {1}, ""});
  EXPECT_TRUE(marked[0].Checked);
  EXPECT_FALSE(marked[1].Checked);
  EXPECT_EQ(marked[0].Caption, "Office");
  EXPECT_EQ(marked[1].Caption, "R&&D\tthis network");
}

TEST(TrayMenuTest, EachCommandLeadsToItsAction) {
  const std::vector<std::string> captions{"Office", "Home", "Lab"};
  std::vector<TTrayChoice> choices;
  for (const TTrayMenuItem& item : TrayMenuItems(captions, true)) {
    if (item.Command != 0)
      choices.push_back(TrayMenuChoice(item.Command, captions.size()));
  }
  ASSERT_EQ(choices.size(), 8u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(choices[i].Action, TTrayAction::ActivateSet);
    EXPECT_EQ(choices[i].Set, i);
  }
  EXPECT_EQ(choices[3].Action, TTrayAction::Undo);
  EXPECT_EQ(choices[4].Action, TTrayAction::Open);
  EXPECT_EQ(choices[5].Action, TTrayAction::Help);
  EXPECT_EQ(choices[6].Action, TTrayAction::About);
  EXPECT_EQ(choices[7].Action, TTrayAction::Exit);
  // Nothing chosen, or a set that a menu of fewer sets had.
  EXPECT_EQ(TrayMenuChoice(0, 3).Action, TTrayAction::None);
  EXPECT_EQ(TrayMenuChoice(kTraySetCommandFirst + 3, 3).Action, TTrayAction::None);
  EXPECT_EQ(TrayMenuChoice(kTraySetCommandLast + 1, 100000).Action, TTrayAction::None);
}

TEST(TrayMenuTest, NoMoreSetsThanCommandNumbers) {
  const std::vector<std::string> captions(kTraySetCommandLast - kTraySetCommandFirst + 10, "x");
  const std::vector<TTrayMenuItem> items = TrayMenuItems(captions, true);
  EXPECT_EQ(items.size(), kTraySetCommandLast - kTraySetCommandFirst + 1 + 9);
  EXPECT_EQ(items[kTraySetCommandLast - kTraySetCommandFirst].Command, kTraySetCommandLast);
}

} // namespace
} // namespace quorvin
