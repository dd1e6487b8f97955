// The Network dialog's rules over a fake view.

#include "app/ModalResult.h"
#include "app/NetworkForm.h"

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

const TSetNetwork kShown{{"00-1B-21-4C-7A-10", "192.168.1.1", "corp.example", ""}, TAutoSwitch::Show};
const TNetworkSignature kCurrent{"00:11:22:33:44:55", "10.0.0.1", "lab.example", "Lab Net"};

struct FormCase {
  const char* Name;
  std::optional<TNetworkSignature> Current; // "Use Current Network" pressed, with this answer
  std::optional<TNetworkSignature> Typed;   // then these edits typed
  TAutoSwitch Mode;                         // and this choice made before OK
  std::optional<TextId> Message;
  std::optional<TNetworkField> Focused; // OK refused: the edit to correct
  TSetNetwork After;
};

TEST(NetworkFormTest, ShowUseCurrentAndOkMoveTrimmedCheckedValues) {
  const TNetworkSignature none;
  const FormCase cases[] = {
      {"as shown", {}, {}, TAutoSwitch::Show, {}, {}, kShown},
      {"use current", kCurrent, {}, TAutoSwitch::Apply, {}, {}, {kCurrent, TAutoSwitch::Apply}},
      {"no adapter chosen", none, {}, TAutoSwitch::Ask, TextId::NoAdapterChosen, {}, {kShown.Network, TAutoSwitch::Ask}},
      {"trimmed, twelve digits",
       {},
       TNetworkSignature{" 001b214c7a10\t", " 10.0.0.254 ", " lab.example ", "  Guest  "},
       TAutoSwitch::Ask,
       {},
       {},
       {{"001b214c7a10", "10.0.0.254", "lab.example", "Guest"}, TAutoSwitch::Ask}},
      {"all empty", {}, none, TAutoSwitch::Apply, {}, {}, {none, TAutoSwitch::Apply}},
      {"mixed separators", {}, TNetworkSignature{"00:1B-21:4C:7A:10", "", "", ""}, TAutoSwitch::Apply,
       TextId::GatewayMacInvalid, TNetworkField::GatewayMac, kShown},
      {"five pairs", {}, TNetworkSignature{"00-1B-21-4C-7A", "", "", ""}, TAutoSwitch::Apply,
       TextId::GatewayMacInvalid, TNetworkField::GatewayMac, kShown},
      {"not hex", {}, TNetworkSignature{"00-1G-21-4C-7A-10", "", "", ""}, TAutoSwitch::Apply,
       TextId::GatewayMacInvalid, TNetworkField::GatewayMac, kShown},
      {"octet over 255", {}, TNetworkSignature{"", "192.168.1.256", "", ""}, TAutoSwitch::Apply,
       TextId::GatewayAddressInvalid, TNetworkField::GatewayAddress, kShown},
      {"three parts", {}, TNetworkSignature{"", "192.168.1", "", ""}, TAutoSwitch::Apply,
       TextId::GatewayAddressInvalid, TNetworkField::GatewayAddress, kShown},
      {"five parts", {}, TNetworkSignature{"", "1.2.3.4.5", "", ""}, TAutoSwitch::Apply,
       TextId::GatewayAddressInvalid, TNetworkField::GatewayAddress, kShown},
  };
  for (const FormCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TSetNetwork network = kShown;
    FakeNetworkView view;
    NetworkForm form(view, network, [&] { return c.Current.value_or(none); });
    form.FormShow();
    EXPECT_EQ(view.Edits, kShown.Network);
    EXPECT_EQ(view.Mode, kShown.Mode);
    if (c.Current) {
      form.bUseCurrentClick();
      EXPECT_EQ(view.Edits, *c.Current == none ? kShown.Network : *c.Current) << "an empty answer empties nothing";
    }
    if (c.Typed)
      view.Edits = *c.Typed;
    view.Mode = c.Mode;
    form.bOKClick();
    EXPECT_EQ(network, c.After);
    EXPECT_EQ(view.Result, c.Focused ? 0 : kModalOk);
    EXPECT_EQ(view.Focused, c.Focused);
    EXPECT_EQ(view.Messages, c.Message ? std::vector<std::string>{LoadText(*c.Message)} : std::vector<std::string>{});
  }
}

} // namespace
} // namespace quorvin
