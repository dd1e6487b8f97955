#include "app/ProgramLifecycle.h"

#include "base/AsciiCase.h"
#include "base/Texts.h"

#include <algorithm>

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

bool IsUndoArgument(std::string_view argument, const std::vector<std::string>& captions) {
  return EqualsIgnoringCase(argument, "/undo") && !FindCommandLineSet(argument, captions);
}

int CommandLineExitCode(TActivateEnd end) {
  switch (end) {
  case TActivateEnd::Applied: return kExitApplied;
  case TActivateEnd::Failed: return kExitFailed;
  case TActivateEnd::Refused: return kExitRefused;
  case TActivateEnd::Unfinished: break;
  }
  return kExitUnfinished;
}

std::vector<std::string> ConsoleLines(const TActivateOutcome& outcome) {
  if (outcome.End == TActivateEnd::Failed || outcome.End == TActivateEnd::Refused)
    return outcome.Lines;
  return {};
}

bool HandsOverToRunningInstance(std::string_view argument) { return argument.find('/') != std::string_view::npos; }

THandOverDecision DecideHandOver(std::string_view argument, const std::vector<std::string>& captions, bool canTake) {
  if (!canTake)
    return {THandOver::Busy};
  if (const auto index = FindCommandLineSet(argument, captions))
    return {THandOver::Apply, *index};
  if (IsUndoArgument(argument, captions))
    return {THandOver::Apply, -1, true};
  return {THandOver::NoSuchSet};
}

int HandOverExitCode(THandOver answer) {
  switch (answer) {
  case THandOver::Busy: return kExitBusy;
  case THandOver::NoSuchSet: return kExitRefused;
  case THandOver::Apply: break;
  }
  return kExitUnfinished; // an applied set answers with its run's code
}

std::vector<std::string> HandOverLines(THandOver answer, std::string_view argument) {
  switch (answer) {
  case THandOver::Busy: return {"Quorvin is busy"};
  case THandOver::NoSuchSet:
    return {"No set is named \"" + std::string(argument.empty() ? argument : argument.substr(1)) + "\""};
  case THandOver::Apply: break;
  }
  return {};
}

std::string EncodeRunReply(int exitCode, const std::vector<std::string>& lines) {
  std::string bytes = std::to_string(exitCode) + "\n";
  for (std::string line : lines) {
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    bytes.append(line).append("\n");
  }
  return bytes;
}

std::optional<TRunReply> DecodeRunReply(std::string_view bytes) {
  if (bytes.empty() || bytes.back() != '\n')
    return std::nullopt;
  TRunReply reply;
  const std::size_t codeEnd = bytes.find('\n');
  const std::string_view code = bytes.substr(0, codeEnd);
  if (code.empty() || code.size() > 3 || !std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  reply.ExitCode = std::stoi(std::string(code));
  if (reply.ExitCode > kExitBusy)
    return std::nullopt;
  for (std::size_t start = codeEnd + 1; start < bytes.size();) {
    const std::size_t end = bytes.find('\n', start);
    reply.Lines.emplace_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  return reply;
}

namespace {

enum TrayCommand : unsigned { kTrayOpen = 1, kTrayHelp, kTrayAbout, kTrayExit, kTrayUndo };

// A caption is shown as it stands: an "&" in a set's name is no access key.
std::string MenuText(const std::string& caption) {
  std::string text;
  for (const char c : caption) {
    if (c == '&')
      text += '&';
    text += c;
  }
  return text;
}

} // namespace

std::vector<TTrayMenuItem> TrayMenuItems(const std::vector<std::string>& setCaptions, bool setsEnabled,
                                         bool undoEnabled, const TTrayMarks& marks) {
  std::vector<TTrayMenuItem> items;
  const std::size_t listed = std::min<std::size_t>(setCaptions.size(), kTraySetCommandLast - kTraySetCommandFirst + 1);
  const auto marked = [](const std::vector<int>& sets, std::size_t i) {
    return std::ranges::find(sets, static_cast<int>(i)) != sets.end();
  };
  for (std::size_t i = 0; i < listed; ++i) {
    std::string caption = MenuText(setCaptions[i]);
    if (marked(marks.ThisNetwork, i))
      caption += "\t" + LoadText(TextId::ThisNetworkMark);
    items.push_back({kTraySetCommandFirst + static_cast<unsigned>(i), caption, setsEnabled, marked(marks.InEffect, i)});
  }
  items.push_back({kTrayUndo, "&Undo Last Switch", undoEnabled});
  items.push_back({});
  items.push_back({kTrayOpen, "&Open"});
  items.push_back({});
  items.push_back({kTrayHelp, "Online &Help"});
  items.push_back({});
  items.push_back({kTrayAbout, "&About"});
  items.push_back({});
  items.push_back({kTrayExit, "E&xit"});
  return items;
}

TTrayChoice TrayMenuChoice(unsigned command, std::size_t setCount) {
  switch (command) {
  case kTrayUndo: return {TTrayAction::Undo};
  case kTrayOpen: return {TTrayAction::Open};
  case kTrayHelp: return {TTrayAction::Help};
  case kTrayAbout: return {TTrayAction::About};
  case kTrayExit: return {TTrayAction::Exit};
  default: break;
  }
  if (command >= kTraySetCommandFirst && command <= kTraySetCommandLast && command - kTraySetCommandFirst < setCount)
    return {TTrayAction::ActivateSet, static_cast<int>(command - kTraySetCommandFirst)};
  return {};
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
