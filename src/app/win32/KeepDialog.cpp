// The question to keep new network settings: the countdown on a timer of
// the dialog, the gateway's answer from a thread of its own.

#include "app/win32/KeepDialog.h"

#include "app/ModalResult.h"
#include "app/win32/DialogBase.h"
#include "app/win32/resource.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace quorvin {
namespace {

constexpr UINT_PTR kCountdownTimer = 1;
constexpr unsigned kProbeTimeoutMs = 500;
constexpr auto kProbeInterval = std::chrono::seconds(1);

std::string CountdownText(int seconds) {
  return "Reverting in " + std::to_string(seconds) + (seconds == 1 ? " second." : " seconds.");
}

std::string GatewayText(const std::string& gateway, bool answers) {
  return "Gateway " + gateway + (answers ? " answers." : " does not answer.");
}

// Asks the probe about once a second and posts each answer to the dialog.
// The probe may wait its whole time-out, so this is never the UI thread;
// Stop ends the posting at once, so no answer reaches a destroyed dialog (or
// a later window that got its handle), and the destructor joins the thread.
class GatewayWatch {
public:
  GatewayWatch(GatewayProbe& probe, std::string gateway, HWND dialog)
      : FProbe(probe), FGateway(std::move(gateway)), FDialog(dialog), FThread([this] { Run(); }) {}
  GatewayWatch(const GatewayWatch&) = delete;
  GatewayWatch& operator=(const GatewayWatch&) = delete;
  ~GatewayWatch() {
    Stop();
    FThread.join();
  }

  void Stop() {
    const std::lock_guard lock(FMutex);
    FStopped = true;
    FWake.notify_all();
  }

private:
  void Run() {
    std::unique_lock lock(FMutex);
    while (!FStopped) {
      lock.unlock();
      const bool answers = FProbe.Answers(FGateway, kProbeTimeoutMs);
      lock.lock();
      if (FStopped)
        break;
      ::PostMessageA(FDialog, WM_GATEWAYANSWER, answers ? 1 : 0, 0);
      FWake.wait_for(lock, kProbeInterval, [this] { return FStopped; });
    }
  }

  GatewayProbe& FProbe;
  const std::string FGateway;
  const HWND FDialog;
  std::mutex FMutex;
  std::condition_variable FWake;
  bool FStopped = false;
  std::thread FThread; // last: it starts once everything above is ready
};

class TfrmKeep final : public DialogBase {
public:
  TfrmKeep(int seconds, std::string gateway, GatewayProbe& probe)
      : DialogBase(279, 137), FRemaining(seconds < 1 ? 1 : seconds), FGateway(std::move(gateway)), FProbe(probe) {}

private:
  void FormShow() override {
    ::SetDlgItemTextA(FWindow, IDC_KEEP_LCOUNTDOWN, CountdownText(FRemaining).c_str());
    // A window timer, not a wait: it ticks on whether or not the dialog
    // has the focus, and the message loop stays free.
    ::SetTimer(FWindow, kCountdownTimer, 1000, nullptr);
    if (!FGateway.empty())
      FWatch = std::make_unique<GatewayWatch>(FProbe, FGateway, FWindow);
    ::SetFocus(Control(IDC_KEEP_BKEEP));
    // After a switch from the tray no window of the program is in front.
    ::SetForegroundWindow(FWindow);
  }

  void Command(int id, int code) override {
    if (code != BN_CLICKED)
      return;
    if (id == IDC_KEEP_BKEEP)
      CloseWith(kModalOk);
    else if (id == IDC_KEEP_BREVERT)
      CloseWith(kModalCancel);
  }

  void Cancelled() override { CloseWith(kModalCancel); }

  INT_PTR Other(UINT message, WPARAM wParam, LPARAM) override {
    switch (message) {
    case WM_TIMER:
      if (wParam != kCountdownTimer)
        return FALSE;
      if (--FRemaining <= 0) {
        ::KillTimer(FWindow, kCountdownTimer);
        CloseWith(kModalCancel);
      } else {
        ::SetDlgItemTextA(FWindow, IDC_KEEP_LCOUNTDOWN, CountdownText(FRemaining).c_str());
      }
      return TRUE;
    case WM_GATEWAYANSWER:
      ::SetDlgItemTextA(FWindow, IDC_KEEP_LGATEWAY, GatewayText(FGateway, wParam != 0).c_str());
      return TRUE;
    case WM_DESTROY:
      ::KillTimer(FWindow, kCountdownTimer);
      if (FWatch)
        FWatch->Stop();
      return FALSE;
    default:
      return FALSE;
    }
  }

  int FRemaining;
  const std::string FGateway;
  GatewayProbe& FProbe;
  // Destroyed (joined) with the dialog's object, after the modal loop ended.
  std::unique_ptr<GatewayWatch> FWatch;
};

} // namespace

TKeepAnswer ShowKeepDialog(HWND owner, int seconds, const std::string& gateway, GatewayProbe& probe) {
  // A hidden or minimised owner would hide the question with it, or leave
  // it without a taskbar button: the dialog is then a window of its own.
  HWND shownOwner = owner && ::IsWindowVisible(owner) && !::IsIconic(owner) ? owner : nullptr;
  TfrmKeep dialog(seconds, gateway, probe);
  // A dialog that could not be shown (-1) was never answered: revert.
  return dialog.ShowModal(shownOwner, IDD_KEEP) == kModalOk ? TKeepAnswer::Keep : TKeepAnswer::Revert;
}

} // namespace quorvin
