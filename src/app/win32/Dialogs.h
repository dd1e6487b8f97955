#pragma once
// The four small dialogs and the program's error box. Each dialog is shown
// modally, centred on its owner, and gives its modal result: OK 1,
// Cancel 2, Yes 6, No 7.

#include "app/ShellPort.h"
#include "base/NetworkSignature.h"
#include "store/SetNetwork.h"
#include "store/Settings.h"
#include "system/SystemServices.h"

#include <windows.h>

#include <functional>
#include <string>

namespace quorvin {

// TfrmRename with name in its edit and caption as its title; on OK (1)
// name holds the edited text, which may be empty.
INT_PTR ShowRenameDialog(HWND owner, const std::string& caption, std::string& name);

// TfrmAskExit asking question; its "Don't ask me next time" switches the
// option that the question belongs to in options at once.
INT_PTR ShowAskDialog(HWND owner, const std::string& question, TOptionsSetting& options);

// TfrmOptions: the options and the start with Windows; OK saves the options
// with the window's state to file.
INT_PTR ShowOptionsDialog(HWND owner, TOptionsSetting& options, const TWindowOptions& window,
                          ProfileFile& file, SystemServices& services);

// TfrmNetwork over network; on OK (1) network holds what was entered,
// trimmed. Its "Use Current Network" fills the edits from useCurrent.
INT_PTR ShowNetworkDialog(HWND owner, TSetNetwork& network, const TCurrentNetwork& useCurrent);

// TfrmAbout; its address label opens the product's web page through shell.
INT_PTR ShowAboutDialog(HWND owner, ShellPort& shell);

// The general error handler: the error's text in a message box over owner.
// It is also the reporter of what reaches a window's boundary.
void ShowErrorBox(HWND owner, const std::string& text);

} // namespace quorvin
