// Runs the built Pevrix.exe as its own process, as Quorvin does, and reads
// back what it left in the current user's internet settings and its exit
// code.

#include "proxyhelper/ProxyCommand.h"
#include "switching/ProxyHelperCommand.h"
#include "switching/win32/Win32ProcessLauncher.h"
#include "support/win32/RunsUnderWine.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvin::pevrix {
namespace {

using test::RunsUnderWine;

constexpr char kSettingsPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr char kBackupPath[] = "Software\\QuorvinTests\\Internet Settings backup";
constexpr char kServerValue[] = "ProxyServer";
constexpr char kEnableValue[] = "ProxyEnable";
// Only a guard against a helper that never ends; not a measure of speed.
constexpr DWORD kRunGuardMilliseconds = 60000;

struct KeyCloser {
  void operator()(HKEY key) const noexcept { ::RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

struct HandleCloser {
  void operator()(HANDLE handle) const noexcept { ::CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

UniqueKey OpenSettings(const char* path = kSettingsPath) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return nullptr;
  return UniqueKey(key);
}

bool SettingsKeyExists() {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  ::RegCloseKey(key);
  return true;
}

// One registry value exactly as it was, or its absence.
struct SavedValue {
  std::string Name;
  bool Present = false;
  DWORD Type = REG_NONE;
  std::vector<BYTE> Data;
};

SavedValue SaveValue(HKEY key, const char* name) {
  SavedValue saved;
  saved.Name = name;
  DWORD length = 0;
  if (::RegQueryValueExA(key, name, nullptr, &saved.Type, nullptr, &length) != ERROR_SUCCESS)
    return saved;
  saved.Data.resize(length);
  saved.Present = ::RegQueryValueExA(key, name, nullptr, &saved.Type, saved.Data.data(), &length) ==
                  ERROR_SUCCESS;
  saved.Data.resize(length);
  return saved;
}

void RestoreValue(HKEY key, const SavedValue& saved) {
  if (saved.Present)
    ::RegSetValueExA(key, saved.Name.c_str(), 0, saved.Type, saved.Data.data(),
                     static_cast<DWORD>(saved.Data.size()));
  else
    ::RegDeleteValueA(key, saved.Name.c_str());
}

// Puts the user's two proxy values back as they were before the test.
class SavedProxyValues {
public:
  SavedProxyValues() {
    FServer.Name = kServerValue;
    FEnable.Name = kEnableValue;
    if (const UniqueKey key = OpenSettings()) {
      FServer = SaveValue(key.get(), kServerValue);
      FEnable = SaveValue(key.get(), kEnableValue);
    }
  }
  ~SavedProxyValues() {
    if (const UniqueKey key = OpenSettings()) {
      RestoreValue(key.get(), FServer);
      RestoreValue(key.get(), FEnable);
    }
  }
  SavedProxyValues(const SavedProxyValues&) = delete;
  SavedProxyValues& operator=(const SavedProxyValues&) = delete;

private:
  SavedValue FServer;
  SavedValue FEnable;
};

// This program's folder, where the build puts Pevrix.exe too.
std::string TestFolder() {
  char path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  folder.erase(folder.find_last_of("\\/") + 1);
  return folder;
}

std::string PevrixPath() { return TestFolder() + "Pevrix.exe"; }

// Starts Pevrix hidden, named without a path, the arguments after one blank,
// and gives its exit code once it has ended; nothing when it could not be
// started or did not end.
std::optional<DWORD> RunPevrix(const std::string& arguments) {
  const std::string program = PevrixPath();
  std::string commandLine = "Pevrix " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    ADD_FAILURE() << "cannot start " << program << ": error " << ::GetLastError();
    return std::nullopt;
  }
  const UniqueHandle processHandle(process.hProcess);
  const UniqueHandle threadHandle(process.hThread);
  if (::WaitForSingleObject(process.hProcess, kRunGuardMilliseconds) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.hProcess, 1);
    ADD_FAILURE() << "Pevrix " << arguments << " did not end";
    return std::nullopt;
  }
  DWORD exitCode = 0;
  if (!::GetExitCodeProcess(process.hProcess, &exitCode)) {
    ADD_FAILURE() << "no exit code: error " << ::GetLastError();
    return std::nullopt;
  }
  return exitCode;
}

std::optional<std::string> ReadServer() {
  const UniqueKey key = OpenSettings();
  char text[512];
  DWORD type = 0;
  DWORD length = sizeof text;
  if (!key || ::RegQueryValueExA(key.get(), kServerValue, nullptr, &type, reinterpret_cast<BYTE*>(text),
                                 &length) != ERROR_SUCCESS ||
      type != REG_SZ || length == 0 || text[length - 1] != '\0')
    return std::nullopt;
  return std::string(text, length - 1);
}

std::optional<DWORD> ReadEnable() {
  const UniqueKey key = OpenSettings();
  DWORD value = 0;
  DWORD type = 0;
  DWORD length = sizeof value;
  if (!key || ::RegQueryValueExA(key.get(), kEnableValue, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                 &length) != ERROR_SUCCESS ||
      type != REG_DWORD || length != sizeof value)
    return std::nullopt;
  return value;
}

// Values that no run of the helper writes, so that an untouched registry
// can be told from a written one.
constexpr char kSeedServer[] = "untouched:0";
constexpr DWORD kSeedEnable = 7;

void SeedValues() {
  const UniqueKey key = OpenSettings();
  ASSERT_TRUE(key);
  ASSERT_EQ(::RegSetValueExA(key.get(), kServerValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(kSeedServer),
                             sizeof kSeedServer),
            ERROR_SUCCESS);
  ASSERT_EQ(::RegSetValueExA(key.get(), kEnableValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&kSeedEnable),
                             sizeof kSeedEnable),
            ERROR_SUCCESS);
}

struct RunCase {
  const char* Name;
  std::string Arguments;
  std::string Server;
  DWORD Enable;
  DWORD ExitCode = kExitDone;
};

class PevrixProcessTest : public ::testing::TestWithParam<RunCase> {
protected:
  SavedProxyValues FSaved;
};

TEST_P(PevrixProcessTest, LeavesTheProxyValuesAndEndsWithItsCode) {
  SeedValues();
  ASSERT_EQ(RunPevrix(GetParam().Arguments), std::optional<DWORD>(GetParam().ExitCode));
  EXPECT_EQ(ReadServer(), std::optional<std::string>(GetParam().Server));
  EXPECT_EQ(ReadEnable(), std::optional<DWORD>(GetParam().Enable));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, PevrixProcessTest,
    ::testing::Values(RunCase{"SetOn", "-set 10.0.0.1 80", "10.0.0.1:80", 1},
                      RunCase{"NoKeepsTheServer", "-No 10.0.0.1 80", "10.0.0.1:80", 0},
                      RunCase{"NoAlone", "-No", ":", 0},
                      RunCase{"QuotedServerWithBlanks", "-set \"my proxy host\" 3128", "my proxy host:3128", 1},
                      RunCase{"EmptyServerLeftOut", "-SET  8080", "8080:", 1},
                      RunCase{"NoArguments", "", kSeedServer, kSeedEnable, kExitBadCommand},
                      RunCase{"UnknownCommand", "set 10.0.0.1 80", kSeedServer, kSeedEnable, kExitBadCommand}),
    [](const auto& info) { return std::string(info.param.Name); });

// Moves the whole settings key aside and brings it back afterwards. Only
// under Wine: on Windows the key holds far more than this test should risk.
class MovedSettingsKey {
public:
  MovedSettingsKey() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kBackupPath);
    const UniqueKey source = OpenSettings();
    const UniqueKey backup = OpenSettings(kBackupPath);
    FMoved = source && backup && ::RegCopyTreeA(source.get(), nullptr, backup.get()) == ERROR_SUCCESS &&
             ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsPath) == ERROR_SUCCESS;
  }
  ~MovedSettingsKey() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsPath);
    const UniqueKey target = OpenSettings();
    const UniqueKey backup = OpenSettings(kBackupPath);
    if (target && backup && ::RegCopyTreeA(backup.get(), nullptr, target.get()) == ERROR_SUCCESS)
      ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QuorvinTests");
  }
  MovedSettingsKey(const MovedSettingsKey&) = delete;
  MovedSettingsKey& operator=(const MovedSettingsKey&) = delete;
  bool Moved() const { return FMoved; }

