// Drives a running Quorvin from outside, as the user or the system would,
// and reports what it finds. One command per start:
//   state                      prints "none", "hidden" or "visible"
//   wait STATE [seconds]       waits until the state is STATE (none/hidden/visible)
//   close                      the close box (WM_SYSCOMMAND SC_CLOSE)
//   command ID                 a menu command of the main window
//   tray left|right|balloon    a click on the notification icon, or on its balloon
//   shows-tip TEXT [seconds]   waits for a tip or a balloon that shows TEXT
//   icon-centre                prints the centre of the notification icon's place, where
//                              the system gives it
//   menu-check [seconds]       waits for an open pop-up menu, prints which of its black-text
//                              items (1 for the first) has a check mark, 0 for none, and
//                              closes the menu
//   menu [seconds]             waits for an open pop-up menu and prints the items it can read
//   choose N [seconds]         waits for an open pop-up menu and chooses its Nth item by
//                              keyboard, as the user can: Down N times, then Enter
//   taskbar-restart            removes the icon as an Explorer restart does, sends
//                              "TaskbarCreated" and checks the icon is back
//   tray-icon                  looks at the pixels of the notification icon's place on
//                              the screen: succeeds when they hold a picture, not only
//                              the taskbar's own colour
//   focus                      prints the id of the main window's control with the focus
//   endsession                 logs off as far as the program can see: WM_QUERYENDSESSION,
//                              then WM_ENDSESSION
//   press CAPTION TEXT [s]     waits for a window titled CAPTION with a TEXT button and clicks it
//   texts CAPTION [seconds]    waits for a window titled CAPTION and prints its texts
//   tabs                       prints the number of set tabs of the main window
//   detached PROGRAM [ARG]     runs PROGRAM from a process without a console, as a shortcut
//                              or the Run key does; ends with PROGRAM's exit code
// Exit code 0 when the command did what it says.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kMainClass[] = "Quorvin Made by Corvane Software";
constexpr UINT kTrayNotify = 0x2502;

HWND MainWindow() { return ::FindWindowA(kMainClass, nullptr); }

const char* State() {
  HWND main = MainWindow();
  if (!main)
    return "none";
  return ::IsWindowVisible(main) ? "visible" : "hidden";
}

// Polls for a condition of another process, which tells no one when it is
// reached; the deadline is only a guard against waiting for ever.
template <typename Condition>
bool WaitFor(Condition condition, double seconds) {
  for (int i = 0; i < static_cast<int>(seconds * 20); ++i) {
    if (condition())
      return true;
    ::Sleep(50);
  }
  return condition();
}

double Seconds(int argc, char** argv, int index, double fallback) {
  return argc > index ? std::atof(argv[index]) : fallback;
}

struct Found {
  const char* Wanted;
  HWND Window = nullptr;
};

BOOL CALLBACK FindByText(HWND window, LPARAM parameter) {
  auto* found = reinterpret_cast<Found*>(parameter);
  char text[512] = {};
  ::GetWindowTextA(window, text, sizeof text);
  if (std::strcmp(text, found->Wanted) == 0 && ::IsWindowVisible(window)) {
    found->Window = window;
    return FALSE;
  }
  return TRUE;
}

HWND TopLevel(const char* caption) {
  Found found{caption};
  ::EnumWindows(FindByText, reinterpret_cast<LPARAM>(&found));
  return found.Window;
}

HWND Child(HWND parent, const char* text) {
  Found found{text};
  ::EnumChildWindows(parent, FindByText, reinterpret_cast<LPARAM>(&found));
  return found.Window;
}

BOOL CALLBACK PrintText(HWND window, LPARAM) {
  // GetWindowText does not ask another process's edit control for its
  // text; WM_GETTEXT does.
  char text[4096] = {};
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        &copied);
  if (text[0])
    std::printf("%s\n", text);
  return TRUE;
}

HWND OpenMenu() {
  HWND popup = ::FindWindowA("#32768", nullptr);
  return popup && ::IsWindowVisible(popup) ? popup : nullptr;
}

