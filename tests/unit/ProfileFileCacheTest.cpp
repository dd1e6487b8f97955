// The portable engine keeps its parsed copy of the file between calls. These
// cases change the file behind its back in every way a file can change
// (within one timestamp tick of the last change and long after it, at the
// same size, with the modification time put back) and interleave writers,
// to show that no read answers from an outdated copy and no write starts
// from one.

#include "base/QuorvinError.h"
#include "store/FileIo.h"
#include "store/PortableProfileFile.h"
#include "store/Settings.h"
#include "support/SettledFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <memory>

namespace quorvin {
namespace {

constexpr char kBefore[] = "[s]\r\nk=old1\r\n[t]\r\nk=1\r\n";

void ReplaceByRename(const std::string& path, std::string_view bytes) {
  test::WriteBytes(path + ".new", bytes);
  std::filesystem::rename(path + ".new", path);
}

// Rewrites the file in place and puts its modification time back, as
// tools that restore times do.
void RewriteKeepingTime(const std::string& path, std::string_view bytes) {
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  test::WriteBytes(path, bytes);
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

struct OutsideChange {
  const char* Name;
  std::function<void(const std::string& path)> Change;
  std::string Expected; // "k" of section "s" afterwards
};

void PrintTo(const OutsideChange& change, std::ostream* out) { *out << change.Name; }

const OutsideChange kOutsideChanges[] = {
    {"InPlaceSameSize", [](const std::string& path) { test::WriteBytes(path, "[s]\r\nk=new1\r\n[t]\r\nk=1\r\n"); },
     "new1"},
    {"RenamedOverSameSize", [](const std::string& path) { ReplaceByRename(path, "[s]\r\nk=new2\r\n[t]\r\nk=1\r\n"); },
     "new2"},
    {"InPlaceWithTimePutBack",
     [](const std::string& path) { RewriteKeepingTime(path, "[s]\r\nk=new3\r\n[t]\r\nk=1\r\n"); }, "new3"},
    {"Deleted", [](const std::string& path) { std::filesystem::remove(path); }, "gone"},
    {"HeadersRenumberedByAWholeFileRewrite",
     [](const std::string& path) {
       ReplaceIniLine(path, "[s]", "[u]");
       ReplaceIniLine(path, "[t]", "[s]");
     },
     "1"},
};

class ProfileFileCacheTest : public ::testing::TestWithParam<std::tuple<OutsideChange, bool>> {
protected:
  std::string Path() const { return FFolder.File("data.ini"); }
  const OutsideChange& Change() const { return std::get<0>(GetParam()); }

  // An engine that has read the file (long after it was written, or right
  // after), over a file that was then changed behind its back.
  std::unique_ptr<PortableProfileFile> ReadThenChange() {
    test::WriteBytes(Path(), kBefore);
    if (std::get<1>(GetParam()))
      test::WaitUntilSettled(Path());
    auto file = std::make_unique<PortableProfileFile>(Path());
    EXPECT_EQ(file->ReadString("s", "k", "gone"), "old1");
    EXPECT_EQ(file->ReadString("t", "k", "gone"), "1");
    Change().Change(Path());
    return file;
  }

  test::TempFolder FFolder;
};

TEST_P(ProfileFileCacheTest, ReadSeesAChangeMadeBehindItsBack) {
  const auto file = ReadThenChange();
  EXPECT_EQ(file->ReadString("s", "k", "gone"), Change().Expected);
}

TEST_P(ProfileFileCacheTest, WriteStartsFromTheChangedFile) {
  ReadThenChange()->WriteString("w", "k", "ours");

  PortableProfileFile fresh(Path());
  EXPECT_EQ(fresh.ReadString("s", "k", "gone"), Change().Expected);
  EXPECT_EQ(fresh.ReadString("w", "k", "gone"), "ours");
}

INSTANTIATE_TEST_SUITE_P(Changes, ProfileFileCacheTest,
                         ::testing::Combine(::testing::ValuesIn(kOutsideChanges), ::testing::Bool()),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).Name) +
                                  (std::get<1>(info.param) ? "_Settled" : "_JustWritten");
                         });

// Two engines over one file (a second instance, a test's own engine) and
// the whole-file steps of deleting a set, one right after the other.
TEST(ProfileFileWriters, InterleavedWritersLoseNothing) {
  test::TempFolder folder;
  const std::string path = folder.File("data.ini");
  PortableProfileFile first(path);
  PortableProfileFile second(path);
  for (int round = 0; round < 20; ++round) {
    const std::string value = std::to_string(round);
    first.WriteString("a", "k" + value, value);
    second.WriteString("b", "k" + value, value);
    ASSERT_EQ(first.ReadString("b", "k" + value, "lost"), value) << "round " << round;
    ASSERT_EQ(second.ReadString("a", "k" + value, "lost"), value) << "round " << round;
  }
  first.WriteString("0", "Caption", "zero");
  first.WriteString("1", "Caption", "one");
  second.WriteString("2", "Caption", "two");
  EraseSetSection(first, 0, 2);
  EXPECT_EQ(second.ReadString("0", "Caption", "lost"), "one");
  EXPECT_EQ(second.ReadString("1", "Caption", "lost"), "two");
  EXPECT_EQ(first.ReadString("2", "Caption", "gone"), "gone");
  EXPECT_EQ(first.ReadString("a", "k19", "lost"), "19");
  EXPECT_EQ(second.ReadString("b", "k19", "lost"), "19");
}

TEST(ProfileFileWriters, RefusedWriteLeavesNothingBehind) {
  test::TempFolder folder;
  const std::string path = folder.File("data.ini");
  test::WriteBytes(path, kBefore);
  PortableProfileFile file(path);
  ASSERT_EQ(file.ReadString("s", "k", "gone"), "old1");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);

  EXPECT_THROW(file.WriteString("s", "k", "unwritten"), QuorvinError);

  EXPECT_EQ(file.ReadString("s", "k", "gone"), "old1");
}

} // namespace
} // namespace quorvin
