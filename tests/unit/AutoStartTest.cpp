#include "base/QuorvinError.h"
#include "system/AutoStart.h"
#include "system/sim/InMemoryHost.h"
#include "system/sim/InMemoryRegistry.h"

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

constexpr auto kMachine = RegistryRoot::LocalMachine;
constexpr char kFileSystem[] = "SYSTEM\\CurrentControlSet\\Control\\FileSystem";

class AutoStartTest : public ::testing::Test {
protected:
  std::unique_ptr<RegistryKey> RunKey(bool wow64 = false) {
    return FRegistry.Open(kMachine, RunKeyPath(wow64), RegistryAccess::ReadWrite, true);
  }
  InMemoryRegistry FRegistry;
  InMemoryHost FHost;
};

TEST_F(AutoStartTest, RunKeyPathFollowsWow64) {
  EXPECT_EQ(RunKeyPath(false), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
  EXPECT_EQ(RunKeyPath(true), "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run");
}

TEST_F(AutoStartTest, OnWritesThePathAndStart) {
  FHost.ExecutablePathValue = "C:\\Program Files\\Quorvin\\Quorvin.exe";
  SetAutoStart(FRegistry, FHost, true);
  EXPECT_EQ(RunKey()->ReadString("Quorvin 3.5"), "C:\\Program Files\\Quorvin\\Quorvin.exe -Start");
  EXPECT_EQ(RunKey()->Query("Quorvin 3.5").Type, RegistryType::String);
  EXPECT_TRUE(GetAutoStart(FRegistry, FHost));
}

TEST_F(AutoStartTest, OffDeletesTheValue) {
  SetAutoStart(FRegistry, FHost, true);
  SetAutoStart(FRegistry, FHost, false);
  EXPECT_FALSE(RunKey()->HasValue("Quorvin 3.5"));
  EXPECT_FALSE(GetAutoStart(FRegistry, FHost));
  EXPECT_NO_THROW(SetAutoStart(FRegistry, FHost, false)); // a missing value is no error
}

TEST_F(AutoStartTest, Wow64UsesTheWow6432NodeKey) {
  FHost.Wow64 = true;
  SetAutoStart(FRegistry, FHost, true);
  EXPECT_TRUE(RunKey(true)->HasValue("Quorvin 3.5"));
  EXPECT_FALSE(RunKey(false)->HasValue("Quorvin 3.5"));
  EXPECT_TRUE(GetAutoStart(FRegistry, FHost));
}

TEST_F(AutoStartTest, MissingKeyOrValueIsOff) {
  EXPECT_FALSE(GetAutoStart(FRegistry, FHost));
  RunKey();
  EXPECT_FALSE(GetAutoStart(FRegistry, FHost));
}

TEST_F(AutoStartTest, ValueEditedWithoutStartIsOff) {
  RunKey()->WriteString("Quorvin 3.5", "C:\\Quorvin\\Quorvin.exe");
  EXPECT_FALSE(GetAutoStart(FRegistry, FHost));
  RunKey()->WriteString("Quorvin 3.5", "\"C:\\Quorvin\\Quorvin.exe\" /x -Start /y");
  EXPECT_TRUE(GetAutoStart(FRegistry, FHost));
}

// The Run key refused for writing, or for opening and creating alike:
// switching on must say so, switching off stays unreported.
TEST_F(AutoStartTest, OnFailsToSetDataWhenTheRunKeyRefuses) {
  const std::pair<const char*, void (InMemoryRegistry::*)(RegistryRoot, std::string_view)> refusals[] = {
      {"Writes", &InMemoryRegistry::RefuseWrites}, {"OpenAndCreate", &InMemoryRegistry::RefuseOpen}};
  for (const auto& [name, refuse] : refusals) {
    SCOPED_TRACE(name);
    InMemoryRegistry registry;
    (registry.*refuse)(kMachine, RunKeyPath(false));
    try {
      SetAutoStart(registry, FHost, true);
      ADD_FAILURE() << "no error";
    } catch (const QuorvinError& error) {
      EXPECT_STREQ(error.what(), "Failed to set data for 'Quorvin 3.5'");
    }
    EXPECT_NO_THROW(SetAutoStart(registry, FHost, false));
  }
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
  try {
    Ensure();
    FAIL() << "no error";
  } catch (const QuorvinError& error) {
    EXPECT_STREQ(error.what(), "Invalid data type for 'LongPathsEnabled'");
  }
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
