#include "base/win32/System32Library.h"

#include <string>

namespace quorvin {

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD directoryFlags);

// The DLL by its full name in the system folder, for Windows 7 without
// KB2533623, which refuses LOAD_LIBRARY_SEARCH_SYSTEM32 as an unknown flag.
// LOAD_WITH_ALTERED_SEARCH_PATH looks up the DLL's own imports in its
// folder, the system folder, rather than in the program's.
HMODULE LoadByFullName(const char* fileName) {
  char folder[MAX_PATH];
  const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
  if (length >= MAX_PATH)
    ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
  if (length == 0 || length >= MAX_PATH)
    return nullptr;
  const std::string path = std::string(folder, length) + '\\' + fileName;
  return ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace

bool RestrictDllSearchToSystem32() {
  // Looked up rather than imported: Windows 7 has it only with KB2533623,
  // and a missing import would stop the program from starting at all.
  const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  const auto setDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
  return setDirectories != nullptr && setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

void* System32Library::Find(const char* entryPoint, std::uint32_t& error) {
  std::call_once(FLoaded, [this] { Load(); });
  if (FModule == nullptr) {
    error = FLoadError;
    return nullptr;
  }
  if (void* address = reinterpret_cast<void*>(::GetProcAddress(FModule, entryPoint)))
    return address;
  error = ERROR_PROC_NOT_FOUND;
  return nullptr;
}

// The DLL stays loaded until the process ends, as an imported one would:
// the tables' callers keep no handle that could say when it is unused.
void System32Library::Load() {
  FModule = ::LoadLibraryExA(FFileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (FModule == nullptr && ::GetLastError() == ERROR_INVALID_PARAMETER)
    FModule = LoadByFullName(FFileName);
  if (FModule == nullptr) {
    const DWORD error = ::GetLastError();
    FLoadError = error != 0 ? error : ERROR_MOD_NOT_FOUND;
  }
}

} // namespace quorvin
