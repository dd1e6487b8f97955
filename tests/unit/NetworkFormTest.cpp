// The Network dialog's rules over a fake view.

#include "app/NetworkForm.h"
#include "app/ModalResult.h"

#include "base/Texts.h"

#include <gtest/gtest.h>

#include <optional>

namespace quorvin {
namespace {

class FakeNetworkView final : public NetworkView {
public:
  void SetNetwork(const TNetworkSignature& network) override { Edits = network; }
  TNetworkSignature GetNetwork() const override { return Edits; }
  void SetMode(TAutoSwitch mode) override { Mode = mode; }
  TAutoSwitch GetMode() const override { return Mode; }
  void FocusField(TNetworkField field) override { Focused = field; }
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  void CloseWith(int modalResult) override { Result = modalResult; }

  TNetworkSignature Edits;
  TAutoSwitch Mode = TAutoSwitch::Ask;
  std::optional<TNetworkField> Focused;
  std::vector<std::string> Messages;
  int Result = 0;
};

using F = TNetworkField;
using T = TextId;

const TNetworkSignature kNone;
const TSetNetwork kShown{{"00-1B-21-4C-7A-10", "192.168.1.1", "corp.example", ""}, TAutoSwitch::Show};
const TNetworkSignature kCurrent{"00:11:22:33:44:55", "10.0.0.1", "lab.example", "Lab Net"};
const TNetworkSignature kUntrimmed{" 001b214c7a10\t", " ", " lab.example ", " Guest "};

struct FormCase {
  const char* Name;
  std::optional<TNetworkSignature> Current; // "Use Current Network" pressed, with this answer
  std::optional<TNetworkSignature> Typed;   // then these edits typed, and the mode of After chosen
  std::optional<TextId> Message;
  std::optional<TNetworkField> Refused; // OK refused, the focus on this edit
  TSetNetwork After;
  bool AdapterChosen = true;
};

TEST(NetworkFormTest, ShowUseCurrentAndOkMoveTrimmedCheckedValues) {
  const auto mac = [](const char* text) { return TNetworkSignature{text, "", "", ""}; };
  const auto address = [](const char* text) { return TNetworkSignature{"", text, "", ""}; };
  const FormCase cases[] = {
      {"as shown", {}, {}, {}, {}, kShown},
      {"use current", kCurrent, {}, {}, {}, {kCurrent, TAutoSwitch::Apply}},
      {"no adapter chosen", kNone, {}, T::NoAdapterChosen, {}, {kShown.Network, TAutoSwitch::Ask}, false},
      {"no network seen", kNone, {}, T::NoNetworkSeen, {}, {kShown.Network, TAutoSwitch::Ask}},
      {"trimmed", {}, kUntrimmed, {}, {}, {{"001b214c7a10", "", "lab.example", "Guest"}, TAutoSwitch::Ask}},
      {"mixed separators", {}, mac("00:1B-21:4C:7A:10"), T::GatewayMacInvalid, F::GatewayMac, kShown},
      {"not hex", {}, mac("00-1G-21-4C-7A-10"), T::GatewayMacInvalid, F::GatewayMac, kShown},
      {"octet over 255", {}, address("192.168.1.256"), T::GatewayAddressInvalid, F::GatewayAddress, kShown},
      {"three parts", {}, address("192.168.1"), T::GatewayAddressInvalid, F::GatewayAddress, kShown},
  };
  for (const FormCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TSetNetwork network = kShown;
    FakeNetworkView view;
    NetworkForm form(view, network, [&] { return c.AdapterChosen ? c.Current : std::nullopt; });
    form.FormShow();
    EXPECT_EQ(view.Mode, kShown.Mode);
    if (c.Current)
      form.bUseCurrentClick();
    EXPECT_EQ(view.Edits, c.Current && *c.Current != kNone ? *c.Current : kShown.Network);
    view.Edits = c.Typed.value_or(view.Edits);
    view.Mode = c.After.Mode;
    form.bOKClick();
    EXPECT_EQ(view.Messages, c.Message ? std::vector<std::string>{LoadText(*c.Message)} : std::vector<std::string>{});
    EXPECT_EQ(network, c.After);
    EXPECT_EQ(view.Result, c.Refused ? 0 : kModalOk);
    EXPECT_EQ(view.Focused, c.Refused);
  }
}

} // namespace
} // namespace quorvin
