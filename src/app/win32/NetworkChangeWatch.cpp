// First: it includes winsock2.h, which must come before windows.h.
#include "base/win32/IpHelperCalls.h"

#include "app/win32/NetworkChangeWatch.h"

#include "system/win32/Win32Text.h"

namespace quorvin {
namespace {

// The system's callbacks run on a thread of its own: they only post.
VOID NETIOAPI_API_ OnInterfaceChange(PVOID context, PMIB_IPINTERFACE_ROW, MIB_NOTIFICATION_TYPE) {
  static_cast<const TChangeMessage*>(context)->Post();
}

VOID NETIOAPI_API_ OnAddressChange(PVOID context, PMIB_UNICASTIPADDRESS_ROW, MIB_NOTIFICATION_TYPE) {
  static_cast<const TChangeMessage*>(context)->Post();
}

// How long a stopping watch waits for a cancelled NotifyAddrChange request
// to complete, which it does at once on every system seen.
constexpr DWORD kCancelWaitMs = 5000;

void WatchFolderChanges(HANDLE stop, HANDLE change, TChangeMessage target) {
  // The stop event first: when both are signalled, the watch is ending.
  const HANDLE handles[] = {stop, change};
  while (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    target.Post();
    if (!::FindNextChangeNotification(change))
      return;
  }
}

// For a system without NotifyIpInterfaceChange (before Vista): one
// overlapped request for the next address change after another.
void WatchAddressChanges(HANDLE stop, TChangeMessage target) {
  const UniqueHandle changed(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  if (!changed)
    return;
  for (;;) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = changed.get();
    HANDLE request = nullptr; // the system's; not to be closed
    if (system32::NotifyAddrChange(&request, &overlapped) != ERROR_IO_PENDING)
      return;
    const HANDLE handles[] = {stop, changed.get()};
    if (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) {
      // The request writes to overlapped until it completes as cancelled.
      if (system32::CancelIPChangeNotify(&overlapped))
        ::WaitForSingleObject(changed.get(), kCancelWaitMs);
      return;
    }
    target.Post();
  }
}

} // namespace

TNetworkChangeWatch::TNetworkChangeWatch(HWND window, UINT message, std::optional<std::string> simulationFolder)
    : FTarget{window, message} {
  if (simulationFolder)
    WatchFolder(*simulationFolder);
  else
    WatchSystem();
}

TNetworkChangeWatch::~TNetworkChangeWatch() {
  // Each cancel returns once no callback of that notification runs.
  if (FInterfaceNotification != nullptr)
    system32::CancelMibChangeNotify2(FInterfaceNotification);
  if (FAddressNotification != nullptr)
    system32::CancelMibChangeNotify2(FAddressNotification);
  if (FStop)
    ::SetEvent(FStop.get());
  if (FThread.joinable())
    FThread.join();
}

// The folder's change handle is made here, before the constructor returns,
// so that a change right after it is seen.
void TNetworkChangeWatch::WatchFolder(const std::string& folder) {
  FFolderChange = UniqueChangeHandle(::FindFirstChangeNotificationW(
      WideText(folder).c_str(), FALSE,
      FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE));
  FStop.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!FFolderChange || !FStop)
    return;
  FThread = std::thread(WatchFolderChanges, FStop.get(), FFolderChange.get(), FTarget);
}

// Interfaces cover a cable, a Wi-Fi network joined or left; addresses cover
// a new lease or a fixed address on a link that stayed up.
void TNetworkChangeWatch::WatchSystem() {
  const DWORD status =
      system32::NotifyIpInterfaceChange(AF_UNSPEC, OnInterfaceChange, &FTarget, FALSE, &FInterfaceNotification);
  if (status != NO_ERROR) {
    FInterfaceNotification = nullptr;
    FStop.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (FStop)
      FThread = std::thread(WatchAddressChanges, FStop.get(), FTarget);
    return;
  }
  if (system32::NotifyUnicastIpAddressChange(AF_UNSPEC, OnAddressChange, &FTarget, FALSE, &FAddressNotification) !=
      NO_ERROR)
    FAddressNotification = nullptr;
}

} // namespace quorvin
