#pragma once
// TfrmNetwork: the network a set belongs to (its gateway's MAC address and
// address, the DNS suffix, the Wi-Fi network's name) and what Quorvin does
// when the set's adapter is on it. The record changes only on OK, and only
// with values that passed the checks, trimmed.

#include "store/SetNetwork.h"

#include <functional>
#include <string>

namespace quorvin {

// The edits that OK checks, for the focus after a refusal.
enum class TNetworkField { GatewayMac, GatewayAddress };

class NetworkView {
public:
  virtual ~NetworkView() = default;
  // The four edits, texts as typed.
  virtual void SetNetwork(const TNetworkSignature& network) = 0;
  virtual TNetworkSignature GetNetwork() const = 0;
  // The three radio buttons.
  virtual void SetMode(TAutoSwitch mode) = 0;
  virtual TAutoSwitch GetMode() const = 0;
  // Puts the focus on the edit, with its text selected.
  virtual void FocusField(TNetworkField field) = 0;
  // An information box over the dialog; the dialog stays.
  virtual void ShowMessage(const std::string& text) = 0;
  virtual void CloseWith(int modalResult) = 0;
};

class NetworkForm {
public:
  // useCurrent: what the shown set's adapter sees now; nothing when no
  // adapter is chosen.
  NetworkForm(NetworkView& view, TSetNetwork& network, TCurrentNetwork useCurrent);

  void FormShow();
  // "Use Current Network": the four edits from useCurrent. Without an
  // adapter, or with an adapter on no network it can see, a message says
  // so and the edits stay as they are, so that nothing typed is lost.
  void bUseCurrentClick();
  // A MAC address that is not six hex pairs, or an address that is no
  // dotted quad, is shown and keeps the dialog open with the record as it
  // was; empty edits name nothing and pass.
  void bOKClick();

private:
  NetworkView& FView;
  TSetNetwork& FNetwork;
  TCurrentNetwork FUseCurrent;
};

} // namespace quorvin
