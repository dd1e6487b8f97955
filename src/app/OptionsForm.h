#pragma once
// TfrmOptions: the three program options, the start with Windows, the
// question to keep new network settings and the switch by network. The dialog writes nothing before
// OK; OK checks the seconds, copies the boxes into the options, registers or
// removes the logon task (AutoStart.h) and saves the options, in that order.

#include "store/ProfileFile.h"
#include "store/Settings.h"
#include "system/SystemServices.h"

#include <exception>
#include <string>

namespace quorvin {

struct TOptionsChecks {
  bool AutoStart = false;
  bool AutoCloseDialog = false;
  bool AskLoad = false;
  bool AskExit = false;
  bool SwitchAutomatically = false;
  bool operator==(const TOptionsChecks&) const = default;
};

// The question to keep new network settings as the dialog shows it: the
// choice and the seconds' edit as typed.
struct TKeepChoice {
  TKeepQuestion Question = TKeepQuestion::Never;
  std::string Seconds;
  bool operator==(const TKeepChoice&) const = default;
};

class OptionsView {
public:
  virtual ~OptionsView() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetChecks(const TOptionsChecks& checks) = 0;
  virtual TOptionsChecks GetChecks() const = 0;
  virtual void SetKeepChoice(const TKeepChoice& choice) = 0;
  virtual TKeepChoice GetKeepChoice() const = 0;
  // Puts the focus on the seconds' edit, with its text selected.
  virtual void FocusKeepSeconds() = 0;
  // The program's general error handler: a message box; the dialog stays.
  virtual void ShowError(const std::exception& error) = 0;
  virtual void CloseWith(int modalResult) = 0;
};

class OptionsForm {
public:
  OptionsForm(OptionsView& view, TOptionsSetting& options, const TWindowOptions& window,
              ProfileFile& file, SystemServices& services);

  void FormShow();
  void bOKClick();

private:
  OptionsView& FView;
  TOptionsSetting& FOptions;
  const TWindowOptions& FWindow;
  ProfileFile& FFile;
  SystemServices& FServices;
};

} // namespace quorvin
