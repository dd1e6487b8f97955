// TfrmNetwork: moves the four edits and the three radio buttons to and from
// the network form.

#include "app/ModalResult.h"
#include "app/NetworkForm.h"
#include "app/win32/DialogBase.h"
#include "app/win32/Dialogs.h"
#include "app/win32/resource.h"
#include "base/Texts.h"

namespace quorvin {
namespace {

// The radio buttons in the order of TAutoSwitch.
constexpr int kModeButtons[] = {IDC_RBAPPLYAUTOMATICALLY, IDC_RBASKFIRST, IDC_RBONLYSHOW};

class TfrmNetwork final : public DialogBase, private NetworkView {
public:
  TfrmNetwork(TSetNetwork& network, const TCurrentNetwork& useCurrent)
      : DialogBase(345, 299), FForm(*this, network, useCurrent) {}

private:
  void FormShow() override { FForm.FormShow(); }

  void Command(int id, int code) override {
    if (code != BN_CLICKED)
      return;
    if (id == IDC_BUSECURRENTNETWORK)
      FForm.bUseCurrentClick();
    else if (id == IDC_NETWORK_BOK)
      FForm.bOKClick();
    else if (id == IDC_NETWORK_BCANCEL)
      DialogBase::CloseWith(kModalCancel);
  }

  void SetNetwork(const TNetworkSignature& network) override {
    ::SetDlgItemTextA(FWindow, IDC_EGATEWAYMAC, network.GatewayMac.c_str());
    ::SetDlgItemTextA(FWindow, IDC_EGATEWAYADDRESS, network.GatewayAddress.c_str());
    ::SetDlgItemTextA(FWindow, IDC_EDNSSUFFIX, network.DnsSuffix.c_str());
    ::SetDlgItemTextA(FWindow, IDC_ESSID, network.Ssid.c_str());
  }

  TNetworkSignature GetNetwork() const override {
    return {ControlText(IDC_EGATEWAYMAC), ControlText(IDC_EGATEWAYADDRESS), ControlText(IDC_EDNSSUFFIX),
            ControlText(IDC_ESSID)};
  }

  void SetMode(TAutoSwitch mode) override {
    ::CheckRadioButton(FWindow, IDC_RBAPPLYAUTOMATICALLY, IDC_RBONLYSHOW, kModeButtons[static_cast<int>(mode)]);
  }

  TAutoSwitch GetMode() const override {
    if (Checked(IDC_RBAPPLYAUTOMATICALLY))
      return TAutoSwitch::Apply;
    return Checked(IDC_RBONLYSHOW) ? TAutoSwitch::Show : TAutoSwitch::Ask;
  }

  void FocusField(TNetworkField field) override {
    const int id = field == TNetworkField::GatewayMac ? IDC_EGATEWAYMAC : IDC_EGATEWAYADDRESS;
    // WM_NEXTDLGCTL rather than SetFocus: the dialog manager then also
    // selects the edit's text.
    ::SendMessageA(FWindow, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(id)), TRUE);
  }

  void ShowMessage(const std::string& text) override {
    ::MessageBoxA(FWindow, text.c_str(), LoadText(TextId::ProductCaption).c_str(), MB_OK | MB_ICONINFORMATION);
  }

  void CloseWith(int modalResult) override { DialogBase::CloseWith(modalResult); }

  NetworkForm FForm;
};

} // namespace

INT_PTR ShowNetworkDialog(HWND owner, TSetNetwork& network, const TCurrentNetwork& useCurrent) {
  TfrmNetwork dialog(network, useCurrent);
  return dialog.ShowModal(owner, IDD_NETWORK);
}

} // namespace quorvin
