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

// A document keeps where its sections start across edits: after each edit of
// a run, every read agrees with a document made anew from the same bytes,
// including edits that move later sections and names that make headers.
TEST(IniDocument, KeptSectionStartsFollowEveryEdit) {
  struct Edit {
    const char* Section;
    const char* Key;
    const char* Value; // nullptr erases the section
  };
  const Edit edits[] = {
      {"a", "x", "a much longer value than before"}, // moves [b] and [A] back
      {"a", "x", ""},                                 // and forward again
      {"a", "new", "1"},                              // a line inserted before [b]
      {"b", "[c", "2"},                               // a key line that reads as a header [c
      {"c=2", "y", "3"},                              // the section that key made
      {"d]e", "k", "4"},                              // a header that reads as [d
      {"d", "k", "5"},
      {"b", "z\r\n[e]\r\nq", "6"},                   // a key that brings a header along
      {"e", "q", "7"},
      {"a", "", nullptr},                             // [a] goes: [A] is the first of its name
      {"A", "x", "8"},
      {"f", "k", "\r\n[a]\r\nx=9"},                   // a value that brings a header along
  };
  const char* names[] = {"a", "A", "b", "c", "c=2", "d", "d]e", "e", "f", "[c"};
  const char* keys[] = {"x", "new", "[c", "y", "k", "z", "q", "a"};
  IniDocument document("[a]\r\nx=1\r\n; c\r\n[b]\r\n\r\ny=2\r\n[A]\r\nx=3\r\na=4\r\n");
  for (const Edit& edit : edits) {
    SCOPED_TRACE(std::string(edit.Section) + "/" + edit.Key);
    // Reads first, so that the kept starts exist before the edit.
    (void)document.Read("b", "y");
    if (edit.Value)
      document.Write(edit.Section, edit.Key, edit.Value);
    else
      document.EraseSection(edit.Section);
    const IniDocument fresh(document.Bytes());
    for (const char* name : names)
      for (const char* key : keys)
        EXPECT_EQ(document.Read(name, key), fresh.Read(name, key)) << name << "/" << key;
  }
  EXPECT_EQ(document.Read("a", "x"), "8"); // the [a] the value brought comes later
  EXPECT_EQ(document.Read("c=2", "y"), "3");
}

// Lines of every length about the scan's window, each break kind: the key
// after a long line is found, and the long line's value is whole.
TEST(IniDocument, LongLinesEndAtTheirOwnBreak) {
  for (const char* lineBreak : {"\r\n", "\n", "\r"})
    for (const std::size_t length : {250u, 251u, 252u, 253u, 254u, 255u, 256u, 257u, 511u, 512u, 513u, 1000u}) {
      // "[a]" + break + "x=" is 5 or 6 bytes; the values end around and on the window's edges.
      const std::string value(length, 'v');
      IniDocument document(std::string("[a]") + lineBreak + "x=" + value + lineBreak + "y=2" + lineBreak);
      EXPECT_EQ(document.Read("a", "x"), value) << length;
      EXPECT_EQ(document.Read("a", "y"), "2") << length;
    }
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