int TaskbarRestart() {
  HWND main = MainWindow();
  if (!main)
    return 1;
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = main;
  data.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(main));
  // A modify succeeds only for an icon that is there.
  if (!::Shell_NotifyIconA(NIM_MODIFY, &data)) {
    std::printf("no icon before the restart\n");
    return 1;
  }
  ::Shell_NotifyIconA(NIM_DELETE, &data);
  if (::Shell_NotifyIconA(NIM_MODIFY, &data)) {
    std::printf("the icon could not be removed\n");
    return 1;
  }
  ::PostMessageA(main, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  const bool back = WaitFor([&] { return ::Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE; }, 10);
  std::printf(back ? "icon back\n" : "icon missing\n");
  return back ? 0 : 1;
}

// The notification icon's place on the screen: the shell's answer where it
// has one, else the window that the taskbar shows the icon in.
struct FoundIcon {
  RECT Place{};
  bool Found = false;
};

// Wine's notification area shows each icon in a small window of its own
// (class "__winex11_tray_icon" in its stand-alone tray); the tests run no
// other program with an icon.
BOOL CALLBACK FindIconWindow(HWND window, LPARAM parameter) {
  auto* found = reinterpret_cast<FoundIcon*>(parameter);
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  RECT place{};
  ::GetWindowRect(window, &place);
  const int width = place.right - place.left;
  if (::IsWindowVisible(window) && std::strstr(name, "tray_icon") != nullptr && width >= 16 &&
      width == place.bottom - place.top) {
    found->Place = place;
    found->Found = true;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindIconInTray(HWND window, LPARAM parameter) {
  FindIconWindow(window, parameter);
  if (!reinterpret_cast<FoundIcon*>(parameter)->Found)
    ::EnumChildWindows(window, FindIconWindow, parameter);
  return !reinterpret_cast<FoundIcon*>(parameter)->Found;
}

bool IconPlace(HWND main, RECT& place) {
  using GetRectFunction = HRESULT(WINAPI*)(const NOTIFYICONIDENTIFIER*, RECT*);
  const auto getRect = reinterpret_cast<GetRectFunction>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("shell32.dll"), "Shell_NotifyIconGetRect")));
  NOTIFYICONIDENTIFIER icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = main;
  icon.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(main));
  if (getRect && SUCCEEDED(getRect(&icon, &place)) && place.right > place.left)
    return true;
  FoundIcon found;
  ::EnumWindows(FindIconInTray, reinterpret_cast<LPARAM>(&found));
  place = found.Place;
  return found.Found;
}

// Counts the pixels of the place that differ from the taskbar's colour, and
// the colours among them.
int TrayIcon(HWND main) {
  RECT place{};
  if (!main || !IconPlace(main, place)) {
    std::printf("no icon place\n");
    return 1;
  }
  HDC screen = ::GetDC(nullptr);
  // The place is at least as large as the icon, which is drawn in its
  // middle: its corner shows the taskbar.
  const COLORREF background = ::GetPixel(screen, place.left, place.top);
  int differing = 0, total = 0;
  std::vector<COLORREF> colours;
  for (int y = place.top; y < place.bottom; ++y)
    for (int x = place.left; x < place.right; ++x) {
      const COLORREF pixel = ::GetPixel(screen, x, y);
      ++total;
      if (pixel == background)
        continue;
      ++differing;
      if (colours.size() < 64 && std::find(colours.begin(), colours.end(), pixel) == colours.end())
        colours.push_back(pixel);
    }
  ::ReleaseDC(nullptr, screen);
  std::printf("icon at %ld,%ld %ldx%ld: %d of %d pixels differ from the taskbar (%06lx), %zu colours\n", place.left,
              place.top, place.right - place.left, place.bottom - place.top, differing, total,
              static_cast<unsigned long>(background), colours.size());
  // A picture: a good part of the place drawn, in more than one colour.
  return differing * 5 >= total && colours.size() >= 3 ? 0 : 1;
}

// The texts of the visible tips and balloons (tooltip windows, any process).
BOOL CALLBACK CollectTip(HWND window, LPARAM parameter) {
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  if (::IsWindowVisible(window) && _stricmp(name, TOOLTIPS_CLASSA) == 0) {
    char text[512] = {};
    ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                          nullptr);
    reinterpret_cast<std::string*>(parameter)->append(text).append("\n");
  }
  return TRUE;
}

