#pragma once
// One octet field of the IP address edit: a borderless single-line edit
// whose window procedure filters characters and pastes and paints its text
// centred, passing everything else on to the edit's own procedure.

#include <windows.h>

namespace quorvin {

// What an octet field leaves to the control that holds it.
class IOctetFieldOwner {
public:
  // Returns the key that the field goes on to process; 0 swallows it.
  virtual unsigned FieldKeyDown(int field, unsigned key) = 0;
  virtual void FieldExit(int field) = 0;

protected:
  ~IOctetFieldOwner() = default;
};

class TIPMaskEdit {
public:
  TIPMaskEdit() = default;
  TIPMaskEdit(const TIPMaskEdit&) = delete;
  TIPMaskEdit& operator=(const TIPMaskEdit&) = delete;

  // The field's control id is its position, 1 to 4. The window belongs to
  // parent and dies with it.
  bool Create(HWND parent, int field, const RECT& bounds, HFONT font, IOctetFieldOwner& owner);

  HWND Handle() const { return FHandle; }
  int Field() const { return FField; }

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The system edit's own handling of the message.
  LRESULT Edit(UINT message, WPARAM wParam, LPARAM lParam);
  bool ClipboardAllowsPaste() const;
  void Paint(HDC given);
  void DrawCentred(HDC dc) const;

  HWND FHandle = nullptr;
  WNDPROC FEditProc = nullptr; // the edit's own procedure
  int FField = 0;
  IOctetFieldOwner* FOwner = nullptr;
  bool FClicking = false;
};

} // namespace quorvin
