#pragma once
// The settings file data.ini beside the executable: the options, the set
// captions, and the whole-file steps of deleting a set.

#include "store/ProfileFile.h"
#include "store/SetRecord.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvin {

inline constexpr std::string_view kOptionsSection = "Options";
inline constexpr std::string_view kSettingsFileName = "data.ini";
// A hand-edited "TabCount" is held to this range, so that a huge count
// cannot make loading the captions hang.
inline constexpr std::int32_t kMinTabCount = 1;
inline constexpr std::int32_t kMaxTabCount = 1000;

// Whether an interactive switch asks to keep the new network settings:
// always, only when the set's adapter items are new or changed since the set
// was last kept, or never.
enum class TKeepQuestion { Always, WhenNewOrChanged, Never };
// The seconds the question waits before it reverts, as the options dialog
// accepts them; a hand-edited value is held to this range.
inline constexpr int kMinKeepSeconds = 5;
inline constexpr int kMaxKeepSeconds = 300;

struct TOptionsSetting {
  bool AutoCloseDialog = false;
  bool AskBeforeLoad = true;
  bool AskBeforeExit = true;
  std::int32_t TabCount = 5;
  // A first start asks for new or changed sets; a file that does not name
  // the question never asks, as before the question existed.
  TKeepQuestion KeepQuestion = TKeepQuestion::Never;
  int KeepSeconds = 20;
  // Whether saving writes "AskToKeep" and "KeepSeconds": only when the file
  // named either, was new, or the user changed them, so that a file from
  // before the question saves byte for byte as it did.
  bool SaveKeepQuestion = false;
  // "Switch sets automatically": whether a set that names a network is
  // applied, asked for or shown when the adapter is found on it. On unless
  // the file says otherwise; written only once the file named it or the
  // user changed it (SaveSwitchAutomatically).
  bool SwitchAutomatically = true;
  bool SaveSwitchAutomatically = false;
  TSetRecord Snapshot; // the shown set as last loaded
};

// The option state that the main window keeps: the shown set and the
// caption of each tab, in tab order (its size is the number of tabs).
struct TWindowOptions {
  std::int32_t CurrentSet = 0;
  std::vector<std::string> SetNames;
};

enum class SettingsFileState { Existed, Missing };

std::string GetSettingsFolder();
std::string GetSettingsPath();

// Load true reads the options and the set captions, and tells whether the
// file existed (a missing one is a first start: the caller opens the help
// page). Load false writes the options, "TabCount" being the number of tabs.
SettingsFileState LoadOrSaveOptions(bool load, ProfileFile& file, TOptionsSetting& options,
                                    TWindowOptions& window);

void TakeSetSnapshot(TOptionsSetting& options, const TSetRecord& shown);
bool IsSetModified(const TOptionsSetting& options, const TSetRecord& shown);

// Replaces the first line equal to oldLine (exactly) and writes every line
// back ended by CR LF, in one atomic rewrite.
void ReplaceIniLine(const std::string& path, std::string_view oldLine, std::string_view newLine);

// Erases the section of the set at index and moves the sections after it
// (up to countAfter) one position down, both in a single atomic rewrite. The
// header moved for section k is the one the reads take for k (the first of
// that name), and only when it is written exactly "[k]".
void EraseSetSection(ProfileFile& file, int index, int countAfter);

} // namespace quorvin
