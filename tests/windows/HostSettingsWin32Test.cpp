#include "support/TempFolder.h"
#include "system/AccessRules.h"
#include "system/AutoStart.h"
#include "system/HostOperations.h"
#include "system/OsVersion.h"
#include "system/ProxySettings.h"
#include "system/win32/Win32HostSettings.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace quorvin::test {
namespace {

TEST(HostSettingsWin32, ComputerNameAnswers) {
  Win32HostSettings host;
  const std::string name = GetComputerNameText(host);
  EXPECT_FALSE(name.empty());
  EXPECT_LE(name.size(), 15u);
}

TEST(HostSettingsWin32, WorkgroupNameAnswers) {
  Win32HostSettings host;
  std::string name;
  EXPECT_EQ(host.QueryWorkgroup(name), 0u);
  EXPECT_FALSE(GetWorkgroupName(host).empty());
}

TEST(HostSettingsWin32, VersionIsNt6OrLater) {
  Win32HostSettings host;
  const OsVersion version = host.Version();
  EXPECT_EQ(version.PlatformId, kPlatformNt);
  EXPECT_GE(version.Major, 6u);
  EXPECT_EQ(GetOsVersionCode(host), kOsVersionNt6OrLater);
}

TEST(HostSettingsWin32, SixtyFourBitProgramIsNoWow64Process) {
  Win32HostSettings host;
  EXPECT_EQ(IsWow64(host), sizeof(void*) == 4 && host.IsWow64Process());
  EXPECT_EQ(RunKeyPath(IsWow64(host)), kRunKeyPath);
}

TEST(HostSettingsWin32, ExecutablePathIsThisProgram) {
  Win32HostSettings host;
  const std::string path = host.ExecutablePath();
  EXPECT_NE(path.find("quorvin_windows_tests.exe"), std::string::npos) << path;
  EXPECT_EQ(path.find('"'), std::string::npos);
}

// A folder that this user made is the user's to change, on Windows (the
// user's full control, inherited from the profile) as under Wine (the
// prefix's user owns every file).
TEST(HostSettingsWin32, AccessRulesOfAFileAndAFolderAreTheirDacls) {
  Win32HostSettings host;
  TempFolder folder;
  const std::string file = folder.File("Quorvin.exe");
  WriteBytes(file, "MZ");
  for (const std::string& path : {folder.Path(), file, host.ExecutablePath()}) {
    const std::optional<std::string> rules = host.FileAccessRules(path);
    ASSERT_TRUE(rules) << path;
    EXPECT_EQ(rules->rfind("D:", 0), 0u) << *rules;
    EXPECT_EQ(rules->find("O:"), std::string::npos) << "the DACL only: " << *rules;
  }
  // The system's own text is one that the decision reads.
  EXPECT_TRUE(WritableByNonAdministrators(*host.FileAccessRules(folder.Path())));
  EXPECT_FALSE(host.FileAccessRules(folder.File("missing.exe")));
}

TEST(HostSettingsWin32, ProfileTextRoundTripAndBuffer) {
  Win32HostSettings host;
  const std::string section = "Quorvin Test " + std::to_string(GetCurrentProcessId());
  EXPECT_TRUE(host.WriteProfileText(section, "Key", "winspool,Ne00:"));
  EXPECT_EQ(host.ReadProfileText(section, "Key", "", kProfileBufferSize), "winspool,Ne00:");
  EXPECT_EQ(host.ReadProfileText(section, "Key", "", 5), "wins"); // size - 1 characters
  EXPECT_EQ(host.ReadProfileText(section, "Missing", "fallback", kProfileBufferSize), "fallback");
  WriteProfileStringA(section.c_str(), nullptr, nullptr);
  EXPECT_EQ(host.ReadProfileText(section, "Key", "", kProfileBufferSize), "");
}

TEST(HostSettingsWin32, WithoutAProxyThereIsNoProxyAddress) {
  Win32HostSettings host;
  ProxyInfo info;
  ASSERT_TRUE(host.QueryProxy(info));
  if (info.AccessType == kInternetOpenTypeProxy)
    GTEST_SKIP() << "this machine uses a proxy";
  EXPECT_EQ(GetProxyFor(host, "http"), ProxyAddress{});
}

} // namespace
} // namespace quorvin::test