std::string ShownTips() {
  std::string texts;
  ::EnumWindows(CollectTip, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

// Waits for a visible tip or balloon that shows wanted, and prints the
// texts shown last. (A tip shows once the pointer rests on the icon, which
// only the X server's own pointer moves can make Wine's taskbar see.)
int ShowsTip(const char* wanted, int seconds) {
  std::string shown;
  const bool found = WaitFor([&] { return (shown = ShownTips()).find(wanted) != std::string::npos; }, seconds);
  std::printf("%s", shown.c_str());
  return found ? 0 : 1;
}

// Wine hands out no items of another process's menu: the check mark is
// read from the screen. The items in black text are bands of dark pixels
// right of the check column; the mark is a band in the column.
bool Dark(COLORREF pixel) { return GetRValue(pixel) < 0x60 && GetGValue(pixel) < 0x60 && GetBValue(pixel) < 0x60; }

std::vector<std::pair<int, int>> DarkBands(HDC screen, const RECT& menu, int left, int right) {
  std::vector<std::pair<int, int>> bands;
  bool inBand = false;
  for (int y = menu.top + 2; y < menu.bottom - 2; ++y) {
    bool dark = false;
    for (int x = left; x < right && !dark; ++x)
      dark = Dark(::GetPixel(screen, x, y));
    if (dark && !inBand)
      bands.push_back({y, y});
    if (dark)
      bands.back().second = y;
    inBand = dark;
  }
  return bands;
}

int MenuCheck(int seconds) {
  HWND popup = nullptr;
  if (!WaitFor([&] { return (popup = OpenMenu()) != nullptr; }, seconds))
    return 1;
  ::Sleep(300); // drawn after it is shown
  RECT menu{};
  ::GetWindowRect(popup, &menu);
  HDC screen = ::GetDC(nullptr);
  const auto marks = DarkBands(screen, menu, menu.left + 3, menu.left + 16);
  const auto items = DarkBands(screen, menu, menu.left + 20, menu.right - 4);
  ::ReleaseDC(nullptr, screen);
  int checked = 0;
  for (std::size_t i = 0; i < items.size() && !marks.empty(); ++i) {
    if (marks[0].first <= items[i].second && items[i].first <= marks[0].second)
      checked = static_cast<int>(i) + 1;
  }
  std::printf("%d\n", checked);
  ::PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  return 0;
}

int Focus(HWND main) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!main || !::GetGUIThreadInfo(::GetWindowThreadProcessId(main, nullptr), &info) || !info.hwndFocus)
    return 1;
  if (!::IsChild(main, info.hwndFocus))
    return 1;
  // A field of an address edit: the id of the address edit.
  HWND control = info.hwndFocus;
  while (::GetParent(control) != main)
    control = ::GetParent(control);
  std::printf("%d\n", ::GetDlgCtrlID(control));
  return 0;
}

int EndSession(HWND main) {
  DWORD_PTR answer = 0;
  if (!main || !::SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 10000, &answer))
    return 1;
  std::printf("query answered %d\n", static_cast<int>(answer));
  DWORD_PTR ignored = 0;
  return answer && ::SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 10000,
                                         &ignored)
             ? 0
             : 1;
}

// Starts a command line and waits for it; its exit code, or -1.
int RunAndWait(std::string commandLine, DWORD flags) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                        &process))
    return -1;
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

std::string Quoted(const char* text) { return std::string("\"") + text + "\""; }

