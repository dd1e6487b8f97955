#include "system/OsVersion.h"
#include "system/sim/InMemoryHost.h"

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

struct VersionCase {
  std::uint32_t Platform;
  std::uint32_t Major;
  std::uint32_t Minor;
  int Code;
};

class OsVersionCodeTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(OsVersionCodeTest, GivesTheCode) {
  const VersionCase& c = GetParam();
  EXPECT_EQ(OsVersionCode({c.Platform, c.Major, c.Minor}), c.Code);
}

constexpr std::uint32_t k9x = kPlatformWindows9x;
constexpr std::uint32_t kNt = kPlatformNt;

INSTANTIATE_TEST_SUITE_P(
    Table, OsVersionCodeTest,
    ::testing::Values(VersionCase{k9x, 4, 0, 1},    // Windows 95
                      VersionCase{k9x, 4, 10, 3},   // Windows 98
                      VersionCase{k9x, 4, 90, 8},   // Windows Me
                      VersionCase{k9x, 4, 3, 11},   // not in the table
                      VersionCase{k9x, 5, 0, 11},
                      VersionCase{kNt, 3, 51, 5},   // NT 3.51
                      VersionCase{kNt, 4, 0, 6},    // NT 4
                      VersionCase{kNt, 5, 0, 7},    // 2000
                      VersionCase{kNt, 5, 1, 9},    // XP
                      VersionCase{kNt, 5, 2, 10},   // Server 2003
                      VersionCase{kNt, 5, 3, 7},
                      VersionCase{kNt, 6, 0, 11},   // Vista
                      VersionCase{kNt, 6, 1, 11},   // 7
                      VersionCase{kNt, 10, 0, 11},  // 10 and 11
                      VersionCase{kNt, 2, 0, 11},
                      VersionCase{0, 4, 0, 1},      // Win32s counts as "not NT"
                      VersionCase{0, 0, 0, 11}),    // the version could not be read
    [](const auto& info) {
      const VersionCase& c = info.param;
      return "Platform" + std::to_string(c.Platform) + "_" + std::to_string(c.Major) + "_" +
             std::to_string(c.Minor);
    });

TEST(OsVersionCode, CodesTwoAndFourAreNeverGiven) {
  for (std::uint32_t platform : {0u, 1u, 2u, 3u})
    for (std::uint32_t major = 0; major < 12; ++major)
      for (std::uint32_t minor = 0; minor < 100; ++minor) {
        const int code = OsVersionCode({platform, major, minor});
        ASSERT_NE(code, 2);
        ASSERT_NE(code, 4);
      }
}

TEST(GetOsVersionCode, AsksTheHost) {
  InMemoryHost host;
  host.VersionValue = {kPlatformNt, 5, 1};
  EXPECT_EQ(GetOsVersionCode(host), 9);
}

} // namespace
} // namespace quorvin::test
