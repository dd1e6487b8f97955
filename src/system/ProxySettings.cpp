#include "system/ProxySettings.h"

#include <charconv>

namespace quorvin {
namespace {

// The port text as a number, 0 when it is no integer: blanks before it and
// a sign are allowed, nothing after it.
int PortNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  if (text.starts_with('+'))
    text.remove_prefix(1);
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size() ? number : 0;
}

} // namespace

std::string GetProxyList(HostSettings& host) {
  ProxyInfo info;
  if (host.QueryProxy(info) && info.AccessType == kInternetOpenTypeProxy)
    return info.ProxyList;
  return {};
}

ProxyAddress GetProxyFor(std::string_view proxyList, std::string_view protocol) {
  ProxyAddress address;
  if (proxyList.empty())
    return address;
  const std::string marker = std::string(protocol) + "=";
  if (const auto at = proxyList.find(marker); at != std::string_view::npos) {
    proxyList.remove_prefix(at + marker.size());
    proxyList = proxyList.substr(0, proxyList.find(';'));
  }
  if (const auto colon = proxyList.find(':'); colon != std::string_view::npos) {
    address.Server = std::string(proxyList.substr(0, colon));
    address.Port = PortNumber(proxyList.substr(colon + 1));
  }
  return address;
}

ProxyAddress GetProxyFor(HostSettings& host, std::string_view protocol) {
  return GetProxyFor(GetProxyList(host), protocol);
}

void WriteProxyRegistry(Registry& registry, bool enable, std::string_view value) {
  const auto key = OpenRegistryKey(registry, RegistryRoot::CurrentUser, kInternetSettingsPath,
                                   RegistryAccess::ReadWrite, true);
  if (!key)
    return;
  key->WriteString("ProxyServer", value);
  key->WriteInteger("ProxyEnable", enable ? 1 : 0);
}

void ApplyProxyInProcess(Registry& registry, HostSettings& host, bool enable,
                         std::string_view address, std::string_view port) {
  WriteProxyRegistry(registry, enable, std::string(address) + ":" + std::string(port));
  // The record carries the proxy whether it is switched on or off.
  host.SetProxy({kInternetOpenTypeProxy, std::string(address), std::string()});
  host.SendInternetOption(kInternetOptionSettingsChanged);
  host.SendInternetOption(kInternetOptionProxyUsername);
}

} // namespace quorvin
