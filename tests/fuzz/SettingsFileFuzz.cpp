// The settings file as a whole: loading the options and sets of any file,
// and the whole-file steps of deleting a set.
//
// Any bytes: the options come out within their bounds, every set loads with
// its radio pairs settled, and the rewrites leave only CR LF lines. A file
// that the program wrote (sets and options, with a user's remarks between
// them): deleting a set moves every later set one position down, the last
// position is left without a section, and the options stay as they were.
#include "fuzz/FuzzCheck.h"
#include "store/MemoryProfileFile.h"

#include "store/PortableProfileFile.h"
#include "store/Settings.h"
#include "support/TempFolder.h"

#include <string>
#include <vector>

using namespace quorvin;

namespace {

bool OnlyCrLfLines(const std::string& bytes) {
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    const bool cr = bytes[at] == '\r';
    if (cr && (at + 1 == bytes.size() || bytes[at + 1] != '\n'))
      return false;
    if (bytes[at] == '\n' && (at == 0 || bytes[at - 1] != '\r'))
      return false;
  }
  return bytes.empty() || bytes.ends_with("\r\n");
}

void LoadAnyFile(FuzzedDataProvider& data, PortableProfileFile& disk) {
  const std::string bytes = data.ConsumeRandomLengthString(8192);
  MemoryProfileFile file(bytes);
  TOptionsSetting options;
  TWindowOptions window;
  LoadOrSaveOptions(true, file, options, window);
  FUZZ_CHECK(options.TabCount >= kMinTabCount && options.TabCount <= kMaxTabCount);
  FUZZ_CHECK(window.CurrentSet >= 0 && window.CurrentSet < options.TabCount);
  FUZZ_CHECK(window.SetNames.size() == static_cast<std::size_t>(options.TabCount));
  for (int index = 0; index < std::min(options.TabCount, 2); ++index) {
    const TSetRecord set = LoadSet(file, index);
    FUZZ_CHECK(set.Caption == window.SetNames[static_cast<std::size_t>(index)]);
    FUZZ_CHECK(!(set.AutoIP && set.UseIP) && !(set.AutoDnsServer && set.UseDnsServer));
    FUZZ_CHECK(!set.UseIP || (set.UseDnsServer && !AutoDnsAllowed(set)));
  }

  // Erasing alone keeps the file's own line breaks; the renumbering and
  // the line replacement write every line anew.
  test::WriteBytes(disk.Path(), bytes);
  if (data.ConsumeBool()) {
    const int count = data.ConsumeIntegralInRange(0, 12);
    const int index = data.ConsumeIntegralInRange(0, count);
    EraseSetSection(disk, index, count);
    if (index == count)
      return;
  } else {
    // A line, as the program passes it: no line breaks in it.
    std::string newLine = data.ConsumeRandomLengthString(16);
    std::erase_if(newLine, [](char c) { return c == '\r' || c == '\n'; });
    ReplaceIniLine(disk.Path(), data.ConsumeRandomLengthString(16), newLine);
  }
  FUZZ_CHECK(OnlyCrLfLines(test::ReadBytes(disk.Path())));
}

// The sections are saved one by one into files of their own and joined:
// what saving each new set at the end of the file gives, at a fraction of
// the cost of searching the whole file for every key.
void DeleteFromWrittenFile(FuzzedDataProvider& data, PortableProfileFile& disk) {
  std::string bytes = "; remarks of the user\r\n";
  const int count = data.ConsumeIntegralInRange(1, 5);
  std::vector<TSetRecord> sets(static_cast<std::size_t>(count));
  TWindowOptions window{data.ConsumeIntegralInRange(0, count - 1), {}};
  for (int index = 0; index < count; ++index) {
    TSetRecord& set = sets[static_cast<std::size_t>(index)];
    set.Caption = fuzz::CleanName(data);
    set.IP = fuzz::CleanText(data, "0123456789.", 15);
    MemoryProfileFile section("");
    SaveSet(section, index, set);
    bytes += section.Bytes();
    window.SetNames.push_back(set.Caption);
    // A remark that looks like the next header, or a stray line, and a
    // blank line, as hand edits leave them.
    if (data.ConsumeBool())
      bytes += (data.ConsumeBool() ? ";[" : "") + std::to_string(index + 1) + "]\r\n\r\n";
  }
  MemoryProfileFile file(bytes);
  TOptionsSetting options;
  options.AskBeforeExit = data.ConsumeBool();
  LoadOrSaveOptions(false, file, options, window);

  test::WriteBytes(disk.Path(), file.Bytes());
  const int deleted = data.ConsumeIntegralInRange(0, count - 1);
  EraseSetSection(disk, deleted, count - 1);
  MemoryProfileFile after(test::ReadBytes(disk.Path()));
  for (int index = 0; index < count - 1; ++index) {
    const TSetRecord& expected = sets[static_cast<std::size_t>(index < deleted ? index : index + 1)];
    const std::string section = SetSectionName(index);
    FUZZ_CHECK(after.ReadString(section, "Caption", "none") == expected.Caption);
    FUZZ_CHECK(after.ReadString(section, "IP", "none") == expected.IP);
  }
  FUZZ_CHECK(after.ReadString(SetSectionName(count - 1), "Caption", "none") == "none");
  TOptionsSetting reread;
  TWindowOptions rereadWindow;
  LoadOrSaveOptions(true, after, reread, rereadWindow);
  FUZZ_CHECK(reread.AskBeforeExit == options.AskBeforeExit && rereadWindow.CurrentSet == window.CurrentSet);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static PortableProfileFile disk(fuzz::ScratchFolder() + "/data.ini");
  FuzzedDataProvider data(bytes, size);
  if (data.ConsumeBool())
    LoadAnyFile(data, disk);
  else
    DeleteFromWrittenFile(data, disk);
  return 0;
}
