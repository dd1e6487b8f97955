#include "app/win32/TfrmMain.h"

#include "app/win32/Dialogs.h"
#include "app/win32/resource.h"
#include "base/QuorvinError.h"
#include "base/Texts.h"
#include "base/win32/ErrorChecks.h"
#include "base/win32/HandleOwners.h"
#include "widgets/win32/RIPEdit.h"

#include <commctrl.h>

#include <iterator>
#include <optional>

namespace quorvin {
namespace {

constexpr char kTitle[] = "Quorvin";
constexpr char kSubtitle[] = "Switch between different network settings";
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLinkHotColour = RGB(255, 0, 0);
constexpr int kDesignTabs = 5;
// Places in the title band, in pixels at 96 DPI.
constexpr int kIconLeft = 8, kIconSize = 32, kTitleLeft = 48, kTitleTop = 6, kSubtitleTop = 27;
constexpr int kTitleHeight = 16, kLinkRightMargin = 10, kUpdateImageOffset = 20, kUpdateImageSize = 16;

constexpr int kHintedControls[] = {IDC_BACTIVATE,  IDC_BADDNEWSET, IDC_BLOADCURRENT, IDC_CBCOMPUTERNAME,
                                   IDC_ECOMPUTERNAME, IDC_CBWORKGROUP, IDC_EWORKGROUP};

HINSTANCE Instance() { return ::GetModuleHandleA(nullptr); }

// The icon's own small image, at the size that the system DPI (the
// taskbar's) gives it.
HICON LoadSmallIcon(UINT flags) {
  return static_cast<HICON>(::LoadImageA(Instance(), MAKEINTRESOURCEA(IDI_QUORVIN), IMAGE_ICON,
                                         ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), flags));
}

void RegisterMainClass() {
  // A template that names its class needs the dialog manager's procedure
  // and window bytes in that class.
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = ::DefDlgProcA;
  windowClass.cbWndExtra = DLGWINDOWEXTRA;
  windowClass.hInstance = Instance();
  windowClass.hIcon = ::LoadIconA(Instance(), MAKEINTRESOURCEA(IDI_QUORVIN));
  windowClass.hIconSm = LoadSmallIcon(LR_SHARED);
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kMainWindowClass;
  ThrowLastErrorIf(!RegisterClassOnce(windowClass), "Cannot register the main window class");
}

std::optional<JpegPicture> LoadPicture(int id) {
  // A picture that does not decode leaves its place plain; the window
  // works without it.
  try {
    return JpegPicture::FromResource(Instance(), id);
  } catch (const QuorvinError&) {
    return std::nullopt;
  }
}

UniqueIcon LoadIconSized(int id, int size) {
  return UniqueIcon(static_cast<HICON>(::LoadImageA(Instance(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0)));
}

} // namespace

TfrmMain::TfrmMain(ProfileFile& file, SystemServices& system, ShellPort& shell, SwitchRunner& runner,
                   std::string settingsFolder)
    : FFile(file), FSystem(system), FShell(shell),
      FController(*this, file, system, shell, runner, std::move(settingsFolder)) {}

TfrmMain::~TfrmMain() {
  if (FWindow)
    ::DestroyWindow(FWindow);
}

void TfrmMain::Create(HWND owner) {
  RegisterMainClass();
  RegisterRIPEditClass(Instance());
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_TAB_CLASSES | ICC_WIN95_CLASSES;
  ::InitCommonControlsEx(&controls);
  FAccelerators = ::LoadAcceleratorsA(Instance(), MAKEINTRESOURCEA(IDR_MAINACCEL));
  ThrowLastErrorIf(!CreateModeless(owner, IDD_MAIN), "Cannot create the main window");
  FController.FormCreate();
}

void TfrmMain::FormShow() { FController.FormShow(); }

int TfrmMain::ScaleToDpi(int pixels) { return ScaleToWindowDpi(FWindow, pixels); }

void TfrmMain::Run(const std::function<void()>& step) {
  try {
    step();
  } catch (...) {
    ReportWindowError(FWindow, CurrentExceptionText());
  }
}

TActivateOutcome TfrmMain::Activate() {
  TActivateOutcome outcome; // unfinished when an error ended it
  Run([&] { outcome = FController.aActivateExecute(); });
  return outcome;
}

bool TfrmMain::PreTranslateMessage(MSG& message) {
  if (!FWindow || (message.hwnd != FWindow && !::IsChild(FWindow, message.hwnd)))
    return false;
  if (FAccelerators && ::TranslateAcceleratorA(FWindow, FAccelerators, &message))
    return true;
  return ::IsDialogMessageA(FWindow, &message) != FALSE;
}

INT_PTR TfrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = 0;
  if (message != WM_INITDIALOG && FHook && FHook(message, wParam, lParam, result))
    return result;
  switch (message) {
  case WM_INITDIALOG:
    InitDialog();
    return FALSE;
  case WM_COMMAND:
    Command(LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  case WM_NOTIFY:
    Notify(*reinterpret_cast<const NMHDR*>(lParam));
    return TRUE;
  case WM_PAINT: {
    const PaintSession paint(FWindow);
    PaintBand(paint.Dc());
    return TRUE;
  }
  case WM_INITMENUPOPUP:
    ::EnableMenuItem(reinterpret_cast<HMENU>(wParam), IDM_UNDOLASTSWITCH,
                     MF_BYCOMMAND | (FController.CanUndo() ? MF_ENABLED : MF_GRAYED));
    return FALSE;
  case WM_DRAWITEM:
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  case WM_SETCURSOR:
    if (SetCursorFor(reinterpret_cast<HWND>(wParam))) {
      ::SetWindowLongPtrA(FWindow, DWLP_MSGRESULT, TRUE);
      return TRUE;
    }
    return FALSE;
  case WM_DPICHANGED:
    MakeFonts();
    LayOutBand();
    ::InvalidateRect(FWindow, nullptr, TRUE);
    return FALSE;
  default:
    return FALSE;
  }
}

void TfrmMain::InitDialog() {
  ::SetWindowTextA(FWindow, LoadText(TextId::ProductCaption).c_str());
  for (int i = 1; i <= kDesignTabs; ++i)
    AppendTab("SET" + std::to_string(i));
  ::SendMessageA(Item(IDC_TCSETS), TCM_SETCURSEL, 0, 0);
  FTitleBand = LoadPicture(IDR_TITLEBAND);
  FHomePage = LoadPicture(IDR_HOMEPAGE);
  const int scale = ScaleToDpi(kIconSize);
  FIcon = LoadIconSized(IDI_QUORVIN, scale);
  FUpdateIcon = LoadIconSized(IDI_UPDATE, ScaleToDpi(kUpdateImageSize));
  ::SendMessageA(FWindow, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(FIcon.get()));
  // The small icon serves the caption, the taskbar button and the
  // notification area.
  FSmallIcon.reset(LoadSmallIcon(0));
  ::SendMessageA(FWindow, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(FSmallIcon.get()));
  MakeFonts();
  LayOutBand();
  AddHints();
}

void TfrmMain::AddHints() {
  HWND tips = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                FWindow, nullptr, Instance(), nullptr);
  if (!tips)
    return; // the window works without its hints
  for (int id : kHintedControls) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = FWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(Item(id));
    tool.hinst = Instance();
    tool.lpszText = MAKEINTRESOURCEA(id);
    ::SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  ::SendMessageA(tips, TTM_SETMAXTIPWIDTH, 0, ScaleToDpi(400));
}

