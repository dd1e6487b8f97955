#include "system/sim/InMemoryHost.h"

#include "base/AsciiCase.h"

namespace quorvin {

bool InMemoryHost::ChangeComputerName(ComputerNameKind kind, const std::string& name) {
  Calls.push_back("SetComputerName " + std::to_string(static_cast<int>(kind)) + " " + name);
  if (RefusedNameKinds.contains(kind))
    return false;
  if (kind == ComputerNameKind::PhysicalNetBios)
    ComputerNameValue = name;
  return true;
}

std::optional<std::string> InMemoryHost::FileAccessRules(const std::string& path) {
  const auto found = AccessRules.find(path);
  return found == AccessRules.end() ? DefaultAccessRules : found->second;
}

std::uint32_t InMemoryHost::QueryWorkgroup(std::string& name) {
  if (WorkgroupStatus == 0)
    name = Workgroup;
  return WorkgroupStatus;
}

std::uint32_t InMemoryHost::JoinWorkgroup(const std::string& name) {
  Calls.push_back("JoinWorkgroup " + name);
  if (JoinStatus == 0)
    Workgroup = name;
  return JoinStatus;
}

std::string InMemoryHost::ReadProfileText(const std::string& section, const std::string& key,
                                        const std::string& defaultValue, std::size_t bufferSize) {
  const auto found = Profile.find({LowerAscii(section), LowerAscii(key)});
  return CutToBuffer(found == Profile.end() ? defaultValue : found->second, bufferSize);
}

bool InMemoryHost::WriteProfileText(const std::string& section, const std::string& key,
                                    const std::string& value) {
  Calls.push_back("WriteProfileString " + section + " " + key + "=" + value);
  if (AcceptedProfileWrites == 0)
    return false;
  --AcceptedProfileWrites;
  Profile[{LowerAscii(section), LowerAscii(key)}] = value;
  return true;
}

bool InMemoryHost::QueryProxy(ProxyInfo& info) {
  if (ProxyQuerySucceeds)
    info = Proxy;
  return ProxyQuerySucceeds;
}

void InMemoryHost::SetProxy(const ProxyInfo& info) {
  Calls.push_back("SetProxy " + std::to_string(info.AccessType) + " " + info.ProxyList + " " +
                  info.Bypass);
  Proxy = info;
}

void InMemoryHost::SendInternetOption(std::uint32_t option) {
  Calls.push_back("SendInternetOption " + std::to_string(option));
}

std::uint32_t InMemoryHost::TickCount() {
  const std::uint32_t now = Tick;
  Tick += TickStep;
  return now;
}

std::optional<int> InMemoryHost::ProcessMessages() {
  return ++MessagesHandled == 1 ? QuitAtFirstMessages : std::nullopt;
}

void InMemoryHost::WaitForMessages(std::uint32_t milliseconds) {
  Calls.push_back("WaitForMessages " + std::to_string(milliseconds));
  Tick += WaitSlice != 0 && WaitSlice < milliseconds ? WaitSlice : milliseconds;
}

} // namespace quorvin
