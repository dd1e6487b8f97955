#include "base/QuorvinError.h"
#include "base/Texts.h"
#include "support/Raised.h"
#include "system/AccessRules.h"
#include "system/AutoStart.h"
#include "system/sim/InMemoryHost.h"
#include "system/sim/InMemoryRegistry.h"
#include "system/sim/InMemoryTaskScheduler.h"

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

constexpr auto kMachine = RegistryRoot::LocalMachine;
constexpr char kFileSystem[] = "SYSTEM\\CurrentControlSet\\Control\\FileSystem";
constexpr char kProgram[] = "C:\\Program Files\\Quorvin\\Quorvin.exe";
// C:\Tools made by an administrator: Authenticated Users may modify it.
constexpr char kToolsFolderAccess[] = "D:AI(A;ID;FA;;;BA)(A;ID;FA;;;SY)(A;OICIID;0x1200a9;;;BU)(A;ID;0x1301bf;;;AU)";

class AutoStartTest : public ::testing::Test {
protected:
  std::unique_ptr<RegistryKey> RunKey(bool wow64 = false) {
    return FRegistry.Open(kMachine, RunKeyPath(wow64), RegistryAccess::ReadWrite, true);
  }
  std::string RegisteredProgram() { return TaskProgram(FTasks.TaskXml("Quorvin").value_or("")); }

  InMemoryRegistry FRegistry;
  InMemoryHost FHost;
  InMemoryTaskScheduler FTasks;
};

TEST_F(AutoStartTest, RunKeyPathFollowsWow64) {
  EXPECT_EQ(RunKeyPath(false), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
  EXPECT_EQ(RunKeyPath(true), "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run");
}

// --- The task's definition ---

TEST(AutoStartTaskXml, NamesEverySettingOfTheLogonTask) {
  const std::string xml = AutoStartTaskXml(kProgram);
  const char* const parts[] = {
      "<Command>\"C:\\Program Files\\Quorvin\\Quorvin.exe\"</Command>", // quoted: not C:\Program.exe
      "<Arguments>-Start</Arguments>",
      "<LogonTrigger>",
      "<GroupId>S-1-5-32-545</GroupId>",
      "<RunLevel>HighestAvailable</RunLevel>",
      "<ExecutionTimeLimit>PT0S</ExecutionTimeLimit>",
      "<StartWhenAvailable>true</StartWhenAvailable>",
      "<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>",
      "<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>",
      "<MultipleInstancesPolicy>Parallel</MultipleInstancesPolicy>",
      "<Priority>4</Priority>",
  };
  for (const char* part : parts)
    EXPECT_NE(xml.find(part), std::string::npos) << part << "\n" << xml;
  EXPECT_EQ(xml.find("<UserId>"), std::string::npos) << "the logon of any user";
}

TEST(AutoStartTaskXml, ThePathIsEscapedAndReadBackAsItWas) {
  const std::string path = "D:\\R&D <tools>\\Quorvin.exe";
  const std::string xml = AutoStartTaskXml(path);
  EXPECT_NE(xml.find("\"D:\\R&amp;D &lt;tools&gt;\\Quorvin.exe\""), std::string::npos) << xml;
  EXPECT_EQ(TaskProgram(xml), path);
}

struct ProgramCase {
  const char* Name;
  const char* Xml;
  const char* Program;
};

TEST(TaskProgram, TheFirstExecActionsCommandWithoutQuotes) {
  const ProgramCase cases[] = {
      {"quoted", "<Actions><Exec><Command>\"C:\\A B\\Quorvin.exe\"</Command></Exec></Actions>", "C:\\A B\\Quorvin.exe"},
      {"as Windows writes it back",
       "<Actions Context=\"Users\">\r\n    <Exec>\r\n      <Command>C:\\Q\\Quorvin.exe</Command>\r\n"
       "      <Arguments>-Start</Arguments>\r\n    </Exec>\r\n  </Actions>",
       "C:\\Q\\Quorvin.exe"},
      {"quotes as entities", "<Exec><Command>&quot;C:\\Q\\Quorvin.exe&quot;</Command></Exec>", "C:\\Q\\Quorvin.exe"},
      {"an Exec without a command", "<Actions><Exec/></Actions>", ""},
      {"a command outside the Exec", "<Exec></Exec><Command>C:\\Q\\Quorvin.exe</Command>", ""},
      {"no action", "<Task></Task>", ""},
  };
  for (const ProgramCase& c : cases)
    EXPECT_EQ(TaskProgram(c.Xml), c.Program) << c.Name;
}

TEST(ProgramFolder, TheFolderOfThePath) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Program Files\\Quorvin\\Quorvin.exe", "C:\\Program Files\\Quorvin"},
      {"C:\\Quorvin.exe", "C:\\"},
      {"\\\\server\\share\\Quorvin.exe", "\\\\server\\share"},
      {"Quorvin.exe", ""},
  };
  for (const auto& [path, folder] : cases)
    EXPECT_EQ(ProgramFolder(path), folder) << path;
}

