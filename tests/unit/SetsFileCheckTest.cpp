#include "app/SetsFileCheck.h"

#include "store/PortableProfileFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>

namespace quorvin {
namespace {

struct SetsFileCase {
  const char* Name;
  std::optional<std::string> Bytes; // none: no file at the path
  int ExitCode;
  const char* ReasonHolds;
};

class SetsFileCheckTest : public ::testing::TestWithParam<SetsFileCase> {};

TEST_P(SetsFileCheckTest, LoadsWhatAStartLoadsAndRefusesTheRestWithAReason) {
  test::TempFolder folder;
  const std::string path = folder.File("sets.ini");
  if (GetParam().Bytes)
    test::WriteBytes(path, *GetParam().Bytes);
  PortableProfileFile file(path);
  const TSetsFileCheck check = CheckSetsFile(file);
  EXPECT_EQ(check.ExitCode, GetParam().ExitCode) << check.Reason;
  EXPECT_NE(check.Reason.find(GetParam().ReasonHolds), std::string::npos) << check.Reason;
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Files, SetsFileCheckTest,
    ::testing::Values(
        SetsFileCase{"Saved", "[Options]\r\nTabCount=2\r\n[0]\r\nCaption=Office\r\n[1]\r\nCaption=Home\r\n",
                     kSetsFileLoads, "2 sets"},
        SetsFileCase{"WithoutTabCount", "[options]\nAskBeforeLoad=0\n", kSetsFileLoads, "5 sets"},
        SetsFileCase{"Missing", std::nullopt, kSetsFileRefused, "not found"},
        SetsFileCase{"Empty", "", kSetsFileRefused, "no [Options] section"},
        SetsFileCase{"NoOptions", "[0]\nCaption=Office\n", kSetsFileRefused, "no [Options] section"},
        SetsFileCase{"Binary", "MZ\x90\0\x03\0\0\0[Options]\n"s, kSetsFileRefused, "binary"},
        SetsFileCase{"TabCountZero", "[Options]\nTabCount=0\n", kSetsFileRefused, "TabCount 0"},
        SetsFileCase{"TabCountHuge", "[Options]\nTabCount=1001\n", kSetsFileRefused, "TabCount 1001"},
        SetsFileCase{"TabCountText", "[Options]\nTabCount=many\n", kSetsFileRefused, "not a number"}),
    [](const ::testing::TestParamInfo<SetsFileCase>& info) { return std::string(info.param.Name); });

TEST(SetsFileCheckTest, ArgumentInAnyCaseAndConsoleLineNamesThePath) {
  EXPECT_TRUE(IsCheckSetsArgument("/check-sets"));
  EXPECT_TRUE(IsCheckSetsArgument("/Check-Sets"));
  EXPECT_FALSE(IsCheckSetsArgument("/check-sets "));
  EXPECT_FALSE(IsCheckSetsArgument("-check-sets"));
  EXPECT_EQ(CheckSetsLines({kSetsFileRefused, "not found"}, "C:\\x.ini"),
            std::vector<std::string>{"C:\\x.ini: refused: not found"});
  EXPECT_EQ(CheckSetsLines({kSetsFileLoads, "loads, with 2 sets"}, "a.ini"),
            std::vector<std::string>{"a.ini: loads, with 2 sets"});
}

} // namespace
} // namespace quorvin
