#include "proxyhelper/ProxyCommand.h"

#include <exception>

namespace quorvin::pevrix {

namespace {

ProxyError SetDataFailed(std::string_view valueName, std::uint32_t code) {
  const std::size_t at = kSetDataFailedText.find("%s");
  std::string text(kSetDataFailedText.substr(0, at));
  text += valueName;
  text += kSetDataFailedText.substr(at + 2);
  return ProxyError(text, code);
}

} // namespace

std::string FormatProxyValue(std::string_view server, std::string_view port) {
  std::string value(server);
  value += ':';
  value += port;
  return value;
}

void WriteProxyRegistry(ProxyRegistry& registry, bool enable, std::string_view proxyValue) {
  const std::unique_ptr<ProxySettingsKey> key = registry.OpenOrCreateKey(kInternetSettingsPath);
  if (!key)
    return;
  if (const std::uint32_t status = key->WriteString(kProxyServerValue, proxyValue); status != 0)
    throw SetDataFailed(kProxyServerValue, status);
  if (const std::uint32_t status = key->WriteDword(kProxyEnableValue, enable ? 1 : 0); status != 0)
    throw SetDataFailed(kProxyEnableValue, status);
}

void SetProxy(ProxyPorts& ports, bool enable, std::string_view server, std::string_view port) {
  WriteProxyRegistry(ports.Registry, enable, FormatProxyValue(server, port));
  ports.Options.SetOption(kOptionProxyUsername);
  ports.Options.SetOption(kOptionProxyPassword);
  ports.Options.SetOption(kOptionSettingsChanged);
}

void RunProxyCommand(ProxyPorts& ports, const ProxyArguments& arguments) {
  if (SameCommand(arguments.Command, kCommandOff))
    SetProxy(ports, false, arguments.Server, arguments.Port);
  if (SameCommand(arguments.Command, kCommandOn))
    SetProxy(ports, true, arguments.Server, arguments.Port);
}

void HandleProxyCommand(ProxyPorts& ports, std::string_view commandLine) {
  try {
    RunProxyCommand(ports, ParseProxyArguments(commandLine));
  } catch (const std::exception& error) {
    // Nobody waits for the helper's result, so the user is the only one
    // who can hear of a failure.
    ports.Errors.ShowError(error.what());
  }
}

} // namespace quorvin::pevrix