namespace {

// A command of the window: the control or menu item, the notification that
// counts (any for menu items and accelerators), and the controller's step.
struct TCommand {
  int Id;
  std::optional<int> Code;
  void (MainController::*Step)();
};

constexpr int kClicked = BN_CLICKED;
static_assert(STN_CLICKED == kClicked, "a static's click is a button's");

// Enter and Escape (IDOK, IDCANCEL) and the exit command, which the program
// handles through its hook, are not here: they do nothing in the window.
const TCommand kCommands[] = {
    {IDC_BADDNEWSET, {}, &MainController::aAddNewSetExecute},
    {IDM_ADDNEWSET, {}, &MainController::aAddNewSetExecute},
    {IDC_BLOADCURRENT, {}, &MainController::aLoadCurrentExecute},
    {IDM_LOADCURRENT, {}, &MainController::aLoadCurrentExecute},
    {IDM_SETNETWORK, {}, &MainController::aSetNetworkExecute},
    {IDC_BREFRESH, {}, &MainController::bRefreshClick},
    {IDM_REFRESHADAPTER, {}, &MainController::bRefreshClick},
    {IDC_CBNETWORKADAPTER, CBN_DROPDOWN, &MainController::cbNetworkAdapterDropDown},
    {IDC_RBAUTOIP, kClicked, &MainController::rbAutoIPClick},
    {IDC_RBUSEIP, kClicked, &MainController::rbAutoIPClick},
    {IDC_RBAUTODNSSERVER, kClicked, &MainController::rbAutoDnsServerClick},
    {IDC_RBUSEDNSSERVER, kClicked, &MainController::rbAutoDnsServerClick},
    {IDC_CBUSEPROXYSERVER, kClicked, &MainController::cbUseProxyServerClick},
    {IDM_RENAME, {}, &MainController::miRenameClick},
    {IDM_DELETESET, {}, &MainController::aDeleteSetExecute},
    {IDM_SHOWSETTINGSFILE, {}, &MainController::ShowSettingsfile1Click},
    {IDM_OPTIONS, {}, &MainController::miSetingsClick},
    {IDM_ABOUT, {}, &MainController::miAboutClick},
    {IDM_HELP, {}, &MainController::aHelpExecute},
    {IDM_UNDOLASTSWITCH, {}, &MainController::miUndoLastSwitchClick},
    {IDC_IMAGE2, kClicked, &MainController::Image2Click},
    {IDC_LUPDATE, kClicked, &MainController::lUpdateClick},
};

} // namespace

