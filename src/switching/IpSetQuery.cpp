#include "switching/IpSetQuery.h"

namespace quorvin {

namespace {

constexpr std::string_view kQueryHead =
    "Select * from Win32_NetworkAdapterConfiguration where (MACAddress=\"";
constexpr std::string_view kQueryTail = "\") and (IPEnabled=TRUE)";

bool IsUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

} // namespace

bool IsAdapterMacText(std::string_view mac) {
  // Pairs take three characters each with their separator, the last one two.
  if (mac.empty() || (mac.size() + 1) % 3 != 0)
    return false;
  for (std::size_t i = 0; i < mac.size(); ++i) {
    const bool separatorPlace = i % 3 == 2;
    if (separatorPlace ? mac[i] != ':' : !IsUpperHexDigit(mac[i]))
      return false;
  }
  return true;
}

std::string AdapterQueryText(std::string_view mac) {
  std::string query(kQueryHead);
  query += mac;
  query += kQueryTail;
  return query;
}

std::optional<std::string> MacOfAdapterQuery(std::string_view query) {
  if (query.size() < kQueryHead.size() + kQueryTail.size() || !query.starts_with(kQueryHead) ||
      !query.ends_with(kQueryTail))
    return std::nullopt;
  const std::string_view mac =
      query.substr(kQueryHead.size(), query.size() - kQueryHead.size() - kQueryTail.size());
  if (mac.find('"') != std::string_view::npos)
    return std::nullopt;
  return std::string(mac);
}

} // namespace quorvin
