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

bool WriteProxyRegistry(ProxyRegistry& registry, bool enable, std::string_view proxyValue) {
  const std::unique_ptr<ProxySettingsKey> key = registry.OpenOrCreateKey(kInternetSettingsPath);
  if (!key)
    return false;
  if (const std::uint32_t status = key->WriteString(kProxyServerValue, proxyValue); status != 0)
    throw SetDataFailed(kProxyServerValue, status);
  if (const std::uint32_t status = key->WriteDword(kProxyEnableValue, enable ? 1 : 0); status != 0)
    throw SetDataFailed(kProxyEnableValue, status);
  return true;
}

bool SetProxy(ProxyPorts& ports, bool enable, std::string_view server, std::string_view port) {
  const bool written = WriteProxyRegistry(ports.Registry, enable, FormatProxyValue(server, port));
  ports.Options.SetOption(kOptionProxyUsername);
  ports.Options.SetOption(kOptionProxyPassword);
  ports.Options.SetOption(kOptionSettingsChanged);
  return written;
}

std::uint32_t RunProxyCommand(ProxyPorts& ports, const ProxyArguments& arguments) {
  bool enable = false;
  if (SameCommand(arguments.Command, kCommandOn))
    enable = true;
  else if (!SameCommand(arguments.Command, kCommandOff))
    return kExitBadCommand;
  return SetProxy(ports, enable, arguments.Server, arguments.Port) ? kExitDone : kExitKeyUnavailable;
}

std::uint32_t HandleProxyCommand(ProxyPorts& ports, std::string_view commandLine) {
  // The box says what was refused, also to someone who started Pevrix by
  // hand; Quorvin, which waits for the exit code, lists the failure too.
  try {
    return RunProxyCommand(ports, ParseProxyArguments(commandLine));
  } catch (const ProxyError& error) {
    ports.Errors.ShowError(error.what());
    return error.Code() != 0 ? error.Code() : kExitFailed;
  } catch (const std::exception& error) {
    ports.Errors.ShowError(error.what());
    return kExitFailed;
  }
}

} // namespace quorvin::pevrix
