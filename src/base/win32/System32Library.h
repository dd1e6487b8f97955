#pragma once
// The system DLLs that are no KnownDLLs (iphlpapi, netapi32, wininet,
// winspool.drv, wlanapi), loaded at their first use from the system folder
// only and never imported: Windows looks up a statically imported DLL in the
// program's own folder first, so a file of that name planted beside an
// elevated program would run with its rights. Each DLL has a small table of
// calls (IpHelperCalls.h, NetApiCalls.h, SpoolerCalls.h, WinInetCalls.h,
// WlanCalls.h) with the Windows functions' names and signatures in namespace
// quorvin::system32; a call whose DLL or entry point cannot be found fails
// as the function itself fails, with ERROR_MOD_NOT_FOUND or
// ERROR_PROC_NOT_FOUND.

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <utility>

namespace quorvin {

// Has later LoadLibrary calls of the process search the system folder only.
// The programs call it first thing in WinMain. False where Windows lacks
// SetDefaultDllDirectories (Windows 7 without KB2533623).
bool RestrictDllSearchToSystem32();

class System32Library {
public:
  // fileName: the DLL's name without a folder, for example "iphlpapi.dll".
  explicit System32Library(const char* fileName) noexcept : FFileName(fileName) {}
  System32Library(const System32Library&) = delete;
  System32Library& operator=(const System32Library&) = delete;

  // The entry point's address, the DLL loaded at the first call of any
  // thread. Null when the DLL or the entry point cannot be found, with the
  // system's code in error.
  void* Find(const char* entryPoint, std::uint32_t& error);

  template <typename Function> Function Find(const char* entryPoint, std::uint32_t& error) {
    // Through void*, as the compilers require for a cast between unrelated
    // function types.
    return reinterpret_cast<Function>(Find(entryPoint, error));
  }

private:
  void Load();

  const char* FFileName;
  std::once_flag FLoaded;
  HMODULE FModule = nullptr;
  std::uint32_t FLoadError = 0;
};

// A call of a function that returns its status (a Win32 error code): when
// the entry point cannot be found, that code is the status.
template <typename Function, typename... Arguments>
auto CallReturningStatus(System32Library& library, const char* entryPoint, Arguments... arguments) {
  std::uint32_t error = 0;
  using Status = decltype(std::declval<Function>()(arguments...));
  if (const auto call = library.Find<Function>(entryPoint, error))
    return call(arguments...);
  return static_cast<Status>(error);
}

// A call of a function that answers FALSE and sets the last error: when the
// entry point cannot be found, so does this.
template <typename Function, typename... Arguments>
BOOL CallReturningBool(System32Library& library, const char* entryPoint, Arguments... arguments) {
  std::uint32_t error = 0;
  if (const auto call = library.Find<Function>(entryPoint, error))
    return call(arguments...);
  ::SetLastError(error);
  return FALSE;
}

} // namespace quorvin
