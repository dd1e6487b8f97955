// The lines of a command-line run reach a redirected standard output, a
// file or a pipe, as a script's "> file" or "| findstr" hands it over.

#include "app/win32/StartingConsole.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

namespace quorvin {
namespace {

const std::vector<std::string> kLines{"[ IP ]: Invalid subnet mask.", "[ Workgroup ]: Error code 5"};
constexpr char kPrinted[] = "[ IP ]: Invalid subnet mask.\r\n[ Workgroup ]: Error code 5\r\n";

// Writes with output as the standard output, then restores it.
bool WriteWithOutput(HANDLE output, const std::vector<std::string>& lines) {
  HANDLE saved = ::GetStdHandle(STD_OUTPUT_HANDLE);
  ::SetStdHandle(STD_OUTPUT_HANDLE, output);
  const bool written = WriteToStartingConsole(lines);
  ::SetStdHandle(STD_OUTPUT_HANDLE, saved);
  return written;
}

TEST(StartingConsoleTest, RedirectedToAFileTheLinesEndWithCrLf) {
  test::TempFolder folder;
  const std::string path = folder.File("out.txt");
  const std::pair<std::vector<std::string>, std::string> cases[] = {{kLines, kPrinted}, {{}, ""}};
  for (const auto& [lines, expected] : cases) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(WriteWithOutput(file, lines));
    ::CloseHandle(file);
    EXPECT_EQ(test::ReadBytes(path), expected);
  }
}

TEST(StartingConsoleTest, RedirectedToAPipeTheReaderGetsTheLines) {
  HANDLE reader = nullptr, writer = nullptr;
  ASSERT_TRUE(::CreatePipe(&reader, &writer, nullptr, 0));
  EXPECT_TRUE(WriteWithOutput(writer, kLines));
  ::CloseHandle(writer);
  std::string received;
  char buffer[256];
  DWORD read = 0;
  while (::ReadFile(reader, buffer, sizeof buffer, &read, nullptr) && read > 0)
    received.append(buffer, read);
  ::CloseHandle(reader);
  EXPECT_EQ(received, kPrinted);
}

} // namespace
} // namespace quorvin
