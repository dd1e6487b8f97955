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

} // namespace
} // namespace quorvin
