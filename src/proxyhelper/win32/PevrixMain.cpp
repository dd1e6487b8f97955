#include "base/win32/System32Library.h"
#include "base/win32/WindowBase.h"
#include "proxyhelper/win32/Form1.h"
#include "proxyhelper/win32/Win32ProxyPorts.h"

// The exit code is the command's (see ProxyCommand.h): 0 only when the
// setting was written and the reload sent. Quorvin waits for it and lists
// any other code as the proxy item's failure.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything can load a DLL: Quorvin starts it elevated, and a DLL
  // looked up in its own folder could be a file planted there.
  quorvin::RestrictDllSearchToSystem32();
  quorvin::SetWindowErrorReporter(&quorvin::pevrix::ShowPevrixError);
  quorvin::pevrix::TForm1 form;
  if (!form.Create())
    return static_cast<int>(quorvin::pevrix::kExitFailed);
  form.Show();
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return static_cast<int>(form.ExitCode());
}
