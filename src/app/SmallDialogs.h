#pragma once
// The rules of the rename, confirmation and about dialogs.

#include "ProductVersion.h"
#include "store/Settings.h"

#include <string>
#include <string_view>

namespace quorvin {

// TfrmRename: Enter (0x0D) in the name edit confirms, whatever shift, Ctrl
// or Alt key is held; every other key goes to the edit.
inline constexpr int kVirtualKeyReturn = 0x0D;
bool ConfirmsRename(int virtualKey);

// The rename dialog's caption for a set: "New Name for "name"" (text 65202).
std::string RenameCaption(std::string_view oldName);
// The name proposed for a new set when tabCount tabs exist: "SET" and
// tabCount + 1.
std::string NewSetProposal(int tabCount);

// TfrmAskExit's cbAskClick: the question shown decides which option the
// box switches. Only the load question, compared exactly, is the load
// question; any other text is the exit question.
void AskClick(TOptionsSetting& options, std::string_view labelText, bool ticked);

// The about box's fixed lines.
inline constexpr std::string_view kAboutVersionLine =
    "Version: " QUORVIN_VERSION_TEXT "   Build " QUORVIN_BUILD_NUMBER_TEXT;
inline constexpr std::string_view kAboutNotice = QUORVIN_COPYRIGHT_TEXT;
inline constexpr std::string_view kAboutEmailLine = "Email: support@corvane.example";
inline constexpr std::string_view kAboutWebAddress = "www.corvane.example";

} // namespace quorvin
