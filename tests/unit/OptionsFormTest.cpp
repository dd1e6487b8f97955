// The options dialog's rules over a fake view, the in-memory registry and a
// settings file in a temporary folder.

#include "app/ModalResult.h"
#include "app/OptionsForm.h"

#include "base/QuorvinError.h"
#include "store/PortableProfileFile.h"
#include "support/TempFolder.h"
#include "system/AutoStart.h"
#include "system/sim/InMemoryHost.h"
#include "system/sim/InMemoryRegistry.h"

#include <gtest/gtest.h>

namespace quorvin {
namespace {

constexpr auto kMachine = RegistryRoot::LocalMachine;

class FakeOptionsView final : public OptionsView {
public:
  void SetCaption(const std::string& caption) override { Caption = caption; }
  void SetChecks(const TOptionsChecks& checks) override { Checks = checks; }
  TOptionsChecks GetChecks() const override { return Checks; }
  void ShowError(const std::exception& error) override { Errors.push_back(error.what()); }
  void CloseWith(int modalResult) override { Result = modalResult; }

  std::string Caption;
  TOptionsChecks Checks;
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

  test::TempFolder FFolder;
  PortableProfileFile FFile{FFolder.File("data.ini")};
  InMemoryRegistry* FRegistry = new InMemoryRegistry;
  InMemoryHost* FHost = new InMemoryHost;
  std::unique_ptr<SystemServices> FServices = std::make_unique<SystemServices>(
      std::unique_ptr<Registry>(FRegistry), nullptr, std::unique_ptr<HostSettings>(FHost));
  TOptionsSetting FOptions;
  TWindowOptions FWindow;
  FakeOptionsView FView;
  OptionsForm FForm{FView, FOptions, FWindow, FFile, *FServices};
};

TEST_F(OptionsFormTest, ShowTicksTheBoxesFromTheOptionsAndTheRunValue) {
  FOptions.AutoCloseDialog = true;
  FOptions.AskBeforeLoad = false;
  RunKey()->WriteString("Quorvin 3.5", "D:\\Other\\Quorvin.exe -Start");
  FForm.FormShow();
  EXPECT_EQ(FView.Caption, "Quorvin 3.5");
  EXPECT_EQ(FView.Checks, (TOptionsChecks{true, true, false, true}));

  RunKey()->WriteString("Quorvin 3.5", "D:\\Other\\Quorvin.exe"); // edited by hand
  FForm.FormShow();
  EXPECT_FALSE(FView.Checks.AutoStart);
  EXPECT_TRUE(FView.Errors.empty());
}

TEST_F(OptionsFormTest, OkWithoutChangesRewritesTheRunValueAndSaves) {
  FHost->ExecutablePathValue = "C:\\Tools\\Quorvin.exe";
  RunKey()->WriteString("Quorvin 3.5", "C:\\Old place\\Quorvin.exe -Start");
  FForm.FormShow();
  FForm.bOKClick();
  EXPECT_EQ(FView.Result, kModalOk);
  EXPECT_EQ(RunKey()->ReadString("Quorvin 3.5"), "C:\\Tools\\Quorvin.exe -Start");
  EXPECT_EQ(Option("DefaultTab"), "1");
  EXPECT_EQ(Option("TabCount"), "3");
  EXPECT_EQ(Option("AutoCloseDialog"), "0");
  EXPECT_EQ(Option("AskBeforeLoad"), "1");
  EXPECT_EQ(Option("AskBeforeExit"), "1");
}

TEST_F(OptionsFormTest, OkWithAutoStartOffDeletesAnAbsentValueAndSaves) {
  FForm.FormShow();
  FForm.bOKClick();
  EXPECT_EQ(FView.Result, kModalOk);
  EXPECT_FALSE(RunKey()->HasValue("Quorvin 3.5"));
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

TEST_F(OptionsFormTest, RefusedAutoStartKeepsTheDialogOpenTheOptionsCopiedAndSavesNothing) {
  FRegistry->RefuseWrites(kMachine, kRunKeyPath);
  FForm.FormShow();
  FView.Checks = {true, true, false, false};
  FForm.bOKClick();
  EXPECT_EQ(FView.Result, 0) << "the dialog stays open";
  ASSERT_EQ(FView.Errors, std::vector<std::string>{"Failed to set data for 'Quorvin 3.5'"});
  EXPECT_TRUE(FOptions.AutoCloseDialog);
  EXPECT_FALSE(FOptions.AskBeforeLoad);
  EXPECT_FALSE(FOptions.AskBeforeExit);
  EXPECT_FALSE(FFile.Exists());
}

TEST_F(OptionsFormTest, RefusedDeletionIsNotReported) {
  RunKey()->WriteString("Quorvin 3.5", "C:\\Quorvin.exe -Start");
  FRegistry->RefuseWrites(kMachine, kRunKeyPath);
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
