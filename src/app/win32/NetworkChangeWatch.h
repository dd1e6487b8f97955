#pragma once
// Tells a window that the machine's network may have changed: while the
// watch lives, each change of an interface or an address posts the message
// (wParam 0, lParam 0) to the window. In simulation mode the simulation
// folder is watched instead, as network.ini there is the network. A change
// can post more than once; the receiver settles the posts and reads again.

#include "base/win32/HandleOwners.h"

#include <windows.h>

#include <optional>
#include <string>
#include <thread>

namespace quorvin {

// Where a change is posted; the system's callbacks get a pointer to it.
struct TChangeMessage {
  HWND Window = nullptr;
  UINT Message = 0;

  void Post() const noexcept { ::PostMessageW(Window, Message, 0, 0); }
};

class TNetworkChangeWatch {
public:
  // Nothing is ever posted when the notifications cannot be had (no
  // folder of that name, no IP helper): the watch does not throw for them.
  TNetworkChangeWatch(HWND window, UINT message, std::optional<std::string> simulationFolder);
  // Returns once nothing can post any more.
  ~TNetworkChangeWatch();
  TNetworkChangeWatch(const TNetworkChangeWatch&) = delete;
  TNetworkChangeWatch& operator=(const TNetworkChangeWatch&) = delete;

private:
  void WatchFolder(const std::string& folder);
  void WatchSystem();

  TChangeMessage FTarget;
  UniqueHandle FStop;
  UniqueChangeNotification FFolderChange;
  HANDLE FInterfaceNotification = nullptr;
  HANDLE FAddressNotification = nullptr;
  std::thread FThread;
};

} // namespace quorvin
