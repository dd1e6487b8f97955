#include "app/ProgramLifecycle.h"

#include <algorithm>
#include <cctype>

namespace quorvin {

namespace {

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

} // namespace

std::optional<int> FindCommandLineSet(std::string_view argument, const std::vector<std::string>& captions) {
  // The slash may stand anywhere, but only the first character is dropped:
  // "x/Home" names the set "/HOME".
  if (argument.find('/') == std::string_view::npos)
    return std::nullopt;
  const std::string wanted = UpperCase(argument.substr(1));
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (UpperCase(captions[i]) == wanted)
      return static_cast<int>(i);
  }
  return std::nullopt;
}

bool TProgramLifecycle::CloseRequest() {
  if (FCloseMode == TCloseMode::Exiting)
    return true;
  FCloseMode = TCloseMode::TrayPending;
  return false;
}

bool TProgramLifecycle::HideCommand() {
  if (FCloseMode != TCloseMode::TrayPending)
    return false;
  FCloseMode = TCloseMode::Normal;
  return true;
}

bool TProgramLifecycle::Activated() {
  // Only the first activation hides: later ones come from the program's own
  // dialogs handing the focus back, and the user has shown the window.
  const bool first = !FActivatedBefore;
  FActivatedBefore = true;
  return first && FFirstArgument == kStartHiddenArgument;
}

} // namespace quorvin