void TfrmMain::Command(int id, int code) {
  if (id == IDC_BACTIVATE || id == IDM_ACTIVATE) {
    Activate();
    return;
  }
  for (const TCommand& command : kCommands) {
    if (command.Id == id && (!command.Code || *command.Code == code)) {
      Run([this, &command] { (FController.*command.Step)(); });
      return;
    }
  }
}

void TfrmMain::Notify(const NMHDR& header) {
  if (header.idFrom != IDC_TCSETS)
    return;
  if (header.code == TCN_SELCHANGE)
    Run([this] { FController.tcSetsChange(); });
  else if (header.code == NM_RCLICK)
    ShowTabMenu();
}

void TfrmMain::ShowTabMenu() {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  TCHITTESTINFO hit{};
  hit.pt = cursor;
  ::ScreenToClient(Item(IDC_TCSETS), &hit.pt);
  if (::SendMessageA(Item(IDC_TCSETS), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0)
    return;
  const UniqueMenu menu(::LoadMenuA(Instance(), MAKEINTRESOURCEA(IDR_TABMENU)));
  if (menu)
    ::TrackPopupMenuEx(::GetSubMenu(menu.get(), 0), TPM_RIGHTBUTTON, cursor.x, cursor.y, FWindow, nullptr);
}

bool TfrmMain::SetCursorFor(HWND child) {
  if (FBusy) {
    ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    return true;
  }
  const bool overLink = child == Item(IDC_LUPDATE);
  if (overLink != FLinkHot) {
    FLinkHot = overLink;
    ::InvalidateRect(Item(IDC_LUPDATE), nullptr, FALSE);
  }
  if (!overLink && child != Item(IDC_IMAGE2))
    return false;
  ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
  return true;
}

int TfrmMain::BandHeight() const {
  // The band ends where the tab control starts, whatever the scaling.
  RECT tabs{};
  ::GetWindowRect(Item(IDC_TCSETS), &tabs);
  ::MapWindowPoints(nullptr, FWindow, reinterpret_cast<POINT*>(&tabs), 2);
  return tabs.top;
}

void TfrmMain::MakeFonts() {
  LOGFONTA font{};
  font.lfHeight = -ScaleToDpi(kTitleHeight);
  font.lfWeight = FW_BOLD;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(font.lfFaceName, "MS Shell Dlg", LF_FACESIZE);
  FTitleFont.reset(::CreateFontIndirectA(&font));
  auto dialogFont = reinterpret_cast<HFONT>(::SendMessageA(FWindow, WM_GETFONT, 0, 0));
  ::GetObjectA(dialogFont, sizeof font, &font);
  font.lfUnderline = TRUE;
  FLinkFont.reset(::CreateFontIndirectA(&font));
}

void TfrmMain::LayOutBand() {
  HWND link = Item(IDC_LUPDATE);
  char text[64] = {};
  ::GetWindowTextA(link, text, sizeof text);
  SIZE extent{};
  {
    const WindowDc dc = quorvin::GetDC(link);
    const SelectionScope font(dc.get(), FLinkFont.get());
    ::GetTextExtentPoint32A(dc.get(), text, lstrlenA(text), &extent);
  }
  RECT client{};
  ::GetClientRect(FWindow, &client);
  const int width = extent.cx + 2;
  const int height = extent.cy + 2;
  ::SetWindowPos(link, nullptr, client.right - ScaleToDpi(kLinkRightMargin) - width,
                 (BandHeight() - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMain::PaintBand(HDC dc) {
  RECT client{};
  ::GetClientRect(FWindow, &client);
  const RECT band{0, 0, client.right, BandHeight()};
  if (FTitleBand)
    FTitleBand->DrawStretched(dc, band);
  else
    ::FillRect(dc, &band, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  const int iconSize = ScaleToDpi(kIconSize);
  ::DrawIconEx(dc, ScaleToDpi(kIconLeft), (band.bottom - iconSize) / 2, FIcon.get(), iconSize, iconSize, 0,
               nullptr, DI_NORMAL);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, kWhite);
  {
    SelectionScope font(dc, FTitleFont.get());
    ::TextOutA(dc, ScaleToDpi(kTitleLeft), ScaleToDpi(kTitleTop), kTitle, lstrlenA(kTitle));
  }
  SelectionScope font(dc, reinterpret_cast<HFONT>(::SendMessageA(FWindow, WM_GETFONT, 0, 0)));
  ::TextOutA(dc, ScaleToDpi(kTitleLeft), ScaleToDpi(kSubtitleTop), kSubtitle, lstrlenA(kSubtitle));
  RECT link{};
  ::GetWindowRect(Item(IDC_LUPDATE), &link);
  ::MapWindowPoints(nullptr, FWindow, reinterpret_cast<POINT*>(&link), 2);
  const int imageSize = ScaleToDpi(kUpdateImageSize);
  ::DrawIconEx(dc, link.left - ScaleToDpi(kUpdateImageOffset), (band.bottom - imageSize) / 2,
               FUpdateIcon.get(), imageSize, imageSize, 0, nullptr, DI_NORMAL);
}

void TfrmMain::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID == IDC_IMAGE2) {
    if (FHomePage)
      FHomePage->DrawStretched(item.hDC, item.rcItem);
    return;
  }
  if (item.CtlID != IDC_LUPDATE)
    return;
  // The link lies on the band: the band's piece under it, then the text.
  RECT place{};
  ::GetWindowRect(item.hwndItem, &place);
  ::MapWindowPoints(nullptr, FWindow, reinterpret_cast<POINT*>(&place), 2);
  POINT oldOrigin{};
  ::SetViewportOrgEx(item.hDC, -place.left, -place.top, &oldOrigin);
  PaintBand(item.hDC);
  ::SetViewportOrgEx(item.hDC, oldOrigin.x, oldOrigin.y, nullptr);
  char text[64] = {};
  ::GetWindowTextA(item.hwndItem, text, sizeof text);
  ::SetBkMode(item.hDC, TRANSPARENT);
  ::SetTextColor(item.hDC, FLinkHot ? kLinkHotColour : kWhite);
  SelectionScope font(item.hDC, FLinkFont.get());
  RECT textPlace = item.rcItem;
  ::DrawTextA(item.hDC, text, -1, &textPlace, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}

} // namespace quorvin
