// A WM_QUIT that arrives while the program pauses with its windows kept
// responsive: the pause still waits (it does not spin on the quit) and the
// quit is posted again once, after it.

#include "system/PumpWait.h"
#include "system/win32/Win32HostSettings.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace quorvin {
namespace {

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
  void WriteProfileText(const std::string& section, const std::string& key, const std::string& value) override {
    FBase.WriteProfileText(section, key, value);
  }
  std::vector<std::string> Printers() override { return FBase.Printers(); }
  OsVersion Version() override { return FBase.Version(); }
  bool IsWow64Process() override { return FBase.IsWow64Process(); }
  std::string ExecutablePath() override { return FBase.ExecutablePath(); }
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
  MSG message;
  ASSERT_TRUE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 9u);
  EXPECT_FALSE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

} // namespace
} // namespace quorvin
