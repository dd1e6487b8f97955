#include "support/SimulatedNetworkSample.h"

#include "support/TempFolder.h"
#include "store/FileIo.h"
#include "system/AdapterList.h"
#include "system/AutoStart.h"
#include "system/HostOperations.h"
#include "system/SystemError.h"
#include "system/SystemServices.h"
#include "system/sim/SimulatedNetwork.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace quorvin::test {
namespace {

TEST(SystemServices, SimulationWhenAFolderIsNamed) {
  TempFolder folder;
  WriteBytes(folder.File("network.ini"), kSampleNetworkIni);
  const auto services = CreateSystemServices(folder.Path());
  std::vector<std::string> list;
  ListConnections(services->Network(), list);
  EXPECT_EQ(list.size(), 8u);
  EXPECT_EQ(GetComputerNameText(services->Host()), "SIMHOST");
  EXPECT_TRUE(services->Probe().Answers("192.168.1.1", 500)) << "network.ini's gateway answers";
  EXPECT_EQ(services->Identity().Seen("{A1B2C3D4-0000-4000-8000-0000000000AA}").Ssid, "CorvaneGuest");
}

// The simulation's tasks outlive the run, as the machine's do; the
// machine's scheduler is never asked.
TEST(SystemServices, SimulatedTasksAreFilesInTheFolder) {
  TempFolder folder;
  const std::string file = folder.File("tasks/Quorvin.xml");
  {
    const auto services = CreateSystemServices(folder.Path());
    SetAutoStart(services->Tasks(), services->GetRegistry(), services->Host(), true);
    EXPECT_EQ(ReadBytes(file), AutoStartTaskXml(services->Host().ExecutablePath()));
  }
  const auto again = CreateSystemServices(folder.Path());
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
  const auto services = CreateSystemServices(folder.Path());
  EXPECT_THROW(SetAutoStart(services->Tasks(), services->GetRegistry(), services->Host(), true), QuorvinError);
  EXPECT_FALSE(FileExists(folder.File("tasks/Quorvin.xml")));
}

TEST(SystemServices, PlatformServicesWithoutAFolderWhateverTheEnvironmentSays) {
  TempFolder folder;
  WriteBytes(folder.File("network.ini"), kSampleNetworkIni);
  ::setenv("QUORVIN_SIMULATE", folder.Path().c_str(), 1);
  const auto services = CreateSystemServices();
  ::unsetenv("QUORVIN_SIMULATE");
  std::vector<std::string> list;
  ListConnections(services->Network(), list);
  EXPECT_TRUE(list.empty());
  EXPECT_FALSE(services->Probe().Answers("192.168.1.1", 500));
}

// simulate.ini beside the executable: relative paths from its folder.
TEST(SystemServices, SimulationSettingsComeFromTheFileBesideTheProgram) {
  struct Case {
    const char* File; // nullptr: no file
    std::optional<std::string> Folder, ReadyFile;
  };
  TempFolder program;
  const std::string here = program.Path() + "/";
  for (const Case& c : {Case{nullptr, {}, {}}, Case{"[Simulation]\r\n", {}, {}},
                        Case{"[Simulation]\r\nFolder=\r\nReadyFile=\r\n", {}, {}},
                        Case{"[Simulation]\r\nFolder=network\r\nReadyFile=ready\r\n", here + "network", here + "ready"},
                        Case{"[simulation]\r\nFolder=/srv/net\r\n", "/srv/net", {}},
                        Case{"[Simulation]\r\nFolder=C:\\net\r\nReadyFile=\\\\host\\r\r\n", "C:\\net", "\\\\host\\r"},
                        Case{"[Other]\r\nFolder=network\r\n", {}, {}}}) {
    std::remove(program.File("simulate.ini").c_str());
    if (c.File)
      WriteBytes(program.File("simulate.ini"), c.File);
    const TSimulationSettings settings = ReadSimulationSettings(program.Path());
    EXPECT_EQ(settings.Folder, c.Folder) << (c.File ? c.File : "no file");
    EXPECT_EQ(settings.ReadyFile, c.ReadyFile) << (c.File ? c.File : "no file");
  }
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
