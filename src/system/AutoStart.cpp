#include "system/AutoStart.h"

#include "base/AsciiCase.h"
#include "base/QuorvinError.h"
#include "base/Texts.h"
#include "system/AccessRules.h"

#include <string>

namespace quorvin {
namespace {

std::string EscapeXml(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '&')
      escaped += "&amp;";
    else if (c == '<')
      escaped += "&lt;";
    else if (c == '>')
      escaped += "&gt;";
    else
      escaped += c;
  }
  return escaped;
}

std::string UnescapeXml(std::string_view text) {
  static constexpr std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string plain;
  for (std::size_t at = 0; at < text.size();) {
    bool replaced = false;
    for (const auto& [entity, c] : kEntities)
      if (text.substr(at, entity.size()) == entity) {
        plain += c;
        at += entity.size();
        replaced = true;
        break;
      }
    if (!replaced)
      plain += text[at++];
  }
  return plain;
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos)
    return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// Earlier versions started from a Run value, which Windows ignores for a
// program that asks for elevation; whichever view it was written in, it goes.
void RemoveRunValues(Registry& registry) {
  for (const bool wow64 : {false, true})
    if (const auto key = OpenRegistryKey(registry, RegistryRoot::LocalMachine, RunKeyPath(wow64),
                                         RegistryAccess::ReadWrite, false))
      key->Delete(kAutoStartValueName);
}

} // namespace

bool IsWow64(HostSettings& host) { return host.IsWow64Process(); }

std::string_view RunKeyPath(bool wow64) { return wow64 ? kRunKeyPathWow64 : kRunKeyPath; }

std::string AutoStartTaskXml(std::string_view executablePath) {
  // The whole users group, so that the task runs for whoever logs on; each
  // logon starts its own copy (Parallel), since every session needs its
  // icon. Priority 4 is a normal process: the default 7 would run the
  // window below normal priority for the whole session. The path is quoted:
  // an unquoted path with blanks is tried from the left ("C:\Program.exe").
  std::string xml =
      "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n"
      "  <RegistrationInfo>\r\n"
      "    <Description>Starts Quorvin in the notification area when a user logs on.</Description>\r\n"
      "  </RegistrationInfo>\r\n"
      "  <Triggers>\r\n"
      "    <LogonTrigger>\r\n"
      "      <Enabled>true</Enabled>\r\n"
      "    </LogonTrigger>\r\n"
      "  </Triggers>\r\n"
      "  <Principals>\r\n"
      "    <Principal id=\"Users\">\r\n"
      "      <GroupId>";
  xml += kUsersGroupSid;
  xml += "</GroupId>\r\n"
         "      <RunLevel>HighestAvailable</RunLevel>\r\n"
         "    </Principal>\r\n"
         "  </Principals>\r\n"
         "  <Settings>\r\n"
         "    <MultipleInstancesPolicy>Parallel</MultipleInstancesPolicy>\r\n"
         "    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>\r\n"
         "    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>\r\n"
         "    <StartWhenAvailable>true</StartWhenAvailable>\r\n"
         "    <ExecutionTimeLimit>PT0S</ExecutionTimeLimit>\r\n"
         "    <Priority>4</Priority>\r\n"
         "  </Settings>\r\n"
         "  <Actions Context=\"Users\">\r\n"
         "    <Exec>\r\n"
         "      <Command>\"";
  xml += EscapeXml(executablePath);
  xml += "\"</Command>\r\n"
         "      <Arguments>";
  xml += kAutoStartArgument;
  xml += "</Arguments>\r\n"
         "    </Exec>\r\n"
         "  </Actions>\r\n"
         "</Task>\r\n";
  return xml;
}

std::string TaskProgram(std::string_view xml) {
  const auto exec = xml.find("<Exec>");
  if (exec == std::string_view::npos)
    return {};
  const auto open = xml.find("<Command>", exec);
  const auto end = xml.find("</Exec>", exec);
  if (open == std::string_view::npos || open > end)
    return {};
  const auto start = open + std::string_view("<Command>").size();
  const auto close = xml.find("</Command>", start);
  if (close == std::string_view::npos)
    return {};
  std::string command = UnescapeXml(Trimmed(xml.substr(start, close - start)));
  if (command.size() >= 2 && command.front() == '"' && command.back() == '"')
    command = command.substr(1, command.size() - 2);
  return command;
}

std::string ProgramFolder(std::string_view executablePath) {
  const auto end = executablePath.find_last_of("\\/");
  if (end == std::string_view::npos || end == 0)
    return {};
  std::string folder(executablePath.substr(0, end));
  if (folder.size() == 2 && folder[1] == ':')
    folder += '\\';
  return folder;
}

bool ChangeableOnlyByAdministrators(HostSettings& host, std::string_view executablePath) {
  // A logon task with the highest run level runs whatever lies at its path:
  // if a user could replace the file, or put a DLL beside it, that user's
  // program would run elevated at the next administrator's logon.
  const std::string folder = ProgramFolder(executablePath);
  if (folder.empty())
    return false;
  for (const std::string& path : {std::string(executablePath), folder}) {
    const std::optional<std::string> rules = host.FileAccessRules(path);
    if (!rules || WritableByNonAdministrators(*rules))
      return false;
  }
  return true;
}

bool GetAutoStart(TaskScheduler& tasks, HostSettings& host) {
  const std::optional<std::string> xml = tasks.TaskXml(std::string(kAutoStartTaskName));
  return xml && EqualsIgnoringCase(TaskProgram(*xml), host.ExecutablePath());
}

void SetAutoStart(TaskScheduler& tasks, Registry& registry, HostSettings& host, bool on) {
  const std::string name(kAutoStartTaskName);
  if (on) {
    const std::string program = host.ExecutablePath();
    if (!ChangeableOnlyByAdministrators(host, program))
      throw QuorvinError(LoadText(TextId::AutoStartNeedsSafeFolder));
    const std::uint32_t status = tasks.RegisterTask(name, AutoStartTaskXml(program));
    if (status != TaskStatus::Success)
      throw QuorvinError(FormatText("Failed to set data for '%s'", name), status);
  } else {
    // A refused removal goes unreported, as the Run value's did: a task
    // that stays is seen the next time the options open.
    tasks.DeleteTask(name);
  }
  RemoveRunValues(registry);
}

void EnsureRegistryFlag(Registry& registry, std::string_view keyPath, std::string_view valueName,
                        std::uint32_t value) {
  const auto key = OpenRegistryKey(registry, RegistryRoot::LocalMachine, keyPath,
                                   RegistryAccess::ReadWrite, true);
  if (!key)
    return;
  const std::uint32_t current = key->HasValue(valueName) ? key->ReadInteger(valueName) : 0;
  if (current != 1)
    key->WriteInteger(valueName, value);
}

} // namespace quorvin
