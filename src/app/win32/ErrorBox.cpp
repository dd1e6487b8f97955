#include "app/win32/Dialogs.h"

namespace quorvin {

// The program's title, as the general error handler's boxes carry it.
void ShowErrorBox(HWND owner, const std::string& text) {
  ::MessageBoxA(owner, text.c_str(), "Quorvin", MB_OK | MB_ICONERROR);
}

} // namespace quorvin