// The probe itself has the console of its prompt, which a child may attach
// to; a copy of it without one starts the program.
int Detached(int argc, char** argv, bool inner) {
  std::string commandLine;
  if (!inner) {
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, sizeof self);
    commandLine = Quoted(self) + " detached-inner";
  }
  for (int i = 2; i < argc; ++i)
    commandLine += (commandLine.empty() ? "" : " ") + Quoted(argv[i]);
  return RunAndWait(commandLine, inner ? 0 : DETACHED_PROCESS);
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2)
    return 2;
  const std::string command = argv[1];
  if (command == "state") {
    std::printf("%s\n", State());
    return 0;
  }
  if (command == "wait" && argc > 2) {
    const bool reached = WaitFor([&] { return std::strcmp(State(), argv[2]) == 0; }, Seconds(argc, argv, 3, 20));
    std::printf("%s\n", State());
    return reached ? 0 : 1;
  }
  HWND main = MainWindow();
  if (command == "close")
    return main && ::PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
  if (command == "command" && argc > 2)
    return main && ::PostMessageA(main, WM_COMMAND, std::atoi(argv[2]), 0) ? 0 : 1;
  if (command == "tray" && argc > 2) {
    const LPARAM mouse = std::strcmp(argv[2], "right") == 0     ? WM_RBUTTONDOWN
                         : std::strcmp(argv[2], "balloon") == 0 ? NIN_BALLOONUSERCLICK
                                                                : WM_LBUTTONDOWN;
    const WPARAM id = reinterpret_cast<WPARAM>(main);
    return main && ::PostMessageA(main, kTrayNotify, id, mouse) ? 0 : 1;
  }
  if (command == "menu") {
    HWND popup = nullptr;
    if (!WaitFor([&] { return (popup = OpenMenu()) != nullptr; }, Seconds(argc, argv, 2, 10)))
      return 1;
    // Wine does not hand out another process's menu (MN_GETHMENU), so the
    // items are printed only where the system gives them.
    auto menu = reinterpret_cast<HMENU>(::SendMessageA(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      char text[256] = {};
      ::GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
      std::printf("%s\n", text[0] ? text : "-");
    }
    return 0;
  }
  if (command == "choose" && argc > 2) {
    HWND popup = nullptr;
    if (!WaitFor([&] { return (popup = OpenMenu()) != nullptr; }, Seconds(argc, argv, 3, 10)))
      return 1;
    // The menu's own loop reads the keys from its thread's queue, whichever
    // of the thread's windows they are posted to; Wine hands out no items.
    for (int i = std::atoi(argv[2]); i > 0; --i)
      ::PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
    return ::PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0) ? 0 : 1;
  }
  if (command == "tabs") {
    HWND tabs = main ? ::FindWindowExA(main, nullptr, "SysTabControl32", nullptr) : nullptr;
    if (!tabs)
      return 1;
    std::printf("%d\n", static_cast<int>(::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0)));
    return 0;
  }
  if ((command == "detached" || command == "detached-inner") && argc > 2)
    return Detached(argc, argv, command == "detached-inner");
  if (command == "taskbar-restart")
    return TaskbarRestart();
  if (command == "tray-icon")
    return TrayIcon(main);
  if (command == "focus")
    return Focus(main);
  if (command == "icon-centre") {
    RECT place{};
    if (!main || !IconPlace(main, place))
      return 1;
    std::printf("%ld %ld\n", (place.left + place.right) / 2, (place.top + place.bottom) / 2);
    return 0;
  }
  if (command == "menu-check")
    return MenuCheck(static_cast<int>(Seconds(argc, argv, 2, 10)));
  if (command == "shows-tip" && argc > 2)
    return ShowsTip(argv[2], Seconds(argc, argv, 3, 20));
  if (command == "endsession")
    return EndSession(main);

  if (command == "press" && argc > 3) {
    // The button may get its text later (the progress dialog's "OK").
    HWND button = nullptr;
    const bool found = WaitFor(
        [&] {
          HWND window = TopLevel(argv[2]);
          return window && (button = Child(window, argv[3])) != nullptr;
        },
        Seconds(argc, argv, 4, 20));
    if (!found)
      return 1;
    ::PostMessageA(button, BM_CLICK, 0, 0);
    return 0;
  }
  if (command == "texts" && argc > 2) {
    HWND window = nullptr;
    if (!WaitFor([&] { return (window = TopLevel(argv[2])) != nullptr; }, Seconds(argc, argv, 3, 20)))
      return 1;
    ::EnumChildWindows(window, PrintText, 0);
    return 0;
  }
  return 2;
}
