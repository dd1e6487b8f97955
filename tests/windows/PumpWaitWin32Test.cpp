// The pause that keeps the windows responsive (PumpWait): it handles what
// is posted while it waits, and a WM_QUIT that arrives meanwhile does not
// end the wait early; the quit is posted again once, after it.

#include "system/PumpWait.h"

#include "support/win32/QuitMessages.h"
#include "system/win32/Win32HostSettings.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace quorvin {
namespace {

// Counts the messages that reach it.
class CountingWindow {
public:
  CountingWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QuorvinPumpWaitTest";
    RegisterClassA(&windowClass);
    FWindow = CreateWindowExA(0, "QuorvinPumpWaitTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  }
  ~CountingWindow() { DestroyWindow(FWindow); }
  HWND Handle() const { return FWindow; }
  static inline int Received = 0;

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP + 7) {
      ++Received;
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  HWND FWindow;
};

TEST(PumpWaitWin32, WaitsAndHandlesPostedMessages) {
  Win32HostSettings host;
  CountingWindow window;
  ASSERT_NE(window.Handle(), nullptr);
  CountingWindow::Received = 0;
  PostMessageA(window.Handle(), WM_APP + 7, 0, 0);
  const DWORD start = GetTickCount();
  PumpWait(host, 200);
  EXPECT_GE(GetTickCount() - start, 200u);
  EXPECT_EQ(CountingWindow::Received, 1);

  PostMessageA(window.Handle(), WM_APP + 7, 0, 0);
  PumpWait(host, 0);
  EXPECT_EQ(CountingWindow::Received, 2);
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
TEST(PumpWaitWin32, WaitsThroughAQuitAndPostsItOnceAfterwards) {
  CountingHost host;
  ::PostQuitMessage(9);
  PumpWait(host, 300);
  EXPECT_LE(host.Looks, 4);
  test::ExpectOneQuit(9);
}

} // namespace
} // namespace quorvin
