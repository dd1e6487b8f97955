#pragma once
// Applies one set to one adapter: the ticked items in a fixed order, the
// status caption of each, a failure line for each refusal, and the end
// message with its flag. One thread per activation; it works on a copy of
// the shown set taken on the UI thread and reads nothing else.
//
// Adapter items run on the UI thread (the only thread that uses COM) through
// the UiDispatcher; the proxy and host items run on the switch thread. Every
// caption and line reaches the dialog through the dispatcher, in order, and
// before the end message. The dialog is reached only through a
// SwitchSession, which the dialog detaches when it closes.

#include "base/UiDispatcher.h"
#include "store/SetRecord.h"
#include "switching/ManagementSession.h"
#include "system/OsVersion.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace quorvin {

// The eight items in the order they are applied.
enum class SwitchItem { IP, DnsServer, ProxyServer, ComputerName, Workgroup, DefaultPrinter, DnsDomain, WinsServer };
inline constexpr std::size_t kSwitchItemCount = 8;

// The operations on host-wide settings that a switch uses, called on the
// switch thread (PumpWait also on the UI thread).
class SwitchHost {
public:
  virtual ~SwitchHost() = default;
  virtual bool SetHostName(const std::string& name) = 0;
  virtual std::uint32_t JoinWorkgroup(const std::string& workgroup) = 0;
  virtual bool MakeDefaultPrinter(const std::string& printer) = 0;
  virtual void ApplyProxyInProcess(bool useProxy, const std::string& address, const std::string& port) = 0;
  // Starts the proxy helper program without waiting for it; false when it
  // could not be started.
  virtual bool StartProxyHelper(bool useProxy, const std::string& address, const std::string& port) = 0;
  virtual int GetOsVersionCode() = 0;
  // Waits at least milliseconds while handling the calling thread's messages.
  virtual void PumpWait(unsigned milliseconds) = 0;
};

// The progress dialog as the switch sees it; called on the UI thread only.
class SwitchView {
public:
  virtual ~SwitchView() = default;
  virtual void SetStatus(const std::string& caption) = 0;
  virtual void AppendLine(const std::string& line) = 0;
  // Puts the heading and an empty line above the failure lines.
  virtual void InsertHeading(const std::string& heading) = 0;
  // The run ended without a stop; failed when lines were written.
  virtual void SwitchDone(bool failed) = 0;
};

// What the dialog and its thread share. The stop flag may be set from any
// thread; the link to the dialog is read and cleared on the UI thread only.
class SwitchSession {
public:
  explicit SwitchSession(SwitchView* view) : FView(view) {}

  void RequestStop() { FStop = true; }
  bool StopRequested() const { return FStop; }
  // The dialog closed: nothing may reach it any more.
  void Detach() { FView = nullptr; }
  SwitchView* View() const { return FView; }
  bool Finished() const { return FFinished; }
  void MarkFinished() { FFinished = true; }

private:
  std::atomic<bool> FStop{false};
  std::atomic<bool> FFinished{false};
  SwitchView* FView;
};

struct TSwitchInput {
  TSetRecord Set;
  // The captions of the eight tick boxes, in item order.
  std::array<std::string, kSwitchItemCount> ItemNames;
  std::string AdapterMac;
};

inline constexpr unsigned kPauseAfterIpMs = 200;

std::string StartingCaption();
std::string ItemCaption(const std::string& itemName);
inline constexpr const char* kFailureHeading = "The following settings are failed:";

class TSwitchThread {
public:
  TSwitchThread(TSwitchInput input, std::shared_ptr<SwitchSession> session, UiDispatcher& dispatcher,
                ManagementService& adapters, SwitchHost& host);

  // The thread's body: runs once.
  void Execute();

private:
  bool IsTicked(SwitchItem item) const;
  const std::string& Name(SwitchItem item) const;
  void Apply(SwitchItem item);
  void ApplyAdapterItem(SwitchItem item);
  std::int32_t RunAdapterStep(SwitchItem item);
  void ApplyProxy();
  void WriteLine(SwitchItem item, const std::string& text);
  void ToView(const std::function<void(SwitchView&)>& change);

  TSwitchInput FInput;
  std::shared_ptr<SwitchSession> FSession;
  UiDispatcher& FDispatcher;
  ManagementService& FAdapters;
  SwitchHost& FHost;
  int FLineCount = 0;
};

} // namespace quorvin