// --- Switching ---

TEST_F(AutoStartTest, OnRegistersTheTaskForThisProgram) {
  FHost.ExecutablePathValue = kProgram;
  SetAutoStart(FTasks, FRegistry, FHost, true);
  EXPECT_EQ(FTasks.TaskXml("Quorvin"), AutoStartTaskXml(kProgram));
  EXPECT_TRUE(GetAutoStart(FTasks, FHost));
}

TEST_F(AutoStartTest, OffRemovesTheTaskAndAMissingTaskIsNoError) {
  SetAutoStart(FTasks, FRegistry, FHost, true);
  SetAutoStart(FTasks, FRegistry, FHost, false);
  EXPECT_FALSE(FTasks.TaskXml("Quorvin"));
  EXPECT_FALSE(GetAutoStart(FTasks, FHost));
  EXPECT_NO_THROW(SetAutoStart(FTasks, FRegistry, FHost, false));
}

TEST_F(AutoStartTest, OnOnlyWhenTheTaskStartsThisProgram) {
  FHost.ExecutablePathValue = kProgram;
  const ProgramCase cases[] = {
      {"no task", nullptr, ""},
      {"this program", "<Exec><Command>\"C:\\Program Files\\Quorvin\\Quorvin.exe\"</Command></Exec>", "on"},
      {"another letter case", "<Exec><Command>c:\\PROGRAM FILES\\quorvin\\QUORVIN.EXE</Command></Exec>", "on"},
      {"another copy", "<Exec><Command>\"D:\\Portable\\Quorvin.exe\"</Command></Exec>", ""},
      {"no command", "<Actions><Exec/></Actions>", ""},
  };
  for (const ProgramCase& c : cases) {
    FTasks.Tasks.clear();
    if (c.Xml)
      FTasks.RegisterTask("Quorvin", c.Xml);
    EXPECT_EQ(GetAutoStart(FTasks, FHost), *c.Program != '\0') << c.Name;
  }
}

TEST_F(AutoStartTest, RefusedRegistrationFailsToSetDataAndARefusedRemovalIsNotReported) {
  FTasks.RefusesChanges = true;
  const QuorvinError error = test::RaisedBy([&] { SetAutoStart(FTasks, FRegistry, FHost, true); });
  EXPECT_STREQ(error.what(), "Failed to set data for 'Quorvin'");
  EXPECT_EQ(error.Code(), TaskStatus::AccessDenied);
  EXPECT_NO_THROW(SetAutoStart(FTasks, FRegistry, FHost, false));
}

// Either way, in both registry views; other programs' values stay.
TEST_F(AutoStartTest, SwitchingRemovesTheRunValuesOfEarlierVersions) {
  for (const bool on : {true, false}) {
    SCOPED_TRACE(on ? "on" : "off");
    for (const bool wow64 : {false, true}) {
      RunKey(wow64)->WriteString("Quorvin 3.5", "C:\\Quorvin\\Quorvin.exe -Start");
      RunKey(wow64)->WriteString("Other", "C:\\Other.exe");
    }
    SetAutoStart(FTasks, FRegistry, FHost, on);
    for (const bool wow64 : {false, true}) {
      EXPECT_FALSE(RunKey(wow64)->HasValue("Quorvin 3.5")) << wow64;
      EXPECT_TRUE(RunKey(wow64)->HasValue("Other")) << wow64;
    }
  }
}

