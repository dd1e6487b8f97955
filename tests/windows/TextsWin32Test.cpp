#include <gtest/gtest.h>

#include "base/Texts.h"

namespace {

struct NumberedText {
  quorvin::TextId Id;
  const char* Text;
};

// The list the string table is compiled from, read here as C++: every text
// must come back from LoadStringA byte for byte, line breaks included.
constexpr NumberedText kTable[] = {
#define QUORVIN_TEXT(number, name, text) {quorvin::TextId::name, text},
#include "base/TextTable.inc"
#undef QUORVIN_TEXT
};

TEST(TextsWin32Test, EveryTextComesFromTheStringTableAsListed) {
  for (const auto& entry : kTable) {
    EXPECT_EQ(quorvin::LoadText(entry.Id), entry.Text) << static_cast<int>(entry.Id);
  }
  EXPECT_EQ(quorvin::LoadText(quorvin::TextId::TrayTip).find("\r\n"), 30u);
  EXPECT_EQ(quorvin::LoadText(static_cast<quorvin::TextId>(65199)), "") << "a number without a text";
}

} // namespace
