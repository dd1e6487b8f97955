#include "support/SwitchFakes.h"

#include "base/QuorvinError.h"

namespace quorvin::test {

void FakeView::Check() { CalledOffUiThread |= std::this_thread::get_id() != UiThread; }
void FakeView::SetStatus(const std::string& caption) {
  Check();
  Statuses.push_back(caption);
}
void FakeView::AppendLine(const std::string& line) {
  Check();
  Memo.push_back(line);
}
void FakeView::InsertHeading(const std::string& heading) {
  Check();
  Memo.insert(Memo.begin(), {heading, ""});
}
void FakeView::SwitchDone(bool failed) {
  DoneOnUiThread = std::this_thread::get_id() == UiThread;
  ++DoneCount;
  Failed = failed;
}

void FakeHost::Record(std::string entry) {
  std::lock_guard lock(FMutex);
  FLog.push_back(std::move(entry));
}
std::string FakeHost::ThreadTag() const { return std::this_thread::get_id() == UiThread ? "ui " : "switch "; }
std::vector<std::string> FakeHost::Log() const {
  std::lock_guard lock(FMutex);
  return FLog;
}
bool FakeHost::SetHostName(const std::string& name) {
  Record("SetHostName " + name);
  return HostNameResult;
}
std::uint32_t FakeHost::JoinWorkgroup(const std::string& workgroup) {
  Record("JoinWorkgroup " + workgroup);
  if (OnWorkgroup)
    OnWorkgroup();
  return WorkgroupStatus;
}
bool FakeHost::MakeDefaultPrinter(const std::string& printer) {
  Record("MakeDefaultPrinter " + printer);
  return PrinterResult;
}
void FakeHost::ApplyProxyInProcess(bool useProxy, const std::string& address, const std::string& port) {
  Record("ApplyProxyInProcess " + std::to_string(useProxy) + " " + address + " " + port);
  if (OnProxyInProcess)
    OnProxyInProcess();
}
ProcessRun FakeHost::RunProxyHelper(bool useProxy, const std::string& address, const std::string& port) {
  Record("RunProxyHelper " + std::to_string(useProxy) + " " + address + " " + port);
  return HelperRun;
}
void FakeHost::PumpWait(unsigned milliseconds) {
  Record(ThreadTag() + "PumpWait " + std::to_string(milliseconds));
}

IpConfig FakeHost::ReadAdapterConfig(const std::string& guid) {
  Record(ThreadTag() + "ReadAdapterConfig " + guid);
  if (!ReadFailure.empty())
    throw QuorvinError(ReadFailure);
  return Present;
}

std::unique_ptr<ManagementSession> HookedService::Connect() {
  ConnectedOffUiThread |= std::this_thread::get_id() != UiThread;
  ++FConnections;
  if (OnConnect)
    OnConnect(FConnections);
  return Inner.Connect();
}

void FailingDispatcher::RunSync(const std::function<void()>& task) {
  if (FAllowed-- <= 0)
    throw DispatchError("Cannot reach the user-interface thread", 1816);
  FInner.RunSync(task);
}

void RunSwitch(const TSwitchInput& input, const std::shared_ptr<SwitchSession>& session, UiDispatcher& dispatcher,
               ManagementService& service, SwitchHost& host) {
  TSwitchThread body(input, session, dispatcher, service, host);
  std::thread worker([&] { body.Execute(); });
  dispatcher.PumpUntil([&] { return session->Finished(); });
  worker.join();
}

} // namespace quorvin::test
