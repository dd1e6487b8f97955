// The rules of the rename and confirmation dialogs, and the shell port's
// resolution and simulation.

#include "app/ShellPort.h"
#include "app/SmallDialogs.h"

#include "store/FileIo.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace quorvin {
namespace {

TEST(RenameDialog, OnlyEnterConfirms) {
  EXPECT_TRUE(ConfirmsRename(0x0D));
  for (const int key : {0x1B, 0x09, 0x20, 0x0A, 0x41, 0x10, 0x11, 0x12})
    EXPECT_FALSE(ConfirmsRename(key)) << key;
}

TEST(RenameDialog, CaptionsOfTheCallers) {
  EXPECT_EQ(RenameCaption("Office"), "New Name for \"Office\"");
  EXPECT_EQ(RenameCaption(""), "New Name for \"\"");
  EXPECT_EQ(NewSetProposal(5), "SET6");
}

struct AskCase {
  const char* Label;
  bool Ticked;
  bool AskBeforeLoad, AskBeforeExit;
};

TEST(AskDialog, TheExactLoadQuestionSwitchesOnlyAskBeforeLoad) {
  const AskCase cases[] = {
      {"Are you sure you want to load the current settings?", true, false, true},
      {"Are you sure you want to load the current settings?", false, true, true},
      {"Are you sure you want to exit the program?", true, true, false},
      {"are you sure you want to load the current settings?", true, true, false},
      {"Are you sure you want to load the current settings? ", true, true, false},
      {"", true, true, false},
  };
  for (const AskCase& c : cases) {
    TOptionsSetting options;
    AskClick(options, c.Label, c.Ticked);
    EXPECT_EQ(options.AskBeforeLoad, c.AskBeforeLoad) << c.Label << " " << c.Ticked;
    EXPECT_EQ(options.AskBeforeExit, c.AskBeforeExit) << c.Label << " " << c.Ticked;
  }
}

TEST(AskDialog, TickThenUntickLeavesTheOptionOn) {
  TOptionsSetting options;
  AskClick(options, "Are you sure you want to exit the program?", true);
  AskClick(options, "Are you sure you want to exit the program?", false);
  EXPECT_TRUE(options.AskBeforeExit);
  EXPECT_TRUE(options.AskBeforeLoad);
}

TEST(ShellPort, RelativeTargetsLieBesideTheExecutable) {
  const std::string folder = "C:\\Program Files\\Quorvin\\";
  const std::pair<const char*, std::string> cases[] = {
      {"help.html", folder + "help.html"},
      {"docs\\help.html", folder + "docs\\help.html"},
      {"C:\\Data\\", "C:\\Data\\"},
      {"\\\\server\\share\\page.html", "\\\\server\\share\\page.html"},
      {"/root/page.html", "/root/page.html"},
      {"http://www.corvane.example/", "http://www.corvane.example/"},
      {"mailto:support@corvane.example", "mailto:support@corvane.example"},
      {"", ""},
  };
  for (const auto& [target, expected] : cases)
    EXPECT_EQ(ResolveShellTarget(target, folder), expected) << target;
}

TEST(ShellPort, SimulationAppendsOneLineForEachOpen) {
  test::TempFolder folder;
  SimulatedShellPort shell(folder.Path());
  shell.Open("Open", "help.html");
  shell.Open("open", "C:\\Settings\\");
  EXPECT_EQ(test::ReadBytes(folder.File("opened.txt")),
            "Open " + GetExecutableFolder() + "help.html\r\nopen C:\\Settings\\\r\n");
}

} // namespace
} // namespace quorvin
