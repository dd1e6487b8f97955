#pragma once
// Applies one set to one adapter: the ticked items in a fixed order, the
// status caption of each, a failure line for each refusal, and the end
// message with its flag. One thread per activation; it works on a copy of
// the shown set taken on the UI thread and reads nothing else.
//
// Adapter items run on the UI thread (the only thread that uses COM) through
// the UiDispatcher; the proxy and host items run on the switch thread. After
// the last item the adapter's settings are read back, also on the UI thread,
// and every adapter item that the service accepted but that the adapter
// does not report as asked gets a failure line of its own (see
// AdapterReadBack.h), so the run counts as failed. Every
// caption and line reaches the dialog through the dispatcher, in order, and
// before the end message, which the thread posts itself (so that it arrives
// also when the dispatcher fails). The dialog is reached only through a
// SwitchSession, which the dialog detaches when it closes.

#include "base/UiDispatcher.h"
#include "store/SetRecord.h"
#include "switching/ManagementSession.h"
#include "switching/ProcessLauncher.h"
#include "system/AdapterList.h"
#include "system/IpConfig.h"
#include "system/OsVersion.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace quorvin {

// The eight items in the order they are applied.
enum class SwitchItem { IP, DnsServer, ProxyServer, ComputerName, Workgroup, DefaultPrinter, DnsDomain, WinsServer };
inline constexpr std::size_t kSwitchItemCount = 8;

// The operations on host-wide settings that a switch uses, called on the
// switch thread (PumpWait also on the UI thread), and the reader of the
// adapter's settings.
class SwitchHost {
public:
  virtual ~SwitchHost() = default;
  virtual bool SetHostName(const std::string& name) = 0;
  virtual std::uint32_t JoinWorkgroup(const std::string& workgroup) = 0;
  virtual bool MakeDefaultPrinter(const std::string& printer) = 0;
  virtual void ApplyProxyInProcess(bool useProxy, const std::string& address, const std::string& port) = 0;
  // Runs the proxy helper program and waits, at most kProcessRunLimitMs, for
  // it to end: a later switch's helper then never starts while this one
  // still writes, unless this one timed out.
  virtual ProcessRun RunProxyHelper(bool useProxy, const std::string& address, const std::string& port) = 0;
  virtual int GetOsVersionCode() = 0;
  // Waits at least milliseconds while handling the calling thread's messages.
  virtual void PumpWait(unsigned milliseconds) = 0;
  // UI thread: the present TCP/IP settings of the adapter with that GUID, as
  // the current-configuration reader gives them; throws what it throws.
  virtual IpConfig ReadAdapterConfig(const std::string& guid) = 0;
};

// The progress dialog as the switch sees it. Everything but SwitchDone is
// called on the UI thread.
class SwitchView {
public:
  virtual ~SwitchView() = default;
  virtual void SetStatus(const std::string& caption) = 0;
  virtual void AppendLine(const std::string& line) = 0;
  // Puts the heading and an empty line above the failure lines.
  virtual void InsertHeading(const std::string& heading) = 0;
  // The run ended without a stop; failed when lines were written (or could
  // not all be shown). Called on the switch thread while the dialog cannot
  // close, so that the end reaches it even when the UI thread takes no more
  // work: it may only post.
  virtual void SwitchDone(bool failed) = 0;
};

// What the dialog and its thread share. The stop flag may be set from any
// thread; the link to the dialog is cleared on the UI thread and guarded, so
// that the end notice and a close never cross.
class SwitchSession {
public:
  explicit SwitchSession(SwitchView* view) : FView(view) {}

  void RequestStop() { FStop = true; }
  bool StopRequested() const { return FStop; }
  // The dialog closed: nothing may reach it any more.
  void Detach();
  // UI thread: the dialog, while it is there.
  SwitchView* View() const;
  // Switch thread: SwitchDone on the dialog, while it is there.
  void NotifyDone(bool failed);
  bool Finished() const { return FFinished; }
  void MarkFinished() { FFinished = true; }

private:
  std::atomic<bool> FStop{false};
  std::atomic<bool> FFinished{false};
  mutable std::mutex FMutex;
  SwitchView* FView;
};

struct TSwitchInput {
  TSetRecord Set;
  // The captions of the eight tick boxes, in item order.
  std::array<std::string, kSwitchItemCount> ItemNames;
  std::string AdapterMac;
  // The adapter's GUID, by which its settings are read back; without one
  // nothing is read back.
  std::string AdapterGuid;
};

// What a switch works on, copied from what the main window shows: the set
// record, the tick boxes' captions and the chosen entry of the adapter list
// (its MAC address and its GUID).
// The window ends any field edit first, so that corrections have run.
TSwitchInput MakeSwitchInput(const TSetRecord& set, const std::array<std::string, kSwitchItemCount>& itemNames,
                             const TAdapterEntry& adapter);

inline constexpr unsigned kPauseAfterIpMs = 200;

std::string StartingCaption();
std::string ItemCaption(const std::string& itemName);
std::string FailureHeading();

class TSwitchThread {
public:
  TSwitchThread(TSwitchInput input, std::shared_ptr<SwitchSession> session, UiDispatcher& dispatcher,
                ManagementService& adapters, SwitchHost& host);

  // The thread's body: runs once and lets nothing escape. A hand-over to
  // the UI thread that fails ends the run; the dialog still hears the end.
  void Execute() noexcept;

private:
  bool IsTicked(SwitchItem item) const;
  const std::string& Name(SwitchItem item) const;
  void Apply(SwitchItem item);
  bool ApplyItems();
  // True when the service accepted the item (code 0).
  bool ApplyAdapterItem(SwitchItem item);
  std::int32_t RunAdapterStep(SwitchItem item);
  void ReadBack();
  void ApplyProxy();
  void WriteLine(SwitchItem item, const std::string& text);
  void ToView(const std::function<void(SwitchView&)>& change);

  TSwitchInput FInput;
  std::shared_ptr<SwitchSession> FSession;
  UiDispatcher& FDispatcher;
  ManagementService& FAdapters;
  SwitchHost& FHost;
  int FLineCount = 0;
  std::vector<SwitchItem> FAccepted; // adapter items to read back, in order
};

} // namespace quorvin