private:
  bool FMoved = false;
};

TEST(PevrixProcess, CreatesAMissingSettingsKey) {
  if (!RunsUnderWine())
    GTEST_SKIP() << "moves the user's internet settings aside: run only under Wine";
  const MovedSettingsKey moved;
  ASSERT_TRUE(moved.Moved());
  ASSERT_FALSE(SettingsKeyExists());
  ASSERT_EQ(RunPevrix("-set proxy 8080"), std::optional<DWORD>(kExitDone));
  EXPECT_EQ(ReadServer(), std::optional<std::string>("proxy:8080"));
  EXPECT_EQ(ReadEnable(), std::optional<DWORD>(1));
}

// Quorvin's launcher, with the command line that Quorvin builds: it waits,
// so the value is there when it returns, and it gives the exit code back.
TEST(PevrixProcess, TheLauncherWaitsAndReportsTheExitCode) {
  const SavedProxyValues saved;
  SeedValues();
  Win32ProcessLauncher launcher;
  const ProcessRun written = launcher.RunHidden(ProxyHelperCommandLine(TestFolder(), true, "10.0.0.9", "3128"));
  EXPECT_EQ(written.End, ProcessEnd::Exited);
  EXPECT_EQ(written.ExitCode, kExitDone);
  EXPECT_EQ(ReadServer(), std::optional<std::string>("10.0.0.9:3128"));

  const ProcessRun badCommand = launcher.RunHidden(QuoteArgument(PevrixPath()) + " -bogus");
  EXPECT_EQ(badCommand.End, ProcessEnd::Exited);
  EXPECT_EQ(badCommand.ExitCode, kExitBadCommand);

  EXPECT_EQ(launcher.RunHidden(QuoteArgument(TestFolder() + "NoSuchHelper.exe")).End, ProcessEnd::NotStarted);
}

} // namespace
} // namespace quorvin::pevrix
