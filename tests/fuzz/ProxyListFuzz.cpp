// The reader of the system's proxy list. Any list: the server is a piece of
// it that ends where a ":" follows in the list. A list of entries
// "protocol=host:port" joined by ";": the http entry's host and port when
// there is one; without one, the first ":" splits the list, whose rest is a
// port only when no entry follows.
#include "fuzz/FuzzCheck.h"

#include "system/ProxySettings.h"

#include <array>
#include <optional>
#include <string>

using namespace quorvin;

namespace {

constexpr std::array<std::string_view, 5> kProtocols{"http", "https", "ftp", "socks", "gopher"};

void CheckAnyList(std::string_view list, std::string_view protocol) {
  const ProxyAddress address = GetProxyFor(list, protocol);
  if (address.Server.empty())
    return;
  FUZZ_CHECK(list.find(address.Server + ":") != std::string_view::npos);
}

void CheckEntries(FuzzedDataProvider& data) {
  std::string list;
  std::optional<ProxyAddress> http;
  int lastPort = 0;
  const int entries = data.ConsumeIntegralInRange(1, 4);
  for (int i = 0; i < entries; ++i) {
    const std::string_view protocol = kProtocols[data.ConsumeIntegralInRange<std::size_t>(0, kProtocols.size() - 1)];
    const std::string host = fuzz::CleanText(data, "abcz019.-", 12);
    const int port = data.ConsumeIntegralInRange(1, 65535);
    const bool named = entries > 1 || data.ConsumeBool();
    if (!list.empty())
      list += ';';
    list += (named ? std::string(protocol) + "=" : "") + host + ":" + std::to_string(port);
    lastPort = port;
    if (!http && (!named || protocol == "http"))
      http = ProxyAddress{host, port};
  }
  const ProxyAddress address = GetProxyFor(list, "http");
  if (http) {
    FUZZ_CHECK(address == *http);
  } else {
    FUZZ_CHECK(address.Server == list.substr(0, list.find(':')) && address.Port == (entries == 1 ? lastPort : 0));
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  if (data.ConsumeBool()) {
    const std::string protocol = data.ConsumeRandomLengthString(8);
    const std::string list = data.ConsumeRemainingBytesAsString();
    CheckAnyList(list, protocol);
    CheckAnyList(list, "http");
  } else {
    CheckEntries(data);
  }
  return 0;
}
