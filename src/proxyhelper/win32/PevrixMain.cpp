#include "proxyhelper/win32/Form1.h"

// The exit code is 0 whatever happened: the caller never looks at it.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  quorvin::pevrix::TForm1 form;
  if (!form.Create(instance))
    return 0;
  form.Show();
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return 0;
}
