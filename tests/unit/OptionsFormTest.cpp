// The options dialog's rules over a fake view, the in-memory registry, host
// and task scheduler, and a settings file in a temporary folder.

#include "app/ModalResult.h"
#include "app/OptionsForm.h"

#include "base/QuorvinError.h"
#include "base/Texts.h"
#include "store/PortableProfileFile.h"
#include "support/TempFolder.h"
#include "system/AutoStart.h"
#include "system/sim/InMemoryHost.h"
#include "system/sim/InMemoryRegistry.h"
#include "system/sim/InMemoryTaskScheduler.h"

#include <gtest/gtest.h>

namespace quorvin {
namespace {

constexpr auto kMachine = RegistryRoot::LocalMachine;

class FakeOptionsView final : public OptionsView {
public:
  void SetCaption(const std::string& caption) override { Caption = caption; }
  void SetChecks(const TOptionsChecks& checks) override { Checks = checks; }
  TOptionsChecks GetChecks() const override { return Checks; }
  void SetKeepChoice(const TKeepChoice& choice) override { Keep = choice; }
  TKeepChoice GetKeepChoice() const override { return Keep; }
  void FocusKeepSeconds() override { ++SecondsFocused; }
  void ShowError(const std::exception& error) override { Errors.push_back(error.what()); }
  void CloseWith(int modalResult) override { Result = modalResult; }

  std::string Caption;
  TOptionsChecks Checks;
  TKeepChoice Keep;
  int SecondsFocused = 0;
  std::vector<std::string> Errors;
  int Result = 0;
};

class OptionsFormTest : public ::testing::Test {
protected:
  OptionsFormTest() {
    FWindow.CurrentSet = 1;
    FWindow.SetNames = {"Home", "Office", "Lab"};
  }

  std::unique_ptr<RegistryKey> RunKey() {
    return FRegistry->Open(kMachine, kRunKeyPath, RegistryAccess::ReadWrite, true);
  }
  std::string Option(const char* key) { return FFile.ReadString("Options", key, "absent"); }
  std::string TaskProgramText() { return TaskProgram(FTasks->TaskXml("Quorvin").value_or("")); }

