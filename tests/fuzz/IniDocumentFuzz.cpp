// The INI engine over any bytes: reads, writes and erases in any order.
// Beyond not crashing: a value written with a clean name reads back as
// written, and a write or an erase leaves every other section's values
// alone; an erased section reads as missing; every name read or written
// reads as in a document made anew from the same bytes. Also the value
// forms: every 32-bit integer survives its decimal text.
#include "fuzz/FuzzCheck.h"

#include "base/AsciiCase.h"
#include "store/IniDocument.h"
#include "store/IniValues.h"

#include <string>
#include <utility>
#include <vector>

using namespace quorvin;

namespace {

// Values the reads give back unchanged: no blanks at the ends, no outer
// quotes (the first character is a letter), no line breaks.
std::string CleanValue(FuzzedDataProvider& data) { return "v" + fuzz::CleanText(data, "ab=;[]#'\" 09.x", 12); }

// Whether a write with these names stays within its own section: the
// program never writes a name with a line break, a "]" in a section name or a
// key that starts like a header.
bool StaysInSection(std::string_view section, std::string_view key) {
  return section.find_first_of("\r\n]") == std::string_view::npos &&
         key.find_first_of("\r\n") == std::string_view::npos && !TrimBlanks(key).starts_with('[');
}

void CheckValueForms(FuzzedDataProvider& data) {
  const auto number = data.ConsumeIntegral<std::int32_t>();
  FUZZ_CHECK(ParseInteger(std::to_string(number)) == number);
  const std::string text = data.ConsumeRandomLengthString(24);
  if (const auto parsed = ParseInteger(text); parsed && text.find_first_of("$xX") == std::string::npos)
    FUZZ_CHECK(ParseInteger(std::to_string(*parsed)) == parsed);
}

// The document's kept section starts go wrong only through edits that keep
// them; an edit that may drop them, and the end of the input, is where every
// name used since the last such point must read as in a document made anew.
void CheckAgainstFresh(const IniDocument& document, std::vector<std::pair<std::string, std::string>>& names) {
  const IniDocument fresh(document.Bytes());
  for (const auto& [section, key] : names)
    FUZZ_CHECK(document.Read(section, key) == fresh.Read(section, key));
  names.clear();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  IniDocument document(data.ConsumeRandomLengthString(4096));
  std::vector<std::pair<std::string, std::string>> used;
  while (data.remaining_bytes() > 0) {
    const int operation = data.ConsumeIntegralInRange(0, 4);
    if (operation == 2 || operation == 3)
      CheckAgainstFresh(document, used);
    // A witness in some other section, read before and after.
    const std::string otherSection = fuzz::CleanName(data);
    const std::string otherKey = fuzz::CleanName(data);
    const auto before = document.Read(otherSection, otherKey);
    std::string section;
    std::string key;
    switch (operation) {
    case 0: {
      section = data.ConsumeRandomLengthString(16);
      key = data.ConsumeRandomLengthString(16);
      const auto value = document.Read(section, key);
      FUZZ_CHECK(!value || value->find_first_of("\r\n") == std::string::npos);
      break;
    }
    case 1: {
      section = fuzz::CleanName(data);
      key = fuzz::CleanName(data);
      const std::string value = CleanValue(data);
      document.Write(section, key, value);
      FUZZ_CHECK(document.Read(section, key) == value);
      break;
    }
    case 2: {
      section = data.ConsumeRandomLengthString(16);
      key = data.ConsumeRandomLengthString(16);
      std::string value = data.ConsumeRandomLengthString(32);
      // A single-line edit gives no line breaks.
      std::erase_if(value, [](char c) { return c == '\r' || c == '\n'; });
      document.Write(section, key, value);
      break;
    }
    case 3: {
      section = data.ConsumeBool() ? fuzz::CleanName(data) : data.ConsumeRandomLengthString(16);
      key = fuzz::CleanName(data);
      document.EraseSection(section);
      FUZZ_CHECK(!document.Read(section, key));
      break;
    }
    default:
      CheckValueForms(data);
      continue;
    }
    if (StaysInSection(section, key) && !EqualsIgnoringCase(TrimBlanks(section), otherSection))
      FUZZ_CHECK(document.Read(otherSection, otherKey) == before);
    used.emplace_back(std::move(section), std::move(key));
    used.emplace_back(otherSection, otherKey);
  }
  CheckAgainstFresh(document, used);
  return 0;
}
