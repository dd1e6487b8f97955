#pragma once
// Fakes around a switch run: a dialog that records what reaches it, a host
// that records its calls and reports a fixed adapter state, a management
// service with a hook, and a runner that plays the UI thread while the
// switch thread works.

#include "base/QueueDispatcher.h"
#include "support/RecordingManagementService.h"
#include "switching/SwitchThread.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quorvin::test {

class FakeView : public SwitchView {
public:
  void SetStatus(const std::string& caption) override;
  void AppendLine(const std::string& line) override;
  void InsertHeading(const std::string& heading) override;
  void SwitchDone(bool failed) override;

  std::vector<std::string> Statuses;
  std::vector<std::string> Memo;
  int DoneCount = 0;
  bool Failed = false;
  std::thread::id UiThread = std::this_thread::get_id();
  bool CalledOffUiThread = false; // SwitchDone aside, which comes from the switch thread
  bool DoneOnUiThread = false;

private:
  void Check();
};

class FakeHost : public SwitchHost {
public:
  bool SetHostName(const std::string& name) override;
  std::uint32_t JoinWorkgroup(const std::string& workgroup) override;
  bool MakeDefaultPrinter(const std::string& printer) override;
  void ApplyProxyInProcess(bool useProxy, const std::string& address, const std::string& port) override;
  ProcessRun RunProxyHelper(bool useProxy, const std::string& address, const std::string& port) override;
  int GetOsVersionCode() override { return OsVersionCode; }
  void PumpWait(unsigned milliseconds) override;
  // The adapter as the test says it is: Present, or ReadFailure thrown.
  IpConfig ReadAdapterConfig(const std::string& guid) override;

  std::vector<std::string> Log() const;

  bool HostNameResult = true;
  std::uint32_t WorkgroupStatus = 0;
  bool PrinterResult = true;
  ProcessRun HelperRun{ProcessEnd::Exited, 0};
  int OsVersionCode = 11;
  std::function<void()> OnWorkgroup; // runs inside JoinWorkgroup
  std::function<void()> OnProxyInProcess;
  IpConfig Present;
  std::string ReadFailure;
  std::thread::id UiThread = std::this_thread::get_id();

private:
  void Record(std::string entry);
  std::string ThreadTag() const;
  mutable std::mutex FMutex;
  std::vector<std::string> FLog;
};

// Calls a hook on every connection, that is at the start of each adapter
// operation, on the UI thread.
class HookedService : public ManagementService {
public:
  std::unique_ptr<ManagementSession> Connect() override;
  RecordingManagementService Inner;
  std::function<void(int connection)> OnConnect;
  bool ConnectedOffUiThread = false;
  std::thread::id UiThread = std::this_thread::get_id();

private:
  int FConnections = 0;
};

// Hands over the first Allowed tasks through Inner, then fails every
// hand-over as a dispatcher does whose window has gone.
class FailingDispatcher : public UiDispatcher {
public:
  FailingDispatcher(UiDispatcher& inner, int allowed) : FInner(inner), FAllowed(allowed) {}
  void RunSync(const std::function<void()>& task) override;
  void PumpUntil(const std::function<bool()>& done) override { FInner.PumpUntil(done); }
  void Wake() override { FInner.Wake(); }

private:
  UiDispatcher& FInner;
  std::atomic<int> FAllowed;
};

// Runs one switch on a new thread while this thread pumps as the UI thread.
void RunSwitch(const TSwitchInput& input, const std::shared_ptr<SwitchSession>& session, UiDispatcher& dispatcher,
               ManagementService& service, SwitchHost& host);

} // namespace quorvin::test
