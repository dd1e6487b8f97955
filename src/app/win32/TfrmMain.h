#pragma once
// TfrmMain: the main window, a dialog template of its own window class. It
// shows the controller's state in its controls and forwards its events to
// the controller; the program builds the tray, the close-to-tray rule and
// the command line on top of it (SetMessageHook).

#include "app/MainController.h"
#include "app/win32/JpegPicture.h"
#include "base/win32/GdiOwners.h"
#include "base/win32/WindowBase.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace quorvin {

// The class name that a second start looks for, named by the template.
inline constexpr char kMainWindowClass[] = "Quorvin Made by Corvane Software";

class TfrmMain final : public DialogWindow, private MainView {
public:
  // Sees every message before the window; returns true when it handled
  // the message, result then being the dialog procedure's answer.
  using MessageHook = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)>;

  TfrmMain(ProfileFile& file, SystemServices& system, ShellPort& shell, SwitchRunner& runner,
           std::string settingsFolder);
  ~TfrmMain() override;

  // Creates the window hidden and centred, owned by owner, with its five
  // design tabs, and runs the controller's creation step (options and set
  // names). Throws QuorvinError when the window cannot be created.
  void Create(HWND owner);
  // The first show's part of this window: adapter box, printer box, tabs,
  // then the start set. The window is not made visible here.
  void FormShow();

  MainController& Controller() { return FController; }
  void SetMessageHook(MessageHook hook) { FHook = std::move(hook); }

  // Runs a step of the controller; an error it raises is shown in the
  // program's error box.
  void Run(const std::function<void()>& step);
  // Activate, as the button does (also for a message of the program); how
  // it ended.
  TActivateOutcome Activate();

  // For the message loop: F5 and the dialog keys (Tab, arrows, Alt+letter).
  bool PreTranslateMessage(MSG& message);

private:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void InitDialog();
  void AddHints();
  void Command(int id, int code);
  void Notify(const NMHDR& header);
  void ShowTabMenu();
  bool SetCursorFor(HWND child);
  void LayOutBand();
  void PaintBand(HDC dc);
  void DrawItem(const DRAWITEMSTRUCT& item);
  void MakeFonts();
  int BandHeight() const;
  HWND Item(int id) const { return ::GetDlgItem(FWindow, id); }
  HWND Item(PageControl control) const;

  // MainView
  bool IsChecked(PageControl control) override;
  void SetChecked(PageControl control, bool checked) override;
  std::string GetText(PageControl control) override;
  void SetText(PageControl control, const std::string& text) override;
  void SetEnabled(PageControl control, bool enabled) override;
  std::string GetCaption(PageControl control) override;
  void EndFieldEdit() override;
  int TabCount() override;
  std::string TabCaption(int index) override;
  void SetTabCaption(int index, const std::string& caption) override;
  void AppendTab(const std::string& caption) override;
  void DeleteTab(int index) override;
  int SelectedTab() override;
  void SelectTab(int index) override;
  void SetAdapterEntries(const std::vector<std::string>& entries) override;
  int AdapterIndex() override;
  void SetAdapterIndex(int index) override;
  int AdapterBoxWidth() override;
  int AdapterTextWidth(const std::string& text) override;
  void SetAdapterListWidth(int width) override;
  int ScaleToDpi(int pixels) override;
  void SetPrinterList(const std::vector<std::string>& printers) override;
  void SetCaption(const std::string& caption) override;
  void SuspendRedraw(bool suspend) override;
  void SetBusyCursor(bool busy) override;
  void SetWaiting(bool waiting) override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool AskWithDialog(const std::string& question, TOptionsSetting& options) override;
  bool AskSetName(const std::string& caption, std::string& name) override;
  void ShowOptionsDialog(TOptionsSetting& options, const TWindowOptions& window) override;
  void ShowAboutDialog() override;
  bool EditSetNetwork(TSetNetwork& network, const TCurrentNetwork& useCurrent) override;
  TKeepAnswer AskToKeep(int seconds, const std::string& gateway) override;

  ProfileFile& FFile;
  SystemServices& FSystem;
  ShellPort& FShell;
  MainController FController;
  HACCEL FAccelerators = nullptr;
  MessageHook FHook;
  std::optional<JpegPicture> FTitleBand;
  std::optional<JpegPicture> FHomePage;
  UniqueIcon FIcon;
  UniqueIcon FSmallIcon;
  UniqueIcon FUpdateIcon;
  UniqueFont FTitleFont;
  UniqueFont FLinkFont;
  bool FLinkHot = false;
  bool FBusy = false;
  HWND FFocusBeforeWait = nullptr;
};

} // namespace quorvin
