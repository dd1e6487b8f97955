#include "conformance/ProfileConformance.h"

#include "base/QuorvinError.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <optional>

namespace quorvin::test {
namespace {

struct ReadCase {
  const char* Name;
  std::string File;
  const char* Section;
  const char* Key;
  const char* Default;
  std::string Expected;
  const char* WineDiffers = nullptr; // why Wine's answer is not Windows'
};

constexpr char kWineTakesLastBracket[] = "Wine ends a header's name at its last \"]\" and needs one";
constexpr char kWineTrimsAllBlanks[] = "Wine trims tabs and other blanks from the names it is given";
constexpr char kWineDropsComments[] = "Wine erases a section's comment lines with it";

const ReadCase kReadCases[] = {
    {"CrOnlyLineBreaks", "[s]\rk=v\rz=1", "s", "k", "d", "v"},
    {"LfOnlyLineBreaks", "[s]\nk=v\n", "s", "k", "d", "v"},
    {"RunsOfBreaksAreOneBreak", "[s]\r\n\r\n\n\r\rk=v", "s", "k", "d", "v"},
    {"NamesAndValueTrimmed", "  [  s  ]  \r\n \t k \t = \t v w \t \r\n", "s", "k", "d", "v w"},
    {"NamesMatchWithoutCase", "[SeCtIoN]\r\nKeY=v\r\n", "section", "kEy", "d", "v"},
    {"PassedNamesLoseSpaces", "[s]\r\nk=v\r\n", "  s ", " k  ", "d", "v"},
    {"TabInPassedSectionIsPartOfIt", "[s]\r\nk=v\r\n", "\ts", "k", "d", "d", kWineTrimsAllBlanks},
    {"TabInPassedKeyIsPartOfIt", "[s]\r\nk=v\r\n", "s", "k\t", "d", "d", kWineTrimsAllBlanks},
    {"HeaderEndsAtFirstBracket", "[a]b]\r\nk=v\r\n", "a", "k", "d", "v", kWineTakesLastBracket},
    {"NothingAfterTheBracketCounts", "[a] ; x=1 [b]\r\nk=v\r\n", "a", "k", "d", "v", kWineTakesLastBracket},
    {"KeyAfterTheBracketIsIgnored", "[s] k=x\r\nk=v\r\n", "s", "k", "d", "v"},
    {"HeaderWithoutBracketOpensASection", "[s]\r\nk=1\r\n[t\r\nk=v\r\n", "t", "k", "d", "v",
     kWineTakesLastBracket},
    {"LineEndingInBracketIsNoHeader", "[s]\r\nt]\r\nk=v\r\n", "s", "k", "d", "v"},
    {"EmptyHeaderIsASection", "[s]\r\n[]\r\nk=v\r\n", "s", "k", "d", "d"},
    {"KeyLineSplitsAtFirstEquals", "[s]\r\nk=a=b\r\n", "s", "k", "d", "a=b"},
    {"CommentLineIsSkipped", "[s]\r\n;k=c\r\nk=v\r\n", "s", "k", "d", "v"},
    {"SemicolonAfterValueIsKept", "[s]\r\nk=v ;c\r\n", "s", "k", "d", "v ;c"},
    {"FirstDuplicateSectionWins", "[s]\r\nk=1\r\n[S]\r\nk=2\r\n", "s", "k", "d", "1"},
    {"FirstDuplicateKeyWins", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "d", "1"},
    {"DoubleQuotesDropped", "[s]\r\nk=\" v \"\r\n", "s", "k", "d", " v "},
    {"SingleQuotesDropped", "[s]\r\nk='v'\r\n", "s", "k", "d", "v"},
    {"OnlyOuterPairDropped", "[s]\r\nk=''v''\r\n", "s", "k", "d", "'v'"},
    {"UnmatchedQuotesKept", "[s]\r\nk=\"v'\r\n", "s", "k", "d", "\"v'"},
    {"LoneQuoteKept", "[s]\r\nk=\"\r\n", "s", "k", "d", "\""},
    {"MissingKeyGivesDefault", "[s]\r\nk=v\r\n", "s", "x", "d", "d"},
    {"DefaultLosesTrailingBlanks", "[s]\r\n", "s", "x", "d  ", "d"},
    {"MissingSectionGivesDefault", "[s]\r\nk=v\r\n", "t", "k", "d", "d"},
    {"LineWithoutEqualsIsNoKey", "[s]\r\nk\r\n", "s", "k", "d", "d"},
    {"EmptyValueIsNotMissing", "[s]\r\nk=\r\n", "s", "k", "d", ""},
    {"EmptyFileGivesDefault", "", "s", "k", "d", "d"},
    {"AnsiBytesKept", "[s]\r\nk=caf\xE9\r\n", "s", "k", "d", "caf\xE9"},
    {"ValueCutToBuffer", "[s]\r\nk=" + std::string(3000, 'x') + "\r\n", "s", "k", "d", std::string(2047, 'x')},
};

TEST_P(ProfileConformance, ReadsValuesByTheProfileRules) {
  for (const ReadCase& c : kReadCases) {
    if (c.WineDiffers && GetParam().IsWine)
      continue;
    SCOPED_TRACE(c.Name);
    TempFolder folder;
    const std::string path = folder.File("data.ini");
    WriteBytes(path, c.File);
    auto file = GetParam().Open(path);
    EXPECT_EQ(file->ReadString(c.Section, c.Key, c.Default), c.Expected);
  }
}

TEST_P(ProfileConformance, MissingFileGivesDefaultsAndIsNotCreated) {
  TempFolder folder;
  auto file = GetParam().Open(folder.File("data.ini"));
  EXPECT_FALSE(file->Exists());
  EXPECT_EQ(file->ReadString("s", "k", "d"), "d");
  EXPECT_FALSE(file->Exists());
}

// Bytes are compared only where Windows and Wine write the same bytes: new
// files, appended keys and sections, and files of CRLF lines without blanks.
struct WriteCase {
  const char* Name;
  std::optional<std::string> Before;
  const char* Section;
  const char* Key;
  const char* Value; // nullptr erases the section
  std::string After;
  // What reading the key back with the same names gives (default "default");
  // the value written when not given.
  const char* ReadBack = nullptr;
  const char* WineDiffers = nullptr;
};

const WriteCase kWriteCases[] = {
    {"NewFile", std::nullopt, "App", "key", "string", "[App]\r\nkey=string\r\n"},
    {"NewFileEmptyValue", std::nullopt, "App", "key", "", "[App]\r\nkey=\r\n"},
    {"AnsiValue", std::nullopt, "App", "key", "caf\xE9", "[App]\r\nkey=caf\xE9\r\n"},
    {"KeyAppendedToItsSection", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n", "a", "z", "3",
     "[a]\r\nx=1\r\nz=3\r\n[b]\r\ny=2\r\n"},
    {"KeyAppendedToEmptySection", "[a]\r\n[b]\r\ny=2\r\n", "a", "x", "1", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
    {"SectionAppendedAtEnd", "[a]\r\nx=1\r\n", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
    {"LineBreakBeforeAppendedSection", "[a]\r\nx=1", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
    {"ValueReplacedInPlace", "[a]\r\nx=1\r\ny=2\r\n", "a", "x", "9", "[a]\r\nx=9\r\ny=2\r\n"},
    {"ExistingNamesMatchedWithoutCase", "[Sec]\r\nKey=1\r\n", "sec", "KEY", "2", "[Sec]\r\nKey=2\r\n"},
    {"UpdatedLastLineEndsWithCrLf", "[a]\r\nx=1", "a", "x", "9", "[a]\r\nx=9\r\n"},
    {"WrittenNamesLoseSpacesOnly", std::nullopt, " \tS ", " k\t ", "v", "[\tS]\r\nk\t=v\r\n", "default",
     kWineTrimsAllBlanks},
    {"WrittenNamesKeepBrackets", std::nullopt, "a]", "k", "v", "[a]]\r\nk=v\r\n", "default",
     kWineTakesLastBracket},
    {"ErasedSectionKeepsItsComments", "[a]\r\nx=1\r\n; note\r\ny=2\r\n; end\r\n[b]\r\nz=3\r\n", "a", "x",
     nullptr, "; note\r\n; end\r\n[b]\r\nz=3\r\n", nullptr, kWineDropsComments},
    {"FirstSectionErased", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n", "a", "x", nullptr, "[b]\r\ny=2\r\n"},
    {"LastSectionErased", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n", "B", "y", nullptr, "[a]\r\nx=1\r\n"},
    {"ErasingMissingSectionChangesNothing", "[a]\r\nx=1\r\n", "c", "x", nullptr, "[a]\r\nx=1\r\n"},
};

TEST_P(ProfileConformance, WritesTheBytesWindowsWrites) {
  for (const WriteCase& c : kWriteCases) {
    if (c.WineDiffers && GetParam().IsWine)
      continue;
    SCOPED_TRACE(c.Name);
    TempFolder folder;
    const std::string path = folder.File("data.ini");
    if (c.Before)
      WriteBytes(path, *c.Before);
    auto file = GetParam().Open(path);
    if (c.Value)
      file->WriteString(c.Section, c.Key, c.Value);
    else
      file->EraseSection(c.Section);
    EXPECT_EQ(ReadBytes(path), c.After);
    const char* readBack = c.ReadBack ? c.ReadBack : c.Value ? c.Value : "default";
    EXPECT_EQ(file->ReadString(c.Section, c.Key, "default"), readBack);
  }
}

TEST_P(ProfileConformance, EditsKeepEveryOtherValue) {
  TempFolder folder;
  const std::string path = folder.File("data.ini");
  WriteBytes(path, "; settings\r\n[Options]\r\n\r\nTabCount=3\r\n; note\r\n\r\n[0]\r\nCaption=Office\r\n"
                   "\r\n[1]\r\nCaption=Lab\r\nIP=10.0.0.1\r\n");
  auto file = GetParam().Open(path);
  file->WriteString("Options", "DefaultTab", "1");
  file->WriteString("0", "Caption", "Home");
  file->WriteString("1", "Gateway", "10.0.0.254");
  file->WriteString("2", "Caption", "New");
  file->EraseSection("0");

  EXPECT_EQ(file->ReadString("Options", "TabCount", ""), "3");
  EXPECT_EQ(file->ReadString("Options", "DefaultTab", ""), "1");
  EXPECT_EQ(file->ReadString("0", "Caption", "gone"), "gone");
  EXPECT_EQ(file->ReadString("1", "Caption", ""), "Lab");
  EXPECT_EQ(file->ReadString("1", "IP", ""), "10.0.0.1");
  EXPECT_EQ(file->ReadString("1", "Gateway", ""), "10.0.0.254");
  EXPECT_EQ(file->ReadString("2", "Caption", ""), "New");
}

TEST_P(ProfileConformance, RefusedWritesRaiseTheFixedText) {
  TempFolder folder;
  const std::string inMissingFolder = folder.File("missing") + "/data.ini";
  auto file = GetParam().Open(inMissingFolder);
  try {
    file->WriteString("s", "k", "v");
    FAIL() << "a write into a missing folder succeeded";
  } catch (const QuorvinError& error) {
    EXPECT_STREQ(error.what(), ("Unable to write to " + inMissingFolder).c_str());
  }
  EXPECT_FALSE(std::filesystem::exists(inMissingFolder));
}

TEST_P(ProfileConformance, ReadOnlyFileIsRefusedAndKept) {
  TempFolder folder;
  const std::string path = folder.File("data.ini");
  const std::string before = "[s]\r\nk=old\r\n";
  WriteBytes(path, before);
  std::filesystem::permissions(path, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  if (!GetParam().RefusesReadOnlyItself && std::ofstream(path, std::ios::app).is_open())
    GTEST_SKIP() << "this system lets the user write read-only files (Wine run as root)";
  auto file = GetParam().Open(path);
  EXPECT_THROW(file->WriteString("s", "k", "new"), QuorvinError);
  EXPECT_THROW(file->WriteString("t", "k", "new"), QuorvinError);
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(file->ReadString("s", "k", ""), "old");
}

} // namespace
} // namespace quorvin::test
