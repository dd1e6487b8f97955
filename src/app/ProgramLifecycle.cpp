#include "app/ProgramLifecycle.h"

#include "base/AsciiCase.h"

namespace quorvin {

std::optional<int> FindCommandLineSet(std::string_view argument, const std::vector<std::string>& captions) {
  // The slash may stand anywhere, but only the first character is dropped:
  // "x/Home" names the set "/HOME".
  if (argument.find('/') == std::string_view::npos)
    return std::nullopt;
  const std::string_view wanted = argument.substr(1);
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (EqualsIgnoringCase(captions[i], wanted))
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
