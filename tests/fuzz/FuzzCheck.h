#pragma once
// What the fuzz targets share: a failed property stops the run with a
// message, so that libFuzzer keeps the input that shows it; and texts drawn
// from an alphabet the profile functions keep as written.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace quorvin::fuzz {

#define FUZZ_CHECK(condition)                                                                    \
  do {                                                                                           \
    if (!(condition)) {                                                                          \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);     \
      std::abort();                                                                              \
    }                                                                                            \
  } while (false)

// Up to maxLength characters of alphabet; blanks inside only, never at an end.
inline std::string CleanText(FuzzedDataProvider& data, std::string_view alphabet, std::size_t maxLength) {
  std::string text;
  const std::size_t length = data.ConsumeIntegralInRange<std::size_t>(0, maxLength);
  for (std::size_t i = 0; i < length && data.remaining_bytes() > 0; ++i)
    text += alphabet[data.ConsumeIntegralInRange<std::size_t>(0, alphabet.size() - 1)];
  while (!text.empty() && text.front() == ' ')
    text.erase(0, 1);
  while (!text.empty() && text.back() == ' ')
    text.pop_back();
  return text;
}

// A name as the program writes it: letters, digits, inner blanks, dots.
inline std::string CleanName(FuzzedDataProvider& data) { return CleanText(data, "abcXYZ019 _-.", 8); }

// A file of one's own in the temporary folder (a memory file system when
// the script points TMPDIR at one), created at the first call.
std::string ScratchFolder();

} // namespace quorvin::fuzz
