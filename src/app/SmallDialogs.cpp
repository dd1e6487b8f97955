#include "app/SmallDialogs.h"

#include "base/Texts.h"

namespace quorvin {

bool ConfirmsRename(int virtualKey) { return virtualKey == kVirtualKeyReturn; }

std::string RenameCaption(std::string_view oldName) {
  return LoadText(TextId::NewNameFor) + " \"" + std::string(oldName) + "\"";
}

std::string NewSetProposal(int tabCount) { return "SET" + std::to_string(tabCount + 1); }

void AskClick(TOptionsSetting& options, std::string_view labelText, bool ticked) {
  if (labelText == LoadText(TextId::LoadQuestion))
    options.AskBeforeLoad = !ticked;
  else
    options.AskBeforeExit = !ticked;
}

} // namespace quorvin
