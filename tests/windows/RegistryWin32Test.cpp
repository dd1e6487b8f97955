#include "base/QuorvinError.h"
#include "support/Raised.h"
#include "system/win32/Win32Registry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace quorvin::test {
namespace {

// A private key under HKEY_CURRENT_USER, removed with everything below it.
class RegistryWin32Test : public ::testing::Test {
protected:
  RegistryWin32Test()
      : FPath("Software\\Quorvin Tests\\Registry " + std::to_string(GetCurrentProcessId())) {}
  ~RegistryWin32Test() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, FPath.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quorvin Tests"); // only when empty
  }
  std::unique_ptr<RegistryKey> Key(bool create = true,
                                   RegistryAccess access = RegistryAccess::ReadWrite) {
    return FRegistry.Open(RegistryRoot::CurrentUser, FPath, access, create);
  }

  std::string FPath;
  Win32Registry FRegistry;
};

struct TypedValue {
  const char* Name;
  std::uint32_t Type;
  std::string Data;
};

class RegistryRoundTrip : public RegistryWin32Test,
                          public ::testing::WithParamInterface<TypedValue> {};

TEST_P(RegistryRoundTrip, WrittenBytesReadBackWithTheirType) {
  const TypedValue& value = GetParam();
  ASSERT_EQ(Key()->Set(value.Name, value.Type, value.Data), RegistryStatus::Success);
  const RegistryValue read = Key(false, RegistryAccess::Read)->Query(value.Name);
  EXPECT_EQ(read.Status, RegistryStatus::Success);
  EXPECT_EQ(read.Type, value.Type);
  EXPECT_EQ(read.Data, value.Data);
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, RegistryRoundTrip,
    ::testing::Values(TypedValue{"None", REG_NONE, std::string("\x01\x02", 2)},
                      TypedValue{"String", REG_SZ, std::string("10.0.0.1:80\0", 12)},
                      TypedValue{"EmptyString", REG_SZ, std::string("\0", 1)},
                      TypedValue{"ExpandString", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9)},
                      TypedValue{"Binary", REG_BINARY, std::string("\0\xFF\x7F\0", 4)},
                      TypedValue{"EmptyBinary", REG_BINARY, std::string()},
                      TypedValue{"Dword", REG_DWORD, std::string("\x01\x00\x00\x80", 4)},
                      TypedValue{"MultiString", REG_MULTI_SZ,
                                 std::string("10.0.0.7\0" "10.0.0.8\0\0", 19)},
                      TypedValue{"Qword", REG_QWORD, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)},
                      TypedValue{"LargeBinary", REG_BINARY, std::string(70000, '\x5A')}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(RegistryWin32Test, TypedReadsAndWrites) {
  Key()->WriteString("ProxyServer", "proxy.example:8080");
  Key()->WriteInteger("ProxyEnable", 1);
  EXPECT_EQ(Key()->ReadString("ProxyServer"), "proxy.example:8080");
  EXPECT_EQ(Key()->ReadInteger("ProxyEnable"), 1u);
  DWORD type = 0;
  DWORD size = 0;
  ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, FPath.c_str(), "ProxyServer", RRF_RT_ANY, &type,
                         nullptr, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 19u); // stored with its terminating zero
}

TEST_F(RegistryWin32Test, MissingValuesAndTypesGiveTheFixedTexts) {
  auto key = Key();
  key->WriteString("Text", "1");
  const QuorvinError missing = test::RaisedBy([&] { key->ReadInteger("Nothing"); });
  EXPECT_STREQ(missing.what(), "Failed to get data for 'Nothing'");
  EXPECT_EQ(missing.Code(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
  const QuorvinError mistyped = test::RaisedBy([&] { key->ReadInteger("Text"); });
  EXPECT_STREQ(mistyped.what(), "Invalid data type for 'Text'");
  EXPECT_EQ(key->ReadString("Nothing"), "");
}

TEST_F(RegistryWin32Test, KeyOpenedForReadingRefusesWrites) {
  Key();
  auto key = Key(false, RegistryAccess::Read);
  ASSERT_NE(key, nullptr);
  const QuorvinError error = test::RaisedBy([&] { key->WriteString("Text", "x"); });
  EXPECT_STREQ(error.what(), "Failed to set data for 'Text'");
}

TEST_F(RegistryWin32Test, OpeningWithoutCreatingFindsNoMissingKey) {
  EXPECT_EQ(Key(false), nullptr);
  EXPECT_NE(Key(true), nullptr);
  EXPECT_NE(Key(false), nullptr);
}

TEST_F(RegistryWin32Test, DeleteValue) {
  auto key = Key();
  key->WriteInteger("Flag", 0);
  EXPECT_TRUE(key->DeleteValue("Flag"));
  EXPECT_FALSE(key->HasValue("Flag"));
  EXPECT_TRUE(key->DeleteValue("Flag"));
}

TEST_F(RegistryWin32Test, LeadingBackslashIsDropped) {
  Key()->WriteString("Text", "x");
  auto key = OpenRegistryKey(FRegistry, RegistryRoot::CurrentUser, "\\" + FPath,
                             RegistryAccess::Read, false);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString("Text"), "x");
}

} // namespace
} // namespace quorvin::test
