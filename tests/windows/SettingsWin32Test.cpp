// The settings store over the Windows profile functions: Wine keeps parsed
// files cached, so whole-file rewrites must be seen by the next read.

#include "base/QuorvinError.h"
#include "store/FileIo.h"
#include "store/Settings.h"
#include "store/win32/Win32ProfileFile.h"
#include "support/TempFolder.h"
#include "support/win32/RunsUnderWine.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

namespace quorvin {
namespace {

TEST(SettingsWin32, DeletingASetRenumbersWhatTheProfileFunctionsRead) {
  test::TempFolder folder;
  Win32ProfileFile file(folder.File("data.ini"));
  const char* captions[] = {"A", "B", "C", "D"};
  for (int i = 0; i < 4; ++i)
    file.WriteString(std::to_string(i), "Caption", captions[i]);
  ASSERT_EQ(file.ReadString("3", "Caption", ""), "D"); // now cached by the system

  EraseSetSection(file, 1, 3);
  EXPECT_EQ(file.ReadString("0", "Caption", ""), "A");
  EXPECT_EQ(file.ReadString("1", "Caption", ""), "C");
  EXPECT_EQ(file.ReadString("2", "Caption", ""), "D");
  EXPECT_EQ(file.ReadString("3", "Caption", "none"), "none");
  file.WriteString("3", "Caption", "E");
  EXPECT_EQ(test::ReadBytes(file.Path()),
            "[0]\r\nCaption=A\r\n[1]\r\nCaption=C\r\n[2]\r\nCaption=D\r\n[3]\r\nCaption=E\r\n");
}

TEST(SettingsWin32, AtomicRewriteReplacesAnExistingFile) {
  test::TempFolder folder;
  const std::string path = folder.File("data.ini");
  test::WriteBytes(path, "old contents that are longer");
  WriteFileAtomically(path, "new");
  EXPECT_EQ(test::ReadBytes(path), "new");
  EXPECT_EQ(GetFileAttributesA((path + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(SettingsWin32, ARewriteKeepsTheFilesAttributes) {
  test::TempFolder folder;
  const std::string path = folder.File("data.ini");
  test::WriteBytes(path, "[1]\r\n");
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  ReplaceIniLine(path, "[1]", "[0]");
  EXPECT_EQ(test::ReadBytes(path), "[0]\r\n");
  if (test::RunsUnderWine())
    GTEST_SKIP() << "Wine's ReplaceFileA gives the file the new one's attributes";
  EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST(SettingsWin32, ANameInTheWayOfATemporaryFileIsNotUsed) {
  test::TempFolder folder;
  const std::string path = folder.File("data.ini");
  test::WriteBytes(path, "[1]\r\n");
  ASSERT_TRUE(CreateDirectoryA((path + ".tmp").c_str(), nullptr));
  ReplaceIniLine(path, "[1]", "[0]");
  EXPECT_EQ(test::ReadBytes(path), "[0]\r\n");
  RemoveDirectoryA((path + ".tmp").c_str());
}

TEST(SettingsWin32, AReadThatFailsMidwayRaises) {
  // A pipe whose writer leaves after the first bytes: ReadFile gives those,
  // then fails.
  const std::string path = "\\\\.\\pipe\\quorvin-read-" + std::to_string(GetCurrentProcessId());
  HANDLE pipe = CreateNamedPipeA(path.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096,
                                 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  std::thread writer([pipe] {
    ConnectNamedPipe(pipe, nullptr);
    DWORD written = 0;
    WriteFile(pipe, "[1]\r\n", 5, &written, nullptr);
    FlushFileBuffers(pipe);
    CloseHandle(pipe);
  });
  EXPECT_THROW(ReadWholeFile(path), QuorvinError);
  writer.join();
}

TEST(SettingsWin32, ReadOnlyAttributeRefusesARewrite) {
  test::TempFolder folder;
  const std::string path = folder.File("data.ini");
  test::WriteBytes(path, "[1]\r\n");
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_THROW(ReplaceIniLine(path, "[1]", "[0]"), QuorvinError);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(test::ReadBytes(path), "[1]\r\n");
}

TEST(SettingsWin32, SettingsLiveBesideTheExecutable) {
  char module[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string expected(module, length);
  expected.erase(expected.find_last_of('\\') + 1);
  EXPECT_EQ(GetSettingsFolder(), expected);
  EXPECT_EQ(GetSettingsPath(), expected + "data.ini");
}

} // namespace
} // namespace quorvin
