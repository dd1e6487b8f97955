#include "store/SetNetwork.h"
#include "store/Settings.h"

#include "base/QuorvinError.h"
#include "store/PortableProfileFile.h"
#include "support/Raised.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include "store/FileIo.h"

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>

namespace quorvin {
namespace {

class SettingsTest : public ::testing::Test {
protected:
  std::string Path() const { return FFolder.File("data.ini"); }
  void Write(std::string_view bytes) const { test::WriteBytes(Path(), bytes); }
  std::string Bytes() const { return test::ReadBytes(Path()); }
  std::size_t FilesInFolder() const {
    std::size_t files = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(FFolder.Path()))
      ++files;
    return files;
  }

  test::TempFolder FFolder;
  PortableProfileFile FFile{FFolder.File("data.ini")};
  TOptionsSetting FOptions;
  TWindowOptions FWindow;
};

TEST_F(SettingsTest, FirstStartGivesDefaultsAndReportsTheMissingFile) {
  FOptions.AskBeforeExit = false;
  EXPECT_EQ(LoadOrSaveOptions(true, FFile, FOptions, FWindow), SettingsFileState::Missing);
  EXPECT_EQ(FWindow.CurrentSet, 0);
  EXPECT_EQ(FOptions.TabCount, 5);
  EXPECT_EQ(FWindow.SetNames, (std::vector<std::string>{"SET1", "SET2", "SET3", "SET4", "SET5"}));
  EXPECT_FALSE(FOptions.AutoCloseDialog);
  EXPECT_TRUE(FOptions.AskBeforeLoad);
  EXPECT_TRUE(FOptions.AskBeforeExit);
  EXPECT_FALSE(std::filesystem::exists(Path())) << "loading must not create the file";
}

struct OptionsCase {
  const char* Name;
  std::string File;
  std::int32_t CurrentSet;
  std::int32_t TabCount;
};

TEST_F(SettingsTest, HandEditedCountsAreHeldToWorkableValues) {
  const OptionsCase cases[] = {
      {"DefaultTabBeyondCount", "[Options]\r\nDefaultTab=7\r\nTabCount=3\r\n", 2, 3},
      {"DefaultTabInRange", "[Options]\r\nDefaultTab=1\r\nTabCount=3\r\n", 1, 3},
      {"NegativeDefaultTab", "[Options]\r\nDefaultTab=-1\r\nTabCount=3\r\n", 0, 3},
      {"DefaultTab99", "[Options]\r\nDefaultTab=99\r\n", 4, 5},
      {"ZeroCount", "[Options]\r\nTabCount=0\r\n", 0, 1},
      {"NegativeCount", "[Options]\r\nTabCount=-3\r\n", 0, 1},
      {"HugeCount", "[Options]\r\nTabCount=2147483647\r\nDefaultTab=5000\r\n", 999, 1000},
      {"HexCount", "[Options]\r\nTabCount=$A\r\n", 0, 10},
      {"KeysWithoutValues", "[Options]\r\nTabCount\r\nDefaultTab=\r\n", 0, 5},
      {"BlanksInsideHeaderStillMatch", "[ Options ]\r\nTabCount = 2\r\n", 0, 2},
  };
  for (const OptionsCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Write(c.File);
    EXPECT_EQ(LoadOrSaveOptions(true, FFile, FOptions, FWindow), SettingsFileState::Existed);
    EXPECT_EQ(FWindow.CurrentSet, c.CurrentSet);
    EXPECT_EQ(FOptions.TabCount, c.TabCount);
    EXPECT_EQ(FWindow.SetNames.size(), static_cast<std::size_t>(c.TabCount));
  }
}

TEST_F(SettingsTest, BooleansReadTheirFormsAndCaptionsTheirSections) {
  Write("[Options]\r\nTabCount=3\r\nAskBeforeExit=yes\r\nAskBeforeLoad=0x0\r\nAutoCloseDialog=1\r\n"
        "[1]\r\nCaption=Office\r\n[2]\r\nCaption=\r\n");
  LoadOrSaveOptions(true, FFile, FOptions, FWindow);
  EXPECT_TRUE(FOptions.AskBeforeExit);
  EXPECT_FALSE(FOptions.AskBeforeLoad);
  EXPECT_TRUE(FOptions.AutoCloseDialog);
  EXPECT_EQ(FWindow.SetNames, (std::vector<std::string>{"SET1", "Office", ""}));
}

TEST_F(SettingsTest, SavingWritesTheTabCountAndOptionsInOrder) {
  FWindow.CurrentSet = 2;
  FWindow.SetNames = {"a", "b", "c", "d"};
  FOptions.TabCount = 9; // the count read at start does not matter
  FOptions.AutoCloseDialog = true;
  FOptions.AskBeforeLoad = false;
  LoadOrSaveOptions(false, FFile, FOptions, FWindow);
  EXPECT_EQ(Bytes(), "[Options]\r\nDefaultTab=2\r\nTabCount=4\r\nAutoCloseDialog=1\r\n"
                     "AskBeforeLoad=0\r\nAskBeforeExit=1\r\n");
}

TEST_F(SettingsTest, AFirstStartAsksForNewOrChangedSetsAndSavesTheQuestion) {
  LoadOrSaveOptions(true, FFile, FOptions, FWindow);
  EXPECT_EQ(FOptions.KeepQuestion, TKeepQuestion::WhenNewOrChanged);
  EXPECT_EQ(FOptions.KeepSeconds, 20);
  LoadOrSaveOptions(false, FFile, FOptions, FWindow);
  EXPECT_EQ(Bytes(), "[Options]\r\nDefaultTab=0\r\nTabCount=5\r\nAutoCloseDialog=0\r\n"
                     "AskBeforeLoad=1\r\nAskBeforeExit=1\r\nAskToKeep=1\r\nKeepSeconds=20\r\n");
}

// A file from before the question never asks, and saves byte for byte as it
// did while the question is left alone.
TEST_F(SettingsTest, AFileThatDoesNotNameTheQuestionNeverAsksAndSavesAsBefore) {
  const std::string before = "; mine\r\n[Options]\r\nDefaultTab=1\r\nTabCount=2\r\nAutoCloseDialog=1\r\n"
                             "AskBeforeLoad=0\r\nAskBeforeExit=1\r\n[1]\r\nCaption=Office\r\n";
  Write(before);
  LoadOrSaveOptions(true, FFile, FOptions, FWindow);
  EXPECT_EQ(FOptions.KeepQuestion, TKeepQuestion::Never);
  EXPECT_EQ(FOptions.KeepSeconds, 20);
  EXPECT_TRUE(FOptions.SwitchAutomatically);
  LoadOrSaveOptions(false, FFile, FOptions, FWindow);
  SaveSetNetwork(FFile, 1, LoadSetNetwork(FFile, 1)); // looking at a set's network writes nothing
  EXPECT_EQ(Bytes(), before);

  FOptions.KeepQuestion = TKeepQuestion::Always;
  FOptions.SaveKeepQuestion = true; // as the options dialog does when the user changes it
  FOptions.SwitchAutomatically = false;
  FOptions.SaveSwitchAutomatically = true;
  LoadOrSaveOptions(false, FFile, FOptions, FWindow);
  SaveSetNetwork(FFile, 1, {{"00-1b-21-4c-7a-10", "", "", ""}, TAutoSwitch::Apply});
  EXPECT_EQ(Bytes(), "; mine\r\n[Options]\r\nDefaultTab=1\r\nTabCount=2\r\nAutoCloseDialog=1\r\n"
                     "AskBeforeLoad=0\r\nAskBeforeExit=1\r\nAskToKeep=2\r\nKeepSeconds=20\r\n"
                     "SwitchAutomatically=0\r\n[1]\r\nCaption=Office\r\nNetworkGatewayMac=00-1b-21-4c-7a-10\r\n"
                     "NetworkGateway=\r\nNetworkDnsSuffix=\r\nNetworkSsid=\r\nNetworkSwitch=Apply\r\n");
}

struct KeepCase {
  const char* Name;
  std::string Options;
  TKeepQuestion Question;
  int Seconds;
};

TEST_F(SettingsTest, AFileThatNamesTheQuestionKeepsItHeldToWorkableValues) {
  const KeepCase cases[] = {
      {"Never", "AskToKeep=0\r\n", TKeepQuestion::Never, 20},
      {"Always", "AskToKeep=2\r\nKeepSeconds=5\r\n", TKeepQuestion::Always, 5},
      {"UnknownChoice", "AskToKeep=7\r\n", TKeepQuestion::Never, 20},
      {"SecondsOnly", "KeepSeconds=300\r\n", TKeepQuestion::Never, 300},
      {"TooFewSeconds", "AskToKeep=2\r\nKeepSeconds=0\r\n", TKeepQuestion::Always, 5},
      {"TooManySeconds", "AskToKeep=2\r\nKeepSeconds=99999\r\n", TKeepQuestion::Always, 300},
  };
  for (const KeepCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Write("[Options]\r\n" + c.Options);
    FOptions = TOptionsSetting();
    LoadOrSaveOptions(true, FFile, FOptions, FWindow);
    EXPECT_EQ(FOptions.KeepQuestion, c.Question);
    EXPECT_EQ(FOptions.KeepSeconds, c.Seconds);
    EXPECT_TRUE(FOptions.SaveKeepQuestion) << "a file that names the question keeps naming it";
  }
}

TEST_F(SettingsTest, ReplaceIniLineReplacesTheFirstExactLineAndWritesCrLf) {
  Write("[1]\r[1]\n [1]\r\nkey\r\n\r\nlast");
  ReplaceIniLine(Path(), "[1]", "[0]");
  EXPECT_EQ(Bytes(), "[0]\r\n[1]\r\n [1]\r\nkey\r\n\r\nlast\r\n");
  ReplaceIniLine(Path(), "[9]", "[8]");
  EXPECT_EQ(Bytes(), "[0]\r\n[1]\r\n [1]\r\nkey\r\n\r\nlast\r\n");
  ReplaceIniLine(Path(), " [1]", "X");
  EXPECT_EQ(Bytes(), "[0]\r\n[1]\r\nX\r\nkey\r\n\r\nlast\r\n");
}

TEST_F(SettingsTest, ReplaceIniLineKeepsBinaryBytes) {
  const std::string withNul("[0]\r\nCaption=a\0b\r\n", 18);
  Write(withNul);
  ReplaceIniLine(Path(), "[0]", "[1]");
  EXPECT_EQ(Bytes(), std::string("[1]\r\nCaption=a\0b\r\n", 18));
}

TEST_F(SettingsTest, ReplaceIniLineOnAMissingFileRaises) {
  EXPECT_THROW(ReplaceIniLine(Path(), "a", "b"), QuorvinError);
  EXPECT_FALSE(std::filesystem::exists(Path()));
}

struct EraseCase {
  const char* Name;
  std::string File;
  int Index;
  int CountAfter;
  std::string After;
};

TEST_F(SettingsTest, EraseSetSectionMovesExactHeadersDownInOneRewrite) {
  const std::string four = "[Options]\r\nTabCount=4\r\n[0]\r\nCaption=A\r\n[1]\r\nCaption=B\r\n"
                           "[2]\r\nCaption=C\r\n[3]\r\nCaption=D\r\n";
  const EraseCase cases[] = {
      {"SecondOfFour", four, 1, 3,
       "[Options]\r\nTabCount=4\r\n[0]\r\nCaption=A\r\n[1]\r\nCaption=C\r\n[2]\r\nCaption=D\r\n"},
      {"FirstOfFour", four, 0, 3,
       "[Options]\r\nTabCount=4\r\n[0]\r\nCaption=B\r\n[1]\r\nCaption=C\r\n[2]\r\nCaption=D\r\n"},
      {"LastOfFourOnlyErases", four, 3, 3,
       "[Options]\r\nTabCount=4\r\n[0]\r\nCaption=A\r\n[1]\r\nCaption=B\r\n[2]\r\nCaption=C\r\n"},
      {"BlanksInsideHeaderKeepTheirNumber", "[0]\r\nCaption=A\r\n[ 1 ]\r\nCaption=B\r\n[2]\r\nCaption=C\r\n", 0, 2,
       "[ 1 ]\r\nCaption=B\r\n[1]\r\nCaption=C\r\n"},
      {"HeaderTextInAValueIsNotTouched", "[0]\r\nx=1\r\n[1]\r\nCaption=[2]\r\n[2]\r\ny=2\r\n", 0, 2,
       "[0]\r\nCaption=[2]\r\n[1]\r\ny=2\r\n"},
      {"LooseLineEndsBecomeCrLf", "; c\r[0]\nCaption=A\r\n\r\n[1]\r\r\nCaption=B\n[2]\rCaption=C", 0, 2,
       "; c\r\n[0]\r\n\r\nCaption=B\r\n[1]\r\nCaption=C\r\n"},
      {"MissingSectionsInBetween", "[0]\r\na=1\r\n[3]\r\nb=2\r\n", 0, 3, "[2]\r\nb=2\r\n"},
      {"DuplicateHeaders", "[0]\r\na=1\r\n[1]\r\nb=2\r\n[1]\r\nc=3\r\n[2]\r\nd=4\r\n", 0, 2,
       "[0]\r\nb=2\r\n[1]\r\nc=3\r\n[1]\r\nd=4\r\n"},
      // The reads take "[1] ; office" for section 1, so the later "[1]" is
      // no set and keeps its number.
      {"OnlyTheHeaderTheReadsSeeMoves", "[0]\r\na=1\r\n[1] ; office\r\nb=2\r\n[1]\r\nc=3\r\n", 0, 1,
       "[1] ; office\r\nb=2\r\n[1]\r\nc=3\r\n"},
      {"ErasedHeaderEndsAtItsFirstBracket", "[0]x]\r\na=1\r\n[1]\r\nb=2\r\n", 0, 1, "[0]\r\nb=2\r\n"},
      {"CommentsOfTheErasedSetStay", "[0]\r\n; first set\r\na=1\r\n[1]\r\nb=2\r\n", 0, 1,
       "; first set\r\n[0]\r\nb=2\r\n"},
  };
  for (const EraseCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Write(c.File);
    EraseSetSection(FFile, c.Index, c.CountAfter);
    EXPECT_EQ(Bytes(), c.After);
  }
}

TEST_F(SettingsTest, DeletingASetMovesTheLaterSetsDown) {
  Write("[Options]\r\nTabCount=4\r\n[0]\r\nCaption=A\r\n[1]\r\nCaption=B\r\n[2]\r\nCaption=C\r\n"
        "[3]\r\nCaption=D\r\n");
  EraseSetSection(FFile, 1, 3);
  EXPECT_EQ(FFile.ReadString("0", "Caption", ""), "A");
  EXPECT_EQ(FFile.ReadString("1", "Caption", ""), "C");
  EXPECT_EQ(FFile.ReadString("2", "Caption", ""), "D");
  EXPECT_EQ(FFile.ReadString("3", "Caption", "none"), "none");
}

TEST_F(SettingsTest, DeletingASetBeforeTheFileExistsChangesNothing) {
  EXPECT_NO_THROW(EraseSetSection(FFile, 0, 4));
  EXPECT_FALSE(std::filesystem::exists(Path()));
}

// Files may grow no larger than limit bytes while it lives: writes beyond
// fail as on a full disk, for root too.
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t limit) {
    ::getrlimit(RLIMIT_FSIZE, &FSaved);
    FSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = FSaved;
    lowered.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &FSaved);
    std::signal(SIGXFSZ, FSignal);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
  rlimit FSaved{};
  void (*FSignal)(int);
};

