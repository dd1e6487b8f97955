#pragma once
// TfrmOptions: the three program options and the start with Windows. The
// dialog writes nothing before OK; OK copies the boxes into the options,
// registers or removes the logon task (AutoStart.h) and saves the options,
// in that order.

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
  bool operator==(const TOptionsChecks&) const = default;
};

class OptionsView {
public:
  virtual ~OptionsView() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetChecks(const TOptionsChecks& checks) = 0;
  virtual TOptionsChecks GetChecks() const = 0;
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
