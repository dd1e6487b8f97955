#pragma once
// Owners of kernel handles, registry keys, menus, local memory and loaded
// modules: each frees what it holds with the call that matches it.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace quorvin {

struct HandleCloser {
  void operator()(HANDLE handle) const noexcept { ::CloseHandle(handle); }
};
struct KeyCloser {
  void operator()(HKEY key) const noexcept { ::RegCloseKey(key); }
};
struct MenuDestroyer {
  void operator()(HMENU menu) const noexcept { ::DestroyMenu(menu); }
};
struct LocalFreer {
  void operator()(void* memory) const noexcept { ::LocalFree(memory); }
};
struct ChangeNotificationCloser {
  void operator()(HANDLE handle) const noexcept { ::FindCloseChangeNotification(handle); }
};
struct LibraryFreer {
  void operator()(HMODULE module) const noexcept { ::FreeLibrary(module); }
};

// Empty when null; a function that fails with INVALID_HANDLE_VALUE goes
// through UniqueFileHandle.
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;
template <typename T = void> using UniqueLocal = std::unique_ptr<T, LocalFreer>;
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFreer>;
// A FindFirstChangeNotification handle; empty for INVALID_HANDLE_VALUE.
using UniqueChangeNotification = std::unique_ptr<std::remove_pointer_t<HANDLE>, ChangeNotificationCloser>;
inline UniqueChangeNotification UniqueChangeHandle(HANDLE handle) noexcept {
  return UniqueChangeNotification(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// Owns a handle from a function that reports failure as INVALID_HANDLE_VALUE
// (CreateFile and its kind); the owner is empty then.
inline UniqueHandle UniqueFileHandle(HANDLE handle) noexcept {
  return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

} // namespace quorvin
