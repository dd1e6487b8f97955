// TfrmMain's controls as the controller's plain values.

#include "app/win32/TfrmMain.h"

#include "app/win32/KeepDialog.h"

#include "app/win32/Dialogs.h"
#include "app/win32/resource.h"
#include "base/Texts.h"

#include <commctrl.h>

#include <iterator>
#include <vector>

namespace quorvin {
namespace {

// In the order of PageControl.
constexpr int kControlIds[] = {
    IDC_CBENABLEIP,     IDC_RBAUTOIP,        IDC_RBUSEIP,        IDC_CBDNSSERVER,      IDC_RBAUTODNSSERVER,
    IDC_RBUSEDNSSERVER, IDC_CBPROXYSERVER,   IDC_CBUSEPROXYSERVER, IDC_CBCOMPUTERNAME, IDC_CBWORKGROUP,
    IDC_CBDEFAULTPRINTER, IDC_CBDNSDOMAIN,   IDC_CBWINSSERVER,   IDC_REIP,             IDC_RESUBNETMASK,
    IDC_REGATEWAY,      IDC_REPREFERREDDNS,  IDC_REALTERNATEDNS, IDC_EPROXYADDRESS,    IDC_EPROXYPORT,
    IDC_ECOMPUTERNAME,  IDC_EWORKGROUP,      IDC_CBPRINTER,      IDC_EDNSDOMAIN,       IDC_REPRIMARYWINS,
    IDC_RESECONDARYWINS, IDC_LIPADDRESS,     IDC_LSUBNETMASK,    IDC_LGATEWAY,         IDC_LPREFERREDDNS,
    IDC_LALTERNATEDNS,  IDC_LPROXYADDRESS,   IDC_LPROXYPORT,
};
static_assert(std::size(kControlIds) == static_cast<std::size_t>(PageControl::lProxyPort) + 1);

// Tab captions and list entries are read through a value-sized buffer.
constexpr int kTextBufferSize = 2048;

} // namespace

HWND TfrmMain::Item(PageControl control) const { return Item(kControlIds[static_cast<int>(control)]); }

bool TfrmMain::IsChecked(PageControl control) {
  return ::SendMessageA(Item(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TfrmMain::SetChecked(PageControl control, bool checked) {
  ::SendMessageA(Item(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string TfrmMain::GetText(PageControl control) { return WindowText(Item(control)); }

void TfrmMain::SetText(PageControl control, const std::string& text) {
  ::SetWindowTextA(Item(control), text.c_str());
}

void TfrmMain::SetEnabled(PageControl control, bool enabled) {
  ::EnableWindow(Item(control), enabled ? TRUE : FALSE);
}

std::string TfrmMain::GetCaption(PageControl control) { return WindowText(Item(control)); }

void TfrmMain::EndFieldEdit() {
  // A field corrects its text when it loses the focus: take the focus away
  // and give it back.
  HWND focus = ::GetFocus();
  if (!focus || !::IsChild(FWindow, focus))
    return;
  ::SetFocus(nullptr);
  ::SetFocus(focus);
}

int TfrmMain::TabCount() { return static_cast<int>(::SendMessageA(Item(IDC_TCSETS), TCM_GETITEMCOUNT, 0, 0)); }

std::string TfrmMain::TabCaption(int index) {
  std::vector<char> buffer(kTextBufferSize, '\0');
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = buffer.data();
  item.cchTextMax = kTextBufferSize;
  ::SendMessageA(Item(IDC_TCSETS), TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return item.pszText ? std::string(item.pszText) : std::string();
}

void TfrmMain::SetTabCaption(int index, const std::string& caption) {
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(caption.c_str());
  ::SendMessageA(Item(IDC_TCSETS), TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TfrmMain::AppendTab(const std::string& caption) {
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(caption.c_str());
  ::SendMessageA(Item(IDC_TCSETS), TCM_INSERTITEMA, static_cast<WPARAM>(TabCount()),
                 reinterpret_cast<LPARAM>(&item));
}

void TfrmMain::DeleteTab(int index) {
  ::SendMessageA(Item(IDC_TCSETS), TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

int TfrmMain::SelectedTab() { return static_cast<int>(::SendMessageA(Item(IDC_TCSETS), TCM_GETCURSEL, 0, 0)); }

void TfrmMain::SelectTab(int index) {
  ::SendMessageA(Item(IDC_TCSETS), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TfrmMain::SetAdapterEntries(const std::vector<std::string>& entries) {
  HWND box = Item(IDC_CBNETWORKADAPTER);
  ::SendMessageA(box, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : entries)
    ::SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

int TfrmMain::AdapterIndex() {
  return static_cast<int>(::SendMessageA(Item(IDC_CBNETWORKADAPTER), CB_GETCURSEL, 0, 0));
}

void TfrmMain::SetAdapterIndex(int index) {
  ::SendMessageA(Item(IDC_CBNETWORKADAPTER), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TfrmMain::AdapterBoxWidth() {
  RECT box{};
  ::GetWindowRect(Item(IDC_CBNETWORKADAPTER), &box);
  return box.right - box.left;
}

int TfrmMain::AdapterTextWidth(const std::string& text) {
  HWND box = Item(IDC_CBNETWORKADAPTER);
  const WindowDc dc = quorvin::GetDC(box);
  SIZE extent{};
  const SelectionScope font(dc.get(), reinterpret_cast<HFONT>(::SendMessageA(box, WM_GETFONT, 0, 0)));
  ::GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
  return extent.cx;
}

void TfrmMain::SetAdapterListWidth(int width) {
  ::SendMessageA(Item(IDC_CBNETWORKADAPTER), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
}

void TfrmMain::SetPrinterList(const std::vector<std::string>& printers) {
  HWND box = Item(PageControl::cbPrinter);
  const std::string text = WindowText(box);
  ::SendMessageA(box, CB_RESETCONTENT, 0, 0);
  for (const std::string& printer : printers)
    ::SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(printer.c_str()));
  ::SetWindowTextA(box, text.c_str());
}

void TfrmMain::SetCaption(const std::string& caption) { ::SetWindowTextA(FWindow, caption.c_str()); }

void TfrmMain::SuspendRedraw(bool suspend) { ::LockWindowUpdate(suspend ? FWindow : nullptr); }

void TfrmMain::SetBusyCursor(bool busy) {
  FBusy = busy;
  ::SetCursor(::LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void TfrmMain::SetWaiting(bool waiting) {
  if (waiting)
    FFocusBeforeWait = ::GetFocus();
  SetBusyCursor(waiting);
  ::EnableWindow(FWindow, waiting ? FALSE : TRUE);
  if (!waiting && FFocusBeforeWait && ::IsChild(FWindow, FFocusBeforeWait))
    ::SetFocus(FFocusBeforeWait);
}

void TfrmMain::ShowMessage(const std::string& text) {
  ::MessageBoxA(FWindow, text.c_str(), LoadText(TextId::ProductCaption).c_str(), MB_OK | MB_ICONINFORMATION);
}

bool TfrmMain::AskYesNo(const std::string& text) {
  return ::MessageBoxA(FWindow, text.c_str(), LoadText(TextId::ProductCaption).c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

bool TfrmMain::AskWithDialog(const std::string& question, TOptionsSetting& options) {
  return ShowAskDialog(FWindow, question, options) == IDYES;
}

bool TfrmMain::AskSetName(const std::string& caption, std::string& name) {
  return ShowRenameDialog(FWindow, caption, name) == IDOK;
}

void TfrmMain::ShowOptionsDialog(TOptionsSetting& options, const TWindowOptions& window) {
  quorvin::ShowOptionsDialog(FWindow, options, window, FFile, FSystem);
}

void TfrmMain::ShowAboutDialog() { quorvin::ShowAboutDialog(FWindow, FShell); }

bool TfrmMain::EditSetNetwork(TSetNetwork& network, const TCurrentNetwork& useCurrent) {
  return ShowNetworkDialog(FWindow, network, useCurrent) == IDOK;
}

TKeepAnswer TfrmMain::AskToKeep(int seconds, const std::string& gateway) {
  return ShowKeepDialog(FWindow, seconds, gateway, FSystem.Probe());
}

} // namespace quorvin
