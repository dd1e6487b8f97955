// The task scheduler port against the system's own Task Scheduler, through
// COM as the options dialog uses it on the user-interface thread. The task
// has a name of its own, so that a real "Quorvin" task is left alone.

#include "base/AsciiCase.h"
#include "system/AutoStart.h"
#include "system/win32/Win32HostSettings.h"
#include "system/win32/Win32TaskScheduler.h"
#include "support/win32/RunsUnderWine.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

namespace quorvin::test {
namespace {

class TaskSchedulerWin32Test : public ::testing::Test {
protected:
  TaskSchedulerWin32Test() : FCom(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~TaskSchedulerWin32Test() override {
    FTasks.DeleteTask(FName);
    if (SUCCEEDED(FCom))
      ::CoUninitialize();
  }

  // Registers the logon task for this test program; skips where only an
  // administrator may register it (Windows without elevation).
  void Register() {
    const std::uint32_t status = FTasks.RegisterTask(FName, AutoStartTaskXml(FProgram));
    if (status == TaskStatus::AccessDenied)
      GTEST_SKIP() << "registering a task with the highest run level needs an administrator";
    ASSERT_EQ(status, TaskStatus::Success);
  }

  HRESULT FCom;
  Win32TaskScheduler FTasks;
  const std::string FName = "Quorvin Test " + std::to_string(::GetCurrentProcessId());
  const std::string FProgram = Win32HostSettings().ExecutablePath();
};

TEST_F(TaskSchedulerWin32Test, RegisteredReadDeletedAndGone) {
  Register();
  if (IsSkipped())
    return;
  const std::optional<std::string> xml = FTasks.TaskXml(FName);
  ASSERT_TRUE(xml);
  // Kept by Windows and by Wine alike: the task is ours, not a default one.
  EXPECT_NE(xml->find("<ExecutionTimeLimit>PT0S</ExecutionTimeLimit>"), std::string::npos) << *xml;
  EXPECT_EQ(FTasks.DeleteTask(FName), TaskStatus::Success);
  EXPECT_FALSE(FTasks.TaskXml(FName));
  EXPECT_EQ(FTasks.DeleteTask(FName), TaskStatus::NotFound);
}

TEST_F(TaskSchedulerWin32Test, ReadBackNamesTheProgramTheStartAndTheHighestRunLevel) {
  Register();
  if (IsSkipped())
    return;
  const std::string xml = FTasks.TaskXml(FName).value_or("");
  if (RunsUnderWine() && TaskProgram(xml).empty())
    GTEST_SKIP() << "Wine's scheduler keeps no Exec command, principal or trigger:\n" << xml;
  EXPECT_TRUE(EqualsIgnoringCase(TaskProgram(xml), FProgram)) << xml;
  for (const char* part : {"<Arguments>-Start</Arguments>", "<RunLevel>HighestAvailable</RunLevel>",
                           "<GroupId>S-1-5-32-545</GroupId>", "<LogonTrigger>"})
    EXPECT_NE(xml.find(part), std::string::npos) << part << "\n" << xml;
}

} // namespace
} // namespace quorvin::test
