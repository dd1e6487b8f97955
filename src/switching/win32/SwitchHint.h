#pragma once
// TfrmSwitchHint: the modal dialog that runs one switch, shows the item
// being applied, then "Finished!" and the failure list.

#include "base/win32/GdiOwners.h"
#include "base/win32/WindowBase.h"
#include "switching/SwitchThreads.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorvin {

inline constexpr UINT WM_SWITCHDONE = 0x2503;
inline constexpr UINT WM_SWITCHSTART = 0x2504;

struct TSwitchHintOptions {
  bool AutoCloseDialog = false;
  bool CommandLineRun = false;
};

// What the dialog tells whoever watches it (tests, the demo), called by the
// dialog itself on the UI thread.
struct TSwitchHintHooks {
  // After each change of what it shows: caption, status, button, list,
  // height. The state can be read from the dialog's window at that moment.
  std::function<void(HWND dialog)> Changed;
  // When the run's end arrives, before the dialog may close itself: whether
  // failure lines were written, and the list's lines (heading included).
  std::function<void(bool failed, const std::vector<std::string>& listLines)> Done;
  // As it closes, with its modal result.
  std::function<void(HWND dialog, INT_PTR modalResult)> Closing;
  // An error that ends the dialog (a switch that cannot start); without a
  // hook it is shown in a message box.
  std::function<void(HWND dialog, const std::string& text)> Error;
};

class TfrmSwitchHint : public DialogWindow, private SwitchView {
public:
  static constexpr int kClientWidth = 339;
  static constexpr int kClientHeight = 256;
  static constexpr int kShortHeight = 130;
  static constexpr int kTallHeight = 290;

  TfrmSwitchHint(SwitchThreads& threads, TSwitchInput input, TSwitchHintOptions options,
                 TSwitchHintHooks hooks = {});
  ~TfrmSwitchHint() override;

  // Shows the dialog modally over owner; the modal result: 1 for the button
  // or the automatic close, 2 for the close box.
  INT_PTR ShowModal(HWND owner);

private:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // An error ends the dialog: shown through the hook, or reported.
  void HandlerFailed(const std::string& text) override;

  void FormCreate();
  void FormShow();
  void FormActivate();
  void WMSwitchStart();
  void WMSwitchDone(WPARAM failed);
  void bCancelClick();
  void CloseBox();
  void Close(INT_PTR modalResult);
  void SetOuterHeight(int height);
  void Changed();

  // What the switch thread hands over, on the UI thread.
  void SetStatus(const std::string& caption) override;
  void AppendLine(const std::string& line) override;
  void InsertHeading(const std::string& heading) override;
  void SwitchDone(bool failed) override;
  void ShowMemo();

  SwitchThreads& FThreads;
  TSwitchInput FInput;
  TSwitchHintOptions FOptions;
  TSwitchHintHooks FHooks;
  UniqueFont FPanelFont;
  UniqueFont FDialogFont;
  std::shared_ptr<SwitchSession> FSession;
  std::vector<std::string> FMemoLines;
  bool FStarted = false;
};

} // namespace quorvin