struct RefusalCase {
  const char* Name;
  const char* Path; // whose rules are changed
  std::optional<std::string> Rules;
};

// A program that users could replace would run with the administrator's
// full rights at the next logon: no task, and the Run values stay.
TEST_F(AutoStartTest, ProgramThatUsersCanChangeIsRefused) {
  FHost.ExecutablePathValue = "C:\\Tools\\Quorvin.exe";
  const RefusalCase cases[] = {
      {"folder users can change", "C:\\Tools", kToolsFolderAccess},
      {"file users can change", "C:\\Tools\\Quorvin.exe", "D:(A;;FA;;;BA)(A;;FA;;;S-1-5-21-1-2-3-1001)"},
      {"folder rules that cannot be read", "C:\\Tools", std::nullopt},
      {"file rules that cannot be read", "C:\\Tools\\Quorvin.exe", std::nullopt},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.Name);
    FHost.AccessRules = {{c.Path, c.Rules}};
    RunKey()->WriteString("Quorvin 3.5", "C:\\Tools\\Quorvin.exe -Start");
    const QuorvinError error = test::RaisedBy([&] { SetAutoStart(FTasks, FRegistry, FHost, true); });
    EXPECT_EQ(error.what(), LoadText(TextId::AutoStartNeedsSafeFolder));
    EXPECT_FALSE(FTasks.TaskXml("Quorvin"));
    EXPECT_TRUE(RunKey()->HasValue("Quorvin 3.5"));
    EXPECT_NO_THROW(SetAutoStart(FTasks, FRegistry, FHost, false)) << "switching off is never refused";
  }
}

// --- Who may change the program ---

struct AccessCase {
  const char* Name;
  const char* Sddl;
  bool Writable;
};

constexpr char kProgramFilesAccess[] =
    "D:PAI(A;;FA;;;S-1-5-80-956008885-3418522649-1831038044-1850292795-2001190935)"
    "(A;CIIO;GA;;;S-1-5-80-956008885-3418522649-1831038044-1850292795-2001190935)(A;;0x1301bf;;;SY)"
    "(A;OICIIO;GA;;;SY)(A;;0x1301bf;;;BA)(A;OICIIO;GA;;;BA)(A;;0x1200a9;;;BU)(A;OICIIO;GXGR;;;BU)"
    "(A;OICIIO;GA;;;CO)(A;;0x1200a9;;;AC)(A;OICIIO;GXGR;;;AC)(A;;0x1200a9;;;S-1-15-2-2)(A;OICIIO;GXGR;;;S-1-15-2-2)";

const AccessCase kAccessCases[] = {
    {"Program Files", kProgramFilesAccess, false},
    {"a file installed there", "D:AI(A;ID;FA;;;SY)(A;ID;FA;;;BA)(A;ID;0x1200a9;;;BU)(A;ID;0x1200a9;;;AC)", false},
    {"the administrators-only rules", "D:PAI(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x1200a9;;;BU)", false},
    {"after owner and group", "O:BAG:SYD:PAI(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x1200a9;;;BU)", false},
    {"trusted SIDs spelled out", "D:(A;;FA;;;S-1-5-18)(A;;FA;;;S-1-5-32-544)(A;;FA;;;CO)(A;;FA;;;S-1-3-0)", false},
    {"C:\\Tools: Authenticated Users modify", kToolsFolderAccess, true},
    {"users may add a folder (C:\\ root)", "D:(A;;FA;;;BA)(A;CI;LC;;;BU)", true},
    {"users may add a file", "D:(A;;FA;;;BA)(A;CIID;DC;;;BU)", true},
    {"a user's profile folder",
     "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;S-1-5-21-1004336348-1177238915-682003330-1001)", true},
    {"everyone read and run", "D:(A;;FA;;;BA)(A;;0x1200a9;;;WD)", false},
    {"read, run and attributes by name", "D:(A;;FRFX;;;BU)(A;;CR;;;BU)", false},
    {"generic write", "D:(A;;GW;;;BU)", true},
    {"file write", "D:(A;;FW;;;AU)", true},
    {"write DAC", "D:(A;;WD;;;BU)", true},
    {"write owner", "D:(A;;WO;;;BU)", true},
    {"delete", "D:(A;;SD;;;BU)", true},
    {"delete a child", "D:(A;;DT;;;BU)", true},
    {"generic write as a number", "D:(A;;0x40000000;;;BU)", true},
    {"the owner's rights", "D:(A;;FA;;;OW)", true},
    {"inherit-only grants", "D:PAI(A;;FA;;;SY)(A;;FA;;;BA)(A;OICIIO;GA;;;BU)(A;CIIO;GW;;;AU)", false},
    {"inherit-only after other flags", "D:(A;OICIIOID;SDGXGWGR;;;AU)", false},
    {"denying entries", "D:(D;;FA;;;BU)(A;;FA;;;BA)", false},
    {"audit entries", "D:(A;;FA;;;BA)S:(AU;SA;FA;;;BU)", false},
    {"a conditional grant", "D:(XA;;FA;;;BU;(Member_of {SID(BA)}))", true},
    {"NULL DACL", "D:NO_ACCESS_CONTROL", true},
    {"no DACL at all", "O:BAG:SY", true},
    {"empty DACL", "D:P", false},
    {"unknown right", "D:(A;;QQ;;;BU)", true},
    {"entry cut short", "D:(A;;FA;;;BA", true},
};

