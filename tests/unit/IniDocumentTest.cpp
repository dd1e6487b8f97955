#include "store/IniDocument.h"

#include <gtest/gtest.h>

namespace quorvin {
namespace {

// Windows edits the file in place: whatever a write does not touch keeps its
// bytes, comments and blank lines included.
struct InPlaceCase {
  const char* Name;
  std::string Before;
  const char* Section;
  const char* Key;
  const char* Value; // nullptr erases the section
  std::string After;
};

const InPlaceCase kInPlaceCases[] = {
    {"CommentsAndBlanksKept", "; top\r\n\r\n[a]\r\n  x = 1  \r\n\r\n; c\r\n[b]\r\ny=2\r\n", "a", "x", "7",
     "; top\r\n\r\n[a]\r\nx=7\r\n\r\n; c\r\n[b]\r\ny=2\r\n"},
    {"NewKeyAfterLastEntryBeforeBlanks", "[a]\r\nx=1\r\n\r\n; c\r\n[b]\r\n", "a", "z", "3",
     "[a]\r\nx=1\r\nz=3\r\n\r\n; c\r\n[b]\r\n"},
    {"NewKeyAfterHeaderOfEmptySection", "[a]\r\n; only a comment\r\n[b]\r\n", "a", "z", "3",
     "[a]\r\nz=3\r\n; only a comment\r\n[b]\r\n"},
    {"NewKeyAtEndWithoutFinalBreak", "[a]\r\nx=1", "a", "z", "3", "[a]\r\nx=1\r\nz=3\r\n"},
    {"OtherLinesOfAnLfFileKeepTheirBreaks", "[a]\nx=1\n[b]\ny=2\n", "b", "y", "5", "[a]\nx=1\n[b]\ny=5\r\n"},
    {"KeyNameSpellingKept", "[a]\r\nMyKey=1\r\n", "A", "MYKEY", "2", "[a]\r\nMyKey=2\r\n"},
    {"SectionAfterCrOnlyEnd", "[a]\rx=1\r", "b", "y", "2", "[a]\rx=1\r[b]\r\ny=2\r\n"},
    {"EraseKeepsEveryComment", "; top\r\n[a]\r\nx=1\r\n; a's\r\n\r\n[b]\r\ny=2\r\n", "a", "", nullptr,
     "; top\r\n; a's\r\n\r\n[b]\r\ny=2\r\n"},
    {"UpdatedLineGetsCrLfAndKeepsTheBlanksAfterIt", "[a]\nx=1\n\n\ny=2", "a", "x", "5", "[a]\nx=5\r\n\n\ny=2"},
    {"EraseRemovesEveryDuplicate", "[a]\r\nx=1\r\n[b]\r\n[A]\r\nx=2\r\n", "a", "", nullptr, "[b]\r\n"},
    {"LinesBeforeFirstHeaderAreNoSection", "x=0\r\n[a]\r\n", "a", "x", "1", "x=0\r\n[a]\r\nx=1\r\n"},
};

TEST(IniDocument, EditsTouchOnlyTheirOwnBytes) {
  for (const InPlaceCase& c : kInPlaceCases) {
    SCOPED_TRACE(c.Name);
    IniDocument document(c.Before);
    if (c.Value)
      document.Write(c.Section, c.Key, c.Value);
    else
      document.EraseSection(c.Section);
    EXPECT_EQ(document.Bytes(), c.After);
  }
}

TEST(IniDocument, ReadsWhatItWrote) {
  IniDocument document;
  document.Write("s", "a", "1");
  document.Write("t", "b", " padded ");
  document.Write("s", "c", "x=y;z");
  EXPECT_EQ(document.Read("S", "A"), "1");
  EXPECT_EQ(document.Read("t", "b"), "padded"); // blanks are trimmed unless quoted
  EXPECT_EQ(document.Read("s", "c"), "x=y;z");
  EXPECT_EQ(document.Read("s", "b"), std::nullopt);
}

TEST(IniDocument, SurvivesHostileBytes) {
  std::string binary;
  for (int i = 0; i < 4096; ++i)
    binary.push_back(static_cast<char>((i * 7919) & 0xFF));
  const std::string longLine(100000, '[');
  const std::string cases[] = {
      binary,
      longLine,
      "[" + std::string(100000, 'k') + "]\r\n" + std::string(100000, 'v') + "=1\r\n",
      std::string("[s]\0k=v\r\n", 10),
      "[]\r\n=\r\n[\r\n]\r\n==\r\n",
  };
  for (const std::string& bytes : cases) {
    IniDocument document(bytes);
    EXPECT_EQ(document.Read("Options", "TabCount"), std::nullopt);
    document.Write("Options", "TabCount", "3");
    EXPECT_EQ(document.Read("Options", "TabCount"), "3");
    // What was there stays there: the write only added bytes.
    EXPECT_EQ(document.Bytes().find(bytes.substr(0, 64)) != std::string::npos, true);
  }
}

} // namespace
} // namespace quorvin
