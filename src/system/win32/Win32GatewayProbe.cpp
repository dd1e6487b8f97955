#include "system/win32/Win32GatewayProbe.h"

#include "base/win32/IpHelperCalls.h"

#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>

namespace quorvin {
namespace {

struct IcmpCloser {
  void operator()(HANDLE icmp) const noexcept { system32::IcmpCloseHandle(icmp); }
};
using UniqueIcmp = std::unique_ptr<std::remove_pointer_t<HANDLE>, IcmpCloser>;

// Four decimal numbers of 0..255 joined by "."; the address in network byte
// order, as IcmpSendEcho2 takes it. Nothing for any other text (a host name
// is never looked up).
std::optional<IPAddr> ParseAddress(std::string_view text) {
  std::array<unsigned, 4> parts{};
  std::size_t part = 0;
  std::size_t digits = 0;
  for (const char c : text) {
    if (c == '.') {
      if (digits == 0 || ++part == parts.size())
        return std::nullopt;
      digits = 0;
    } else if (c >= '0' && c <= '9' && digits < 3) {
      parts[part] = parts[part] * 10 + static_cast<unsigned>(c - '0');
      ++digits;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0 || part != 3)
    return std::nullopt;
  IPAddr address = 0;
  auto* bytes = reinterpret_cast<unsigned char*>(&address);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (parts[i] > 255)
      return std::nullopt;
    bytes[i] = static_cast<unsigned char>(parts[i]);
  }
  return address;
}

} // namespace

bool Win32GatewayProbe::Answers(const std::string& address, unsigned timeoutMs) {
  const auto destination = ParseAddress(address);
  if (!destination)
    return false;
  HANDLE created = system32::IcmpCreateFile();
  if (created == INVALID_HANDLE_VALUE)
    return false;
  const UniqueIcmp icmp(created);
  char request[32] = "Quorvin gateway probe";
  // The reply, its echoed data, an ICMP error's 8 bytes and the status block
  // that IcmpSendEcho2 keeps at the end of the buffer.
  alignas(ICMP_ECHO_REPLY) unsigned char reply[sizeof(ICMP_ECHO_REPLY) + sizeof request + 8 + 64];
  const DWORD replies = system32::IcmpSendEcho2(icmp.get(), *destination, request, sizeof request, reply,
                                                sizeof reply, timeoutMs);
  return replies > 0 && reinterpret_cast<const ICMP_ECHO_REPLY*>(reply)->Status == IP_SUCCESS;
}

} // namespace quorvin
