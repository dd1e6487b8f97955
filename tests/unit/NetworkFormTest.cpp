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

const TNetworkSignature kNone;
const TSetNetwork kShown{{"00-1B-21-4C-7A-10", "192.168.1.1", "corp.example", ""}, TAutoSwitch::Show};
const TNetworkSignature kCurrent{"00:11:22:33:44:55", "10.0.0.1", "lab.example", "Lab Net"};

TNetworkSignature Mac(const char* mac) { return {mac, "", "", ""}; }
TNetworkSignature Address(const char* address) { return {"", address, "", ""}; }

struct FormCase {
  const char* Name;
  std::optional<TNetworkSignature> Current; // "Use Current Network" pressed, with this answer
  std::optional<TNetworkSignature> Typed;   // then these edits typed, and the mode of After chosen
  std::optional<TNetworkField> Refused;     // OK refused, the focus on this edit
  TSetNetwork After;
};

TEST(NetworkFormTest, ShowUseCurrentAndOkMoveTrimmedCheckedValues) {
  const FormCase cases[] = {
      {"as shown", {}, {}, {}, kShown},
      {"use current", kCurrent, {}, {}, {kCurrent, TAutoSwitch::Apply}},
      {"no adapter chosen", kNone, {}, {}, {kShown.Network, TAutoSwitch::Ask}},
      {"trimmed, twelve digits",
       {},
       TNetworkSignature{" 001b214c7a10\t", " 10.0.0.254 ", " lab.example ", "  Guest  "},
       {},
       {{"001b214c7a10", "10.0.0.254", "lab.example", "Guest"}, TAutoSwitch::Ask}},
      {"all empty", {}, kNone, {}, {kNone, TAutoSwitch::Apply}},
      {"mixed separators", {}, Mac("00:1B-21:4C:7A:10"), TNetworkField::GatewayMac, kShown},
      {"five pairs", {}, Mac("00-1B-21-4C-7A"), TNetworkField::GatewayMac, kShown},
      {"not hex", {}, Mac("00-1G-21-4C-7A-10"), TNetworkField::GatewayMac, kShown},
      {"octet over 255", {}, Address("192.168.1.256"), TNetworkField::GatewayAddress, kShown},
      {"three parts", {}, Address("192.168.1"), TNetworkField::GatewayAddress, kShown},
      {"five parts", {}, Address("1.2.3.4.5"), TNetworkField::GatewayAddress, kShown},
  };
  for (const FormCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TSetNetwork network = kShown;
    FakeNetworkView view;
    NetworkForm form(view, network, [&] { return c.Current.value_or(kNone); });
    form.FormShow();
    EXPECT_EQ(view.Edits, kShown.Network);
    EXPECT_EQ(view.Mode, kShown.Mode);
    std::vector<std::string> messages;
    if (c.Current) {
      form.bUseCurrentClick();
      const bool noAdapter = *c.Current == kNone;
      EXPECT_EQ(view.Edits, noAdapter ? kShown.Network : *c.Current) << "an empty answer empties nothing";
      if (noAdapter)
        messages.push_back(LoadText(TextId::NoAdapterChosen));
    }
    if (c.Typed)
      view.Edits = *c.Typed;
    view.Mode = c.After.Mode;
    form.bOKClick();
    if (c.Refused)
      messages.push_back(LoadText(*c.Refused == TNetworkField::GatewayMac ? TextId::GatewayMacInvalid
                                                                          : TextId::GatewayAddressInvalid));
    EXPECT_EQ(network, c.After);
    EXPECT_EQ(view.Result, c.Refused ? 0 : kModalOk);
    EXPECT_EQ(view.Focused, c.Refused);
    EXPECT_EQ(view.Messages, messages);
  }
}

} // namespace
} // namespace quorvin
