// A WM_QUIT that arrives while the program waits with its windows kept
// responsive (a pause, or the dispatcher's pump): the wait still blocks on
// what it waits for (it does not spin on the quit), and the quit is posted
// again once, after it.

#include "base/win32/Win32Dispatcher.h"
#include "system/PumpWait.h"
#include "system/win32/Win32HostSettings.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

namespace quorvin {
namespace {

// Exactly one WM_QUIT waits in the queue, with that exit code.
void ExpectOneQuit(WPARAM exitCode) {
  MSG message;
  ASSERT_TRUE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, exitCode);
  EXPECT_FALSE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// The machine's host settings, counting how often the pause looks at the
// message queue.
class CountingHost final : public HostSettings {
public:
  int Looks = 0;

  std::optional<int> ProcessMessages() override {
    ++Looks;
    return FBase.ProcessMessages();
  }
  void PostQuit(int exitCode) override { FBase.PostQuit(exitCode); }
  void WaitForMessages(std::uint32_t milliseconds) override { FBase.WaitForMessages(milliseconds); }
  std::uint32_t TickCount() override { return FBase.TickCount(); }

  std::string ComputerName() override { return FBase.ComputerName(); }
  bool ChangeComputerName(ComputerNameKind kind, const std::string& name) override {
    return FBase.ChangeComputerName(kind, name);
  }
  std::uint32_t QueryWorkgroup(std::string& name) override { return FBase.QueryWorkgroup(name); }
  std::uint32_t JoinWorkgroup(const std::string& name) override { return FBase.JoinWorkgroup(name); }
  std::string ReadProfileText(const std::string& section, const std::string& key, const std::string& defaultValue,
                              std::size_t bufferSize) override {
    return FBase.ReadProfileText(section, key, defaultValue, bufferSize);
  }
  bool WriteProfileText(const std::string& section, const std::string& key, const std::string& value) override {
    return FBase.WriteProfileText(section, key, value);
  }
  std::vector<std::string> Printers() override { return FBase.Printers(); }
  OsVersion Version() override { return FBase.Version(); }
  bool IsWow64Process() override { return FBase.IsWow64Process(); }
  std::string ExecutablePath() override { return FBase.ExecutablePath(); }
  std::optional<std::string> FileAccessRules(const std::string& path) override { return FBase.FileAccessRules(path); }
  bool QueryProxy(ProxyInfo& info) override { return FBase.QueryProxy(info); }
  void SetProxy(const ProxyInfo& info) override { FBase.SetProxy(info); }
  void SendInternetOption(std::uint32_t option) override { FBase.SendInternetOption(option); }

private:
  Win32HostSettings FBase;
};

// Nothing else arrives during the pause, so it looks at the queue once
// before and once after its one wait; a pause that put the quit back at
// once would be woken by it again and again.
TEST(QuitDuringWaits, APauseWaitsThroughAQuitAndPostsItOnceAfterwards) {
  CountingHost host;
  ::PostQuitMessage(9);
  PumpWait(host, 300);
  EXPECT_LE(host.Looks, 4);
  ExpectOneQuit(9);
}

// After a WM_QUIT the waits must still block on what they wait for, and
// the quit comes back once, after them.
TEST(QuitDuringWaits, ThePumpOfTheDispatcherKeepsAQuitUntilItsWaitIsOver) {
  Win32Dispatcher dispatcher;
  std::atomic<bool> finished{false};
  ::PostQuitMessage(7);
  std::thread worker([&] {
    dispatcher.RunSync([] {}); // still served after the quit was taken
    ::Sleep(100); // a pump that spun on the quit would look many times meanwhile
    finished = true;
    dispatcher.Wake();
  });
  int looks = 0;
  dispatcher.PumpUntil([&] {
    ++looks;
    return finished.load();
  });
  worker.join();
  EXPECT_LE(looks, 4);
  ExpectOneQuit(7);
}


} // namespace
} // namespace quorvin
