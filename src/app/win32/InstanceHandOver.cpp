#include "app/win32/InstanceHandOver.h"

#include "app/win32/StartingConsole.h"
#include "base/win32/HandleOwners.h"
#include "base/win32/WindowBase.h"

namespace quorvin {

namespace {

// The data's kinds, so that a WM_COPYDATA of anyone else is never taken for
// ours; and the window's answers. Zero is what a window that does not know
// the request answers.
constexpr ULONG_PTR kHandOverRequest = 0x51564801; // "QVH" 1
constexpr ULONG_PTR kHandOverReply = 0x51564802;
constexpr LRESULT kAnswerApplying = 0x5101;
constexpr LRESULT kAnswerNoSuchSet = 0x5102;
constexpr LRESULT kAnswerBusy = 0x5103;
// A set's name is a tab caption; anything longer is no argument of ours.
constexpr DWORD kMaxArgumentLength = 4096;
constexpr DWORD kMaxReplyLength = 1 << 20;
// A running instance that does not answer its window in this time counts
// as busy.
constexpr UINT kAnswerMilliseconds = 10000;
constexpr char kReplyClass[] = "QuorvinHandOverReply";

// A message-only window that keeps the first reply it receives.
class TReplyWindow final : public WindowBase {
public:
  TReplyWindow() { CreateFor(kReplyClass, 0, 0, HWND_MESSAGE); }
  ~TReplyWindow() override {
    if (FWindow)
      ::DestroyWindow(FWindow);
  }

  const std::optional<TRunReply>& Reply() const { return FReply; }

private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_COPYDATA)
      return WindowBase::HandleMessage(message, wParam, lParam);
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data.dwData != kHandOverReply || data.cbData > kMaxReplyLength || FReply || (data.cbData != 0 && !data.lpData))
      return FALSE;
    FReply = DecodeRunReply(std::string_view(static_cast<const char*>(data.lpData), data.cbData));
    return FReply ? TRUE : FALSE;
  }

  std::optional<TRunReply> FReply;
};

int Answered(THandOver answer, const std::string& argument) {
  WriteToStartingConsole(HandOverLines(answer, argument));
  return HandOverExitCode(answer);
}

} // namespace

int HandOverToRunningInstance(HWND running, const std::string& argument) {
  TReplyWindow reply;
  DWORD processId = 0;
  ::GetWindowThreadProcessId(running, &processId);
  UniqueHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
  if (!reply.Handle() || !process)
    return Answered(THandOver::Busy, argument);
  // The progress dialog of the running instance may come to the front.
  ::AllowSetForegroundWindow(processId);
  COPYDATASTRUCT data{kHandOverRequest, static_cast<DWORD>(argument.size()), const_cast<char*>(argument.data())};
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutA(running, WM_COPYDATA, reinterpret_cast<WPARAM>(reply.Handle()),
                             reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerMilliseconds, &answer))
    return Answered(THandOver::Busy, argument);
  if (answer == kAnswerNoSuchSet) {
    // The running window has shown itself, as for any second start.
    ::SetForegroundWindow(running);
    return Answered(THandOver::NoSuchSet, argument);
  }
  if (answer != kAnswerApplying)
    return Answered(THandOver::Busy, argument);
  // The reply comes as a sent message, which a message wait delivers; the
  // running instance may also end before it replies.
  HANDLE ended = process.get();
  while (!reply.Reply()) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    if (reply.Reply())
      break;
    if (::MsgWaitForMultipleObjects(1, &ended, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0)
      break;
  }
  if (!reply.Reply())
    return kExitUnfinished;
  WriteToStartingConsole(reply.Reply()->Lines);
  return reply.Reply()->ExitCode;
}

std::optional<std::string> HandedOverArgument(const COPYDATASTRUCT& data) {
  if (data.dwData != kHandOverRequest || data.cbData > kMaxArgumentLength || (data.cbData > 0 && !data.lpData))
    return std::nullopt;
  std::string argument(static_cast<const char*>(data.lpData), data.cbData);
  if (argument.find('\0') != std::string::npos)
    return std::nullopt;
  return argument;
}

LRESULT HandOverAnswer(THandOver answer) {
  switch (answer) {
  case THandOver::Apply: return kAnswerApplying;
  case THandOver::NoSuchSet: return kAnswerNoSuchSet;
  case THandOver::Busy: break;
  }
  return kAnswerBusy;
}

void SendRunReply(HWND from, HWND to, int exitCode, const std::vector<std::string>& lines) {
  if (!::IsWindow(to))
    return;
  const std::string bytes = EncodeRunReply(exitCode, lines);
  COPYDATASTRUCT data{kHandOverReply, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&data),
                        SMTO_ABORTIFHUNG, kAnswerMilliseconds, &ignored);
}

} // namespace quorvin