TEST(WritableByNonAdministrators, DecidesFromTheAllowingEntriesOnTheObject) {
  for (const AccessCase& c : kAccessCases)
    EXPECT_EQ(WritableByNonAdministrators(c.Sddl), c.Writable) << c.Name << ": " << c.Sddl;
}

class EnsureRegistryFlagTest : public AutoStartTest {
protected:
  std::unique_ptr<RegistryKey> Key() {
    return FRegistry.Open(kMachine, kFileSystem, RegistryAccess::ReadWrite, true);
  }
  void Ensure() { EnsureRegistryFlag(FRegistry, kFileSystem, "LongPathsEnabled", 1); }
};

TEST_F(EnsureRegistryFlagTest, MissingValueAndKeyAreCreated) {
  Ensure();
  EXPECT_EQ(Key()->ReadInteger("LongPathsEnabled"), 1u);
}

TEST_F(EnsureRegistryFlagTest, ZeroBecomesOne) {
  Key()->WriteInteger("LongPathsEnabled", 0);
  Ensure();
  EXPECT_EQ(Key()->ReadInteger("LongPathsEnabled"), 1u);
}

TEST_F(EnsureRegistryFlagTest, OneIsLeftAloneWithoutWriting) {
  Key()->WriteInteger("LongPathsEnabled", 1);
  FRegistry.RefuseWrites(kMachine, kFileSystem);
  EXPECT_NO_THROW(Ensure());
}

TEST_F(EnsureRegistryFlagTest, ValueOfAnotherTypeIsInvalid) {
  Key()->WriteString("LongPathsEnabled", "1");
  const QuorvinError error = test::RaisedBy([&] { Ensure(); });
  EXPECT_STREQ(error.what(), "Invalid data type for 'LongPathsEnabled'");
}

TEST_F(EnsureRegistryFlagTest, RefusedWriteFailsToSetData) {
  FRegistry.RefuseWrites(kMachine, kFileSystem);
  EXPECT_THROW(Ensure(), QuorvinError);
}

TEST_F(EnsureRegistryFlagTest, KeyThatCannotBeOpenedIsLeftAlone) {
  FRegistry.RefuseOpen(kMachine, kFileSystem);
  EXPECT_NO_THROW(Ensure());
}

TEST_F(EnsureRegistryFlagTest, LeadingBackslashIsFromTheRoot) {
  EnsureRegistryFlag(FRegistry, "\\System\\CurrentControlSet\\Policies", "LongPathsEnabled", 1);
  EXPECT_EQ(FRegistry.Open(kMachine, "SYSTEM\\CurrentControlSet\\Policies", RegistryAccess::Read, false)
                ->ReadInteger("LongPathsEnabled"),
            1u);
}

} // namespace
} // namespace quorvin::test
