#include "app/NetworkForm.h"

#include "app/ModalResult.h"
#include "base/Texts.h"
#include "store/IniDocument.h"
#include "switching/DottedQuad.h"

#include <string_view>

namespace quorvin {
namespace {

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

std::string Trimmed(std::string_view text) { return std::string(TrimBlanks(text)); }

// "00-1B-21-4C-7A-10", "00:1b:21:4c:7a:10" (one separator throughout) or
// "001B214C7A10".
bool IsMacAddress(std::string_view text) {
  constexpr std::size_t kPairs = 6;
  if (text.size() == 2 * kPairs) {
    for (const char c : text)
      if (!IsHexDigit(c))
        return false;
    return true;
  }
  if (text.size() != 3 * kPairs - 1 || (text[2] != ':' && text[2] != '-'))
    return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool separator = i % 3 == 2;
    if (separator ? text[i] != text[2] : !IsHexDigit(text[i]))
      return false;
  }
  return true;
}

} // namespace

NetworkForm::NetworkForm(NetworkView& view, TSetNetwork& network, TCurrentNetwork useCurrent)
    : FView(view), FNetwork(network), FUseCurrent(std::move(useCurrent)) {}

void NetworkForm::FormShow() {
  FView.SetNetwork(FNetwork.Network);
  FView.SetMode(FNetwork.Mode);
}

void NetworkForm::bUseCurrentClick() {
  const std::optional<TNetworkSignature> current = FUseCurrent ? FUseCurrent() : std::nullopt;
  if (!current) {
    FView.ShowMessage(LoadText(TextId::NoAdapterChosen));
    return;
  }
  if (*current == TNetworkSignature()) {
    FView.ShowMessage(LoadText(TextId::NoNetworkSeen));
    return;
  }
  FView.SetNetwork(*current);
}

void NetworkForm::bOKClick() {
  const TNetworkSignature typed = FView.GetNetwork();
  TNetworkSignature network{Trimmed(typed.GatewayMac), Trimmed(typed.GatewayAddress), Trimmed(typed.DnsSuffix),
                            Trimmed(typed.Ssid)};
  if (!network.GatewayMac.empty() && !IsMacAddress(network.GatewayMac)) {
    FView.ShowMessage(LoadText(TextId::GatewayMacInvalid));
    FView.FocusField(TNetworkField::GatewayMac);
    return;
  }
  if (!network.GatewayAddress.empty() && !ParseDottedQuad(network.GatewayAddress)) {
    FView.ShowMessage(LoadText(TextId::GatewayAddressInvalid));
    FView.FocusField(TNetworkField::GatewayAddress);
    return;
  }
  FNetwork.Network = std::move(network);
  FNetwork.Mode = FView.GetMode();
  FView.CloseWith(kModalOk);
}

} // namespace quorvin
