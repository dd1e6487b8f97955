#include "base/QuorvinError.h"
#include "system/Registry.h"
#include "system/sim/InMemoryRegistry.h"

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

constexpr auto kRoot = RegistryRoot::CurrentUser;
constexpr char kPath[] = "Software\\Quorvin Test";

// The error text that a call raises; empty when it raises none.
template <typename Call> std::string ErrorOf(Call call) {
  try {
    call();
  } catch (const QuorvinError& error) {
    return error.what();
  }
  return {};
}

class RegistryTest : public ::testing::Test {
protected:
  std::unique_ptr<RegistryKey> Key() {
    return FRegistry.Open(kRoot, kPath, RegistryAccess::ReadWrite, true);
  }
  InMemoryRegistry FRegistry;
};

TEST_F(RegistryTest, IntegerRoundTrip) {
  Key()->WriteInteger("Number", 0xDEADBEEF);
  const RegistryValue raw = Key()->Query("Number");
  EXPECT_EQ(raw.Type, RegistryType::Dword);
  EXPECT_EQ(raw.Data, std::string("\xEF\xBE\xAD\xDE", 4)); // little-endian
  EXPECT_EQ(Key()->ReadInteger("Number"), 0xDEADBEEFu);
}

TEST_F(RegistryTest, StringIsStoredWithItsTerminatingZero) {
  Key()->WriteString("Text", "hello");
  const RegistryValue raw = Key()->Query("Text");
  EXPECT_EQ(raw.Type, RegistryType::String);
  EXPECT_EQ(raw.Data, std::string("hello\0", 6));
  EXPECT_EQ(Key()->ReadString("Text"), "hello");
}

TEST_F(RegistryTest, MissingIntegerFailsToGetData) {
  EXPECT_EQ(ErrorOf([&] { Key()->ReadInteger("EnableDHCP"); }),
            "Failed to get data for 'EnableDHCP'");
}

TEST_F(RegistryTest, IntegerOfAnotherTypeIsInvalid) {
  Key()->WriteString("EnableDHCP", "1");
  EXPECT_EQ(ErrorOf([&] { Key()->ReadInteger("EnableDHCP"); }),
            "Invalid data type for 'EnableDHCP'");
}

TEST_F(RegistryTest, MissingStringReadsEmpty) { EXPECT_EQ(Key()->ReadString("Nothing"), ""); }

TEST_F(RegistryTest, ExpandStringReadsAsText) {
  Key()->Set("Path", RegistryType::ExpandString, std::string("%TEMP%\0", 7));
  EXPECT_EQ(Key()->ReadString("Path"), "%TEMP%");
}

TEST_F(RegistryTest, StringOfAnotherTypeIsInvalid) {
  Key()->WriteInteger("Number", 1);
  EXPECT_EQ(ErrorOf([&] { Key()->ReadString("Number"); }), "Invalid data type for 'Number'");
}

TEST_F(RegistryTest, RefusedWritesFailToSetData) {
  FRegistry.RefuseWrites(kRoot, kPath);
  EXPECT_EQ(ErrorOf([&] { Key()->WriteString("ProxyServer", "x"); }),
            "Failed to set data for 'ProxyServer'");
  EXPECT_EQ(ErrorOf([&] { Key()->WriteInteger("ProxyEnable", 1); }),
            "Failed to set data for 'ProxyEnable'");
}

TEST_F(RegistryTest, KeyOpenedForReadingRefusesWrites) {
  Key();
  auto key = FRegistry.Open(kRoot, kPath, RegistryAccess::Read, false);
  EXPECT_EQ(ErrorOf([&] { key->WriteString("Text", "x"); }), "Failed to set data for 'Text'");
}

TEST_F(RegistryTest, DeletingAMissingValueIsNoError) {
  Key()->WriteString("Text", "x");
  EXPECT_TRUE(Key()->DeleteValue("Text"));
  EXPECT_FALSE(Key()->HasValue("Text"));
  EXPECT_TRUE(Key()->DeleteValue("Text"));
}

TEST_F(RegistryTest, NamesMatchWithoutRegardToCase) {
  Key()->WriteString("MixedCase", "x");
  auto key = FRegistry.Open(kRoot, "SOFTWARE\\quorvin test", RegistryAccess::Read, false);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString("mixedcase"), "x");
}

TEST_F(RegistryTest, OpeningWithoutCreatingFindsNoMissingKey) {
  EXPECT_EQ(FRegistry.Open(kRoot, kPath, RegistryAccess::ReadWrite, false), nullptr);
  Key();
  EXPECT_NE(FRegistry.Open(kRoot, kPath, RegistryAccess::ReadWrite, false), nullptr);
  EXPECT_NE(FRegistry.Open(kRoot, "Software", RegistryAccess::Read, false), nullptr);
  EXPECT_EQ(FRegistry.Open(RegistryRoot::LocalMachine, kPath, RegistryAccess::Read, false), nullptr);
}

TEST_F(RegistryTest, LeadingBackslashMeansFromTheRoot) {
  Key()->WriteString("Text", "x");
  auto key = OpenRegistryKey(FRegistry, kRoot, "\\Software\\Quorvin Test", RegistryAccess::Read, false);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString("Text"), "x");
}

TEST_F(RegistryTest, RefusedKeyCannotBeOpenedOrCreated) {
  FRegistry.RefuseOpen(kRoot, kPath);
  EXPECT_EQ(Key(), nullptr);
}

TEST_F(RegistryTest, DeleteTreeRemovesKeysBelow) {
  FRegistry.Open(kRoot, "Software\\Quorvin Test\\Below", RegistryAccess::ReadWrite, true);
  FRegistry.DeleteTree(kRoot, kPath);
  EXPECT_EQ(FRegistry.Open(kRoot, "Software\\Quorvin Test\\Below", RegistryAccess::Read, false),
            nullptr);
  EXPECT_NE(FRegistry.Open(kRoot, "Software", RegistryAccess::Read, false), nullptr);
}

TEST(EncodeMultiString, EachStringZeroTerminatedAndOneMoreZero) {
  EXPECT_EQ(EncodeMultiString({"a", "bc"}), std::string("a\0bc\0\0", 6));
  EXPECT_EQ(EncodeMultiString({}), std::string("\0", 1));
}

} // namespace
} // namespace quorvin::test
