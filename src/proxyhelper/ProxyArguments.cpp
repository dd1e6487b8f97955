#include "proxyhelper/ProxyArguments.h"

#include <algorithm>

namespace quorvin::pevrix {

namespace {

constexpr char kQuote = '"';

// Compared as unsigned: bytes of the ANSI code page above 0x7F are text.
bool IsSeparator(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

// Only a to z change; the C library's toupper would follow the locale.
char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> arguments;
  std::size_t at = 0;
  const std::size_t length = commandLine.size();
  for (;;) {
    while (at < length && IsSeparator(commandLine[at]))
      ++at;
    if (at == length)
      break;
    std::string argument;
    bool quoted = false;
    for (; at < length && (quoted || !IsSeparator(commandLine[at])); ++at) {
      if (commandLine[at] == kQuote)
        quoted = !quoted;
      else
        argument += commandLine[at];
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

ProxyArguments ParseProxyArguments(std::string_view commandLine) {
  const std::vector<std::string> arguments = SplitCommandLine(commandLine);
  auto at = [&arguments](std::size_t position) {
    return position < arguments.size() ? arguments[position] : std::string();
  };
  return ProxyArguments{at(1), at(2), at(3)};
}

bool SameCommand(std::string_view argument, std::string_view commandWord) {
  return std::ranges::equal(argument, commandWord,
                            [](char a, char b) { return UpperAscii(a) == UpperAscii(b); });
}

} // namespace quorvin::pevrix
