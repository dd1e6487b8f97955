#include "store/IniValues.h"

#include "store/PortableProfileFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace quorvin {
namespace {

struct IntegerCase {
  const char* Text;
  std::optional<std::int32_t> Expected;
};

TEST(IniValues, ParsesTheIntegerForms) {
  const IntegerCase cases[] = {
      {"0", 0},           {"42", 42},         {"-3", -3},          {"+7", 7},
      {"$1F", 31},        {"0x1f", 31},       {"0X10", 16},        {"0x0", 0},
      {"-$10", -16},      {"$FFFFFFFF", -1},  {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},       {"2147483648", std::nullopt},
      {"$100000000", std::nullopt},           {"", std::nullopt},  {"yes", std::nullopt},
      {"12abc", std::nullopt}, {"0x", std::nullopt}, {"$", std::nullopt}, {"-", std::nullopt},
      {"--1", std::nullopt},  {"0x-1", std::nullopt}, {" 1", std::nullopt}, {"1.5", std::nullopt},
      {"99999999999999999999999", std::nullopt},
  };
  for (const IntegerCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(ParseInteger(c.Text), c.Expected);
  }
}

TEST(IniValues, ReadsBooleansAsIntegersWithDefaults) {
  test::TempFolder folder;
  test::WriteBytes(folder.File("data.ini"),
                   "[o]\r\nyes=yes\r\nhex0=0x0\r\nnine=9\r\nempty=\r\nzero=0\r\n");
  PortableProfileFile file(folder.File("data.ini"));
  EXPECT_TRUE(ReadBool(file, "o", "yes", true));
  EXPECT_FALSE(ReadBool(file, "o", "yes", false));
  EXPECT_FALSE(ReadBool(file, "o", "hex0", true));
  EXPECT_TRUE(ReadBool(file, "o", "nine", false));
  EXPECT_TRUE(ReadBool(file, "o", "empty", true));
  EXPECT_FALSE(ReadBool(file, "o", "zero", true));
  EXPECT_TRUE(ReadBool(file, "o", "missing", true));
}

TEST(IniValues, WritesDecimalAndOneOrZero) {
  test::TempFolder folder;
  PortableProfileFile file(folder.File("data.ini"));
  WriteInteger(file, "o", "n", -12);
  WriteBool(file, "o", "t", true);
  WriteBool(file, "o", "f", false);
  EXPECT_EQ(test::ReadBytes(file.Path()), "[o]\r\nn=-12\r\nt=1\r\nf=0\r\n");
}

} // namespace
} // namespace quorvin