  test::TempFolder FFolder;
  PortableProfileFile FFile{FFolder.File("data.ini")};
  InMemoryRegistry* FRegistry = new InMemoryRegistry;
  InMemoryHost* FHost = new InMemoryHost;
  InMemoryTaskScheduler* FTasks = new InMemoryTaskScheduler;
  std::unique_ptr<SystemServices> FServices = std::make_unique<SystemServices>(
      std::unique_ptr<Registry>(FRegistry), nullptr, std::unique_ptr<HostSettings>(FHost),
      std::unique_ptr<TaskScheduler>(FTasks));
  TOptionsSetting FOptions;
  TWindowOptions FWindow;
  FakeOptionsView FView;
  OptionsForm FForm{FView, FOptions, FWindow, FFile, *FServices};
};

TEST_F(OptionsFormTest, ShowTicksTheBoxesFromTheOptionsAndTheTask) {
  FOptions.AutoCloseDialog = true;
  FOptions.AskBeforeLoad = false;
  FTasks->RegisterTask("Quorvin", AutoStartTaskXml(FHost->ExecutablePathValue));
  FForm.FormShow();
  EXPECT_EQ(FView.Caption, "Quorvin 3.5");
  EXPECT_EQ(FView.Checks, (TOptionsChecks{true, true, false, true, true}));

  FTasks->RegisterTask("Quorvin", AutoStartTaskXml("D:\\Other\\Quorvin.exe")); // another copy's
  FForm.FormShow();
  EXPECT_FALSE(FView.Checks.AutoStart);
  EXPECT_TRUE(FView.Errors.empty());
}

TEST_F(OptionsFormTest, OkWithoutChangesRegistersTheTaskAgainAndSaves) {
  FTasks->RegisterTask("Quorvin", "<Exec><Command>C:\\Program Files\\Quorvin\\Quorvin.exe</Command></Exec>");
  RunKey()->WriteString("Quorvin 3.5", "C:\\Old place\\Quorvin.exe -Start");
  FForm.FormShow();
  FForm.bOKClick();
  EXPECT_EQ(FView.Result, kModalOk);
  EXPECT_EQ(FTasks->TaskXml("Quorvin"), AutoStartTaskXml("C:\\Program Files\\Quorvin\\Quorvin.exe"));
  EXPECT_FALSE(RunKey()->HasValue("Quorvin 3.5")) << "an earlier version's Run value goes";
  EXPECT_EQ(Option("DefaultTab"), "1");
  EXPECT_EQ(Option("TabCount"), "3");
  EXPECT_EQ(Option("AutoCloseDialog"), "0");
  EXPECT_EQ(Option("AskBeforeLoad"), "1");
  EXPECT_EQ(Option("AskBeforeExit"), "1");
}

TEST_F(OptionsFormTest, OkWithAutoStartOffRemovesTheTaskAndSaves) {
  FTasks->RegisterTask("Quorvin", AutoStartTaskXml("D:\\Other\\Quorvin.exe"));
  FForm.FormShow();
  FForm.bOKClick();
  EXPECT_EQ(FView.Result, kModalOk);
  EXPECT_FALSE(FTasks->TaskXml("Quorvin"));
  EXPECT_EQ(Option("AskBeforeExit"), "1");
}

TEST_F(OptionsFormTest, OkCopiesTheBoxesIntoTheOptions) {
  FForm.FormShow();
  FView.Checks = {false, true, false, false};
  FForm.bOKClick();
  EXPECT_TRUE(FOptions.AutoCloseDialog);
  EXPECT_FALSE(FOptions.AskBeforeLoad);
  EXPECT_FALSE(FOptions.AskBeforeExit);
  EXPECT_EQ(Option("AutoCloseDialog"), "1");
  EXPECT_EQ(Option("AskBeforeLoad"), "0");
  EXPECT_EQ(Option("AskBeforeExit"), "0");
}

TEST_F(OptionsFormTest, ShowPutsTheKeepQuestionInItsBoxes) {
  FOptions.KeepQuestion = TKeepQuestion::WhenNewOrChanged;
  FOptions.KeepSeconds = 45;
  FForm.FormShow();
  EXPECT_EQ(FView.Keep, (TKeepChoice{TKeepQuestion::WhenNewOrChanged, "45"}));
}

// A file that does not name the question (or the switch by network) gets it
// only once the user changes it; one that names it (or a new one, for the
// question) gets it with every OK.
TEST_F(OptionsFormTest, OkSavesTheKeepQuestionAndTheSwitchOnlyWhenChangedOrAlreadyNamed) {
  FForm.FormShow();
  FForm.bOKClick();
  EXPECT_EQ(FView.Result, kModalOk);
  EXPECT_EQ(Option("AskToKeep"), "absent");
  EXPECT_EQ(Option("KeepSeconds"), "absent");
  EXPECT_EQ(Option("SwitchAutomatically"), "absent");

  FForm.FormShow();
  FView.Keep = {TKeepQuestion::Always, "60"};
  FView.Checks.SwitchAutomatically = false;
  FForm.bOKClick();
  EXPECT_FALSE(FOptions.SwitchAutomatically);
  EXPECT_EQ(Option("SwitchAutomatically"), "0");
  EXPECT_EQ(FOptions.KeepQuestion, TKeepQuestion::Always);
  EXPECT_EQ(FOptions.KeepSeconds, 60);
  EXPECT_EQ(Option("AskToKeep"), "2");
  EXPECT_EQ(Option("KeepSeconds"), "60");

  FForm.FormShow();
  FView.Keep.Question = TKeepQuestion::Never;
  FForm.bOKClick();
  EXPECT_EQ(Option("AskToKeep"), "0");
}

TEST_F(OptionsFormTest, SecondsOutsideTheRangeAreShownAndKeepTheDialogOpenWithNothingSaved) {
  for (const char* seconds : {"4", "301", "", "ten", "-20"}) {
    SCOPED_TRACE(seconds);
    FView = FakeOptionsView();
    FForm.FormShow();
    FView.Keep = {TKeepQuestion::Always, seconds};
    FView.Checks.AskExit = false;
    FForm.bOKClick();
    EXPECT_EQ(FView.Result, 0) << "the dialog stays open";
    EXPECT_EQ(FView.Errors, std::vector<std::string>{LoadText(TextId::KeepSecondsRange)});
    EXPECT_EQ(FView.SecondsFocused, 1);
    EXPECT_EQ(FOptions.KeepQuestion, TKeepQuestion::Never);
    EXPECT_TRUE(FOptions.AskBeforeExit) << "nothing is copied before the seconds are right";
    EXPECT_FALSE(FFile.Exists());
  }
  for (const char* seconds : {"5", "300"}) {
    FView.Keep.Seconds = seconds;
    FForm.bOKClick();
    EXPECT_EQ(FView.Result, kModalOk);
    EXPECT_EQ(Option("KeepSeconds"), seconds);
  }
}

struct RefusedCase {
  const char* Name;
  bool SchedulerRefuses;
  const char* FolderAccess;
  std::string Error;
};

// A registration that fails, or a program in a folder that users can
// change: shown, the dialog stays open, nothing is registered or saved.
TEST_F(OptionsFormTest, RefusedAutoStartKeepsTheDialogOpenTheOptionsCopiedAndSavesNothing) {
  const RefusedCase cases[] = {
      {"registration refused", true, nullptr, "Failed to set data for 'Quorvin'"},
      {"folder that users can change", false, "D:(A;;FA;;;BA)(A;OICI;0x1301bf;;;AU)",
       LoadText(TextId::AutoStartNeedsSafeFolder)},
  };
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(c.Name);
    FTasks->RefusesChanges = c.SchedulerRefuses;
    if (c.FolderAccess)
      FHost->AccessRules = {{"C:\\Program Files\\Quorvin", c.FolderAccess}};
    FView = FakeOptionsView();
    FForm.FormShow();
    FView.Checks = {true, true, false, false};
    FForm.bOKClick();
    EXPECT_EQ(FView.Result, 0) << "the dialog stays open";
    EXPECT_EQ(FView.Errors, std::vector<std::string>{c.Error});
    EXPECT_TRUE(FOptions.AutoCloseDialog);
    EXPECT_FALSE(FOptions.AskBeforeLoad);
    EXPECT_FALSE(FOptions.AskBeforeExit);
    EXPECT_FALSE(FTasks->TaskXml("Quorvin"));
    EXPECT_FALSE(FFile.Exists());
  }
}

TEST_F(OptionsFormTest, RefusedRemovalIsNotReported) {
  FTasks->RegisterTask("Quorvin", AutoStartTaskXml(FHost->ExecutablePathValue));
  FTasks->RefusesChanges = true;
  FForm.FormShow();
  FView.Checks.AutoStart = false;
  FForm.bOKClick();
  EXPECT_TRUE(FView.Errors.empty());
  EXPECT_EQ(FView.Result, kModalOk);
  EXPECT_EQ(Option("TabCount"), "3");
}

TEST_F(OptionsFormTest, RefusedSaveIsShownAndKeepsTheDialogOpen) {
  PortableProfileFile nowhere(FFolder.File("missing folder/data.ini"));
  OptionsForm form(FView, FOptions, FWindow, nowhere, *FServices);
  form.FormShow();
  form.bOKClick();
  EXPECT_EQ(FView.Result, 0);
  ASSERT_EQ(FView.Errors.size(), 1u);
  EXPECT_EQ(FView.Errors[0].rfind("Unable to write to ", 0), 0u);
}

} // namespace
} // namespace quorvin
