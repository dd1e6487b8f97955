#include "switching/ProxyHelperCommand.h"

namespace quorvin {

std::string QuoteArgument(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text)
    if (c != '"' && c != '\0')
      quoted += c;
  return quoted + "\"";
}

std::string ProxyHelperCommandLine(std::string_view programFolder, bool useProxy, std::string_view address,
                                   std::string_view port) {
  std::string path(programFolder);
  path += kProxyHelperFileName;
  return QuoteArgument(path) + (useProxy ? " -set " : " -no ") + QuoteArgument(address) + " " +
         QuoteArgument(port);
}

} // namespace quorvin