TEST_F(SettingsTest, AFailedRewriteLeavesTheOldFileWhole) {
  const std::string before = "[0]\r\na=1\r\n[1]\r\nb=2\r\n";
  Write(before);
  FileSizeLimit full(4);
  const QuorvinError error = test::RaisedBy([&] { ReplaceIniLine(Path(), "[1]", "[0]"); });
  EXPECT_EQ(std::string(error.what()), "Unable to write to " + Path());
  EXPECT_EQ(Bytes(), before);
  EXPECT_THROW(FFile.WriteString("0", "a", "9"), QuorvinError);
  EXPECT_EQ(Bytes(), before);
  EXPECT_EQ(FFile.ReadString("0", "a", ""), "1") << "a refused write must not show in later reads";
  EXPECT_EQ(FilesInFolder(), 1u) << "the temporary file stays behind";
}

TEST_F(SettingsTest, ASameSizeRewriteWithinOneTimestampIsSeen) {
  Write("[0]\r\nCaption=A\r\n[2]\r\nCaption=C\r\n");
  FFile.WriteString("0", "Caption", "B");
  const auto stamp = std::filesystem::last_write_time(Path());
  ReplaceIniLine(Path(), "[2]", "[1]");
  // Two rewrites within one tick of the clock leave the same write time.
  std::filesystem::last_write_time(Path(), stamp);
  EXPECT_EQ(FFile.ReadString("1", "Caption", "none"), "C");
  FFile.WriteString("0", "Caption", "A");
  EXPECT_EQ(Bytes(), "[0]\r\nCaption=A\r\n[1]\r\nCaption=C\r\n");
}

