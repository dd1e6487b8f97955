#include "switching/win32/SwitchHint.h"

#include "base/Texts.h"
#include "switching/win32/SwitchHintIds.h"

#include <exception>

namespace quorvin {
namespace {

constexpr COLORREF kFailureColour = RGB(255, 0, 0);
constexpr const char* kPleaseWaitText = "Please wait...";

struct ControlPlace {
  int Id, Left, Top, Width, Height;
};
constexpr ControlPlace kPlaces[] = {
    {IDC_PANEL1, 0, 0, 337, 49},
    {IDC_BCANCEL, 128, 52, 89, 27},
    {IDC_MEMO1, 0, 96, 337, 153},
};

HFONT MakeFont(int height) {
  return ::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
}

} // namespace

TfrmSwitchHint::TfrmSwitchHint(SwitchThreads& threads, TSwitchInput input, TSwitchHintOptions options,
                               TSwitchHintHooks hooks)
    : FThreads(threads), FInput(std::move(input)), FOptions(options), FHooks(std::move(hooks)) {}

TfrmSwitchHint::~TfrmSwitchHint() {
  if (FSession)
    FSession->Detach();
}

INT_PTR TfrmSwitchHint::ShowModal(HWND owner) { return DialogWindow::ShowModal(owner, IDD_SWITCHHINT); }

void TfrmSwitchHint::HandlerFailed(const std::string& text) {
  if (FHooks.Error)
    FHooks.Error(FWindow, text);
  else
    DialogWindow::HandlerFailed(text);
  Close(IDCANCEL);
}

void TfrmSwitchHint::Changed() {
  if (FHooks.Changed)
    FHooks.Changed(FWindow);
}

INT_PTR TfrmSwitchHint::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_INITDIALOG:
    FormCreate();
    FormShow();
    return TRUE;
  case WM_ACTIVATE:
    if (LOWORD(wParam) != WA_INACTIVE)
      FormActivate();
    return FALSE;
  case WM_SHOWWINDOW:
    // A dialog that cannot take the foreground (another program holds it)
    // may never be activated; being shown is enough to start.
    if (wParam)
      FormActivate();
    return FALSE;
  case WM_SWITCHSTART:
    WMSwitchStart();
    return TRUE;
  case WM_SWITCHDONE:
    WMSwitchDone(wParam);
    return TRUE;
  case WM_COMMAND:
    // Enter and Escape arrive as IDOK and IDCANCEL: the button is neither
    // the default nor the cancel button, so they do nothing.
    if (LOWORD(wParam) == IDC_BCANCEL && HIWORD(wParam) == BN_CLICKED)
      bCancelClick();
    return TRUE;
  case WM_CLOSE:
    CloseBox();
    return TRUE;
  case WM_CTLCOLOREDIT:
    if (reinterpret_cast<HWND>(lParam) == ::GetDlgItem(FWindow, IDC_MEMO1)) {
      ::SetTextColor(reinterpret_cast<HDC>(wParam), kFailureColour);
      ::SetBkColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_WINDOW));
    }
    return FALSE;
  default:
    (void)lParam;
    return FALSE;
  }
}

void TfrmSwitchHint::FormCreate() {
  // The client area is laid out in pixels, as designed.
  RECT frame{0, 0, kClientWidth, kClientHeight};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrA(FWindow, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrA(FWindow, GWL_EXSTYLE)));
  const int outerWidth = frame.right - frame.left;
  ::SetWindowPos(FWindow, nullptr, 0, 0, outerWidth, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);

  FDialogFont.reset(MakeFont(-11));
  FPanelFont.reset(MakeFont(-13));
  for (const ControlPlace& place : kPlaces) {
    HWND control = ::GetDlgItem(FWindow, place.Id);
    int left = place.Left, width = place.Width;
    if (place.Id == IDC_PANEL1)
      width = outerWidth;
    if (place.Id == IDC_BCANCEL)
      left = (outerWidth - place.Width) / 2;
    ::SetWindowPos(control, nullptr, left, place.Top, width, place.Height, SWP_NOZORDER);
    ::SendMessageA(control, WM_SETFONT,
                   reinterpret_cast<WPARAM>(place.Id == IDC_PANEL1 ? FPanelFont.get() : FDialogFont.get()), FALSE);
  }

  // Centred as it first shows, short.
  RECT self{};
  ::GetWindowRect(FWindow, &self);
  CentreOnOwner(FWindow, self.right - self.left, kShortHeight);
}

void TfrmSwitchHint::SetOuterHeight(int height) {
  RECT self{};
  ::GetWindowRect(FWindow, &self);
  ::SetWindowPos(FWindow, nullptr, 0, 0, self.right - self.left, height, SWP_NOMOVE | SWP_NOZORDER);
}

void TfrmSwitchHint::FormShow() {
  SetOuterHeight(kShortHeight);
  Changed();
}

void TfrmSwitchHint::FormActivate() {
  // Focus coming back later must not start a second switch.
  if (FStarted)
    return;
  FStarted = true;
  ::PostMessageA(FWindow, WM_SWITCHSTART, 0, 0);
}

void TfrmSwitchHint::WMSwitchStart() {
  if (FOptions.CommandLineRun) {
    ::SetWindowTextA(FWindow, kPleaseWaitText);
    Changed();
  }
  FSession = FThreads.Start(FInput, this); // an error here closes the dialog
}

void TfrmSwitchHint::WMSwitchDone(WPARAM failed) {
  ::SetDlgItemTextA(FWindow, IDC_BCANCEL, LoadText(TextId::OkText).c_str());
  ::SetDlgItemTextA(FWindow, IDC_PANEL1, LoadText(TextId::FinishedText).c_str());
  if (failed) {
    SetOuterHeight(kTallHeight);
    ::ShowWindow(::GetDlgItem(FWindow, IDC_MEMO1), SW_SHOW);
  }
  Changed();
  if (FHooks.Done)
    FHooks.Done(failed != 0, FMemoLines);
  if (!failed && (FOptions.AutoCloseDialog || FOptions.CommandLineRun))
    bCancelClick();
}

void TfrmSwitchHint::bCancelClick() {
  if (FSession && !FSession->Finished())
    FSession->RequestStop();
  Close(IDOK);
}

// The close box lets the run go on to its end; nothing of it shows any more.
void TfrmSwitchHint::CloseBox() { Close(IDCANCEL); }

void TfrmSwitchHint::Close(INT_PTR modalResult) {
  if (FSession)
    FSession->Detach();
  if (FHooks.Closing)
    FHooks.Closing(FWindow, modalResult);
  ::EndDialog(FWindow, modalResult);
}

void TfrmSwitchHint::SetStatus(const std::string& caption) {
  ::SetDlgItemTextA(FWindow, IDC_PANEL1, caption.c_str());
  Changed();
}

void TfrmSwitchHint::AppendLine(const std::string& line) {
  FMemoLines.push_back(line);
  ShowMemo();
}

void TfrmSwitchHint::InsertHeading(const std::string& heading) {
  FMemoLines.insert(FMemoLines.begin(), {heading, ""});
  ShowMemo();
}

void TfrmSwitchHint::ShowMemo() {
  std::string text;
  for (const std::string& line : FMemoLines)
    text.append(line).append("\r\n");
  ::SetDlgItemTextA(FWindow, IDC_MEMO1, text.c_str());
  Changed();
}

// On the switch thread, while the dialog cannot close (SwitchSession).
void TfrmSwitchHint::SwitchDone(bool failed) {
  ::PostMessageA(FWindow, WM_SWITCHDONE, failed ? 1 : 0, 0);
}

} // namespace quorvin
