#include "unit/SimulatedNetworkSample.h"

#include "support/TempFolder.h"
#include "store/FileIo.h"
#include "system/AdapterList.h"
#include "system/AutoStart.h"
#include "system/HostOperations.h"
#include "system/SystemError.h"
#include "system/SystemServices.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quorvin::test {
namespace {

class SimulateVariable {
public:
  explicit SimulateVariable(const std::string& folder) { ::setenv("QUORVIN_SIMULATE", folder.c_str(), 1); }
  ~SimulateVariable() { ::unsetenv("QUORVIN_SIMULATE"); }
};

TEST(SystemServices, SimulationWhenTheVariableNamesAFolder) {
  TempFolder folder;
  WriteBytes(folder.File("network.ini"), kSampleNetworkIni);
  SimulateVariable variable(folder.Path());
  const auto services = CreateSystemServices();
  std::vector<std::string> list;
  ListConnections(services->Network(), list);
  EXPECT_EQ(list.size(), 8u);
  EXPECT_EQ(GetComputerNameText(services->Host()), "SIMHOST");
}

// The simulation's tasks outlive the run, as the machine's do; the
// machine's scheduler is never asked.
TEST(SystemServices, SimulatedTasksAreFilesInTheFolder) {
  TempFolder folder;
  SimulateVariable variable(folder.Path());
  const std::string file = folder.File("tasks/Quorvin.xml");
  {
    const auto services = CreateSystemServices();
    SetAutoStart(services->Tasks(), services->GetRegistry(), services->Host(), true);
    EXPECT_EQ(ReadBytes(file), AutoStartTaskXml(services->Host().ExecutablePath()));
  }
  const auto again = CreateSystemServices();
  EXPECT_TRUE(GetAutoStart(again->Tasks(), again->Host()));
  TaskScheduler& tasks = again->Tasks();
  EXPECT_EQ(tasks.DeleteTask("Quorvin"), TaskStatus::Success);
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(tasks.TaskXml("Quorvin"));
  EXPECT_EQ(tasks.DeleteTask("Quorvin"), TaskStatus::NotFound);
  EXPECT_NE(tasks.RegisterTask("..\\Quorvin", "<Task/>"), TaskStatus::Success) << "a name, not a path";
}

TEST(SystemServices, SimulatedProgramThatUsersCanChangeDoesNotStartWithWindows) {
  TempFolder folder;
  WriteBytes(folder.File("network.ini"), kSampleNetworkIni); // C:\Tools-like rules
  SimulateVariable variable(folder.Path());
  const auto services = CreateSystemServices();
  EXPECT_THROW(SetAutoStart(services->Tasks(), services->GetRegistry(), services->Host(), true), QuorvinError);
  EXPECT_FALSE(FileExists(folder.File("tasks/Quorvin.xml")));
}

TEST(SystemServices, PlatformServicesWithoutTheVariable) {
  ::unsetenv("QUORVIN_SIMULATE");
  const auto services = CreateSystemServices();
  std::vector<std::string> list;
  ListConnections(services->Network(), list);
  EXPECT_TRUE(list.empty());
}

TEST(SystemError, CodeAndMessageWithTwoBlanks) {
  EXPECT_EQ(SystemErrorText(5, "Access is denied.\r\n"), "System Error.  Code: 5.\r\nAccess is denied");
  const QuorvinError error = SystemError(111, "The file name is too long.");
  EXPECT_STREQ(error.what(), "System Error.  Code: 111.\r\nThe file name is too long");
  EXPECT_EQ(error.Code(), 111u);
}

TEST(SystemError, CodeAboveTheSignedRangePrintsNegative) {
  EXPECT_EQ(SystemErrorText(0x80004005u, ""), "System Error.  Code: -2147467259.\r\n");
}

} // namespace
} // namespace quorvin::test