TEST_F(SettingsTest, ALinkAtAnyTemporaryNameIsNeverFollowed) {
  const std::string victim = FFolder.File("victim");
  test::WriteBytes(victim, "keep");
  Write("[0]\r\na=1\r\n[1]\r\nb=2\r\n");
  std::filesystem::create_symlink(victim, Path() + ".tmp");
  FFile.WriteString("0", "a", "2");
  EraseSetSection(FFile, 0, 1);
  EXPECT_EQ(test::ReadBytes(victim), "keep");
  EXPECT_FALSE(std::filesystem::is_symlink(Path()));
  EXPECT_EQ(Bytes(), "[0]\r\nb=2\r\n");
}

TEST_F(SettingsTest, RewritesKeepTheFilesMode) {
  namespace fs = std::filesystem;
  Write("[0]\r\na=1\r\n[1]\r\nb=2\r\n");
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(Path(), mode);
  FFile.WriteString("0", "a", "2");
  EXPECT_EQ(fs::status(Path()).permissions(), mode);
  ReplaceIniLine(Path(), "[1]", "[2]");
  EXPECT_EQ(fs::status(Path()).permissions(), mode);
}

TEST_F(SettingsTest, AFileThatCannotBeReadIsNeverRewritten) {
  // A folder opens for reading but gives no bytes: a read that fails midway.
  const std::string folder = FFolder.File("data.ini");
  std::filesystem::create_directory(folder);
  EXPECT_THROW(ReadWholeFile(folder), QuorvinError);
  EXPECT_THROW(ReplaceIniLine(folder, "[1]", "[0]"), QuorvinError);
  EXPECT_THROW(FFile.ReadString("0", "a", ""), QuorvinError);
  EXPECT_THROW(FFile.WriteString("0", "a", "1"), QuorvinError);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(SettingsTest, RewritesLeaveNoTemporaryFileBehind) {
  Write("[0]\r\na=1\r\n[1]\r\nb=2\r\n");
  EraseSetSection(FFile, 0, 1);
  FFile.WriteString("0", "c", "3");
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(SettingsTest, HugeAndBinaryFilesLoadWithDefaultsAndKeepTheirBytes) {
  std::string big;
  big.reserve(50u << 20);
  for (std::size_t i = 0; big.size() < (50u << 20); ++i)
    big += "[" + std::to_string(i) + "x]\r\nk=" + std::string(100, static_cast<char>('a' + i % 26)) + "\r\n";
  big += std::string(100000, 'z') + "\r\n\x01\x02\x03\r\n";
  Write(big);
  EXPECT_EQ(LoadOrSaveOptions(true, FFile, FOptions, FWindow), SettingsFileState::Existed);
  EXPECT_EQ(FOptions.TabCount, 5);
  EXPECT_EQ(FWindow.SetNames.front(), "SET1");
  LoadOrSaveOptions(false, FFile, FOptions, FWindow);
  const std::string after = Bytes();
  ASSERT_GT(after.size(), big.size());
  EXPECT_EQ(after.compare(0, big.size(), big), 0) << "saving options must keep every byte already there";
}

// The kernel's count of this process's resident memory in bytes: "VmRSS" now
// or "VmHWM", its peak since the peak was last reset.
std::optional<std::size_t> ResidentBytes(std::string_view field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with(field) && line.size() > field.size() && line[field.size()] == ':')
      return std::stoull(line.substr(field.size() + 1)) * 1024;
  return std::nullopt;
}

TEST_F(SettingsTest, OptionsOfAFileOfShortLinesCostAtMostThreeTimesItsSize) {
  constexpr std::size_t kSize = 8u << 20;
  std::string lines;
  lines.reserve(kSize);
  while (lines.size() < kSize)
    lines += "x\n";
  Write(lines);
  lines = std::string();
  std::ofstream resetPeak("/proc/self/clear_refs");
  if (!(resetPeak << "5" << std::flush))
    GTEST_SKIP() << "this kernel cannot reset the peak of resident memory";
  const auto before = ResidentBytes("VmRSS");
  ASSERT_TRUE(before);

  LoadOrSaveOptions(true, FFile, FOptions, FWindow);
  LoadOrSaveOptions(false, FFile, FOptions, FWindow);

  const auto peak = ResidentBytes("VmHWM");
  ASSERT_TRUE(peak);
  EXPECT_LE(*peak - *before, 3 * kSize + (16u << 20));
  EXPECT_EQ(FWindow.SetNames.size(), 5u);
}

} // namespace
} // namespace quorvin
