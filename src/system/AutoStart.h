#pragma once
// The program's start with Windows and the machine-wide registry switches
// set at every start.
//
// The start with Windows is a task of the Task Scheduler: a program that
// asks for elevation is not started from the Run key at logon, but a logon
// task with the highest run level is, without a prompt. Earlier versions
// wrote a Run value; it is removed whenever the start is switched.

#include "system/HostSettings.h"
#include "system/Registry.h"
#include "system/TaskScheduler.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvin {

inline constexpr std::string_view kAutoStartTaskName = "Quorvin";
inline constexpr std::string_view kAutoStartArgument = "-Start";
// BUILTIN\Users: the task runs for whoever logs on.
inline constexpr std::string_view kUsersGroupSid = "S-1-5-32-545";

// The Run value of earlier versions.
inline constexpr std::string_view kAutoStartValueName = "Quorvin 3.5";
inline constexpr std::string_view kRunKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunKeyPathWow64 =
    "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";

// Whether this 32-bit program runs on 64-bit Windows.
bool IsWow64(HostSettings& host);
std::string_view RunKeyPath(bool wow64);

// The definition of the logon task that starts the program at path: at the
// logon of any user, for the users group with the highest run level, the
// quoted path with "-Start", without a time limit, started late when missed
// and on battery power alike.
std::string AutoStartTaskXml(std::string_view executablePath);
// The program that the first Exec action of a task definition starts,
// without its quotes; empty when there is none.
std::string TaskProgram(std::string_view xml);

// The folder of a program's path (a drive's root with its backslash);
// empty when the path names no folder.
std::string ProgramFolder(std::string_view executablePath);
// True when only administrators can change the program's file and its
// folder; rules that cannot be read count as changeable by anyone.
bool ChangeableOnlyByAdministrators(HostSettings& host, std::string_view executablePath);

// True when the task exists and starts this executable (paths compared
// without regard to case).
bool GetAutoStart(TaskScheduler& tasks, HostSettings& host);
// On: registers the task for this executable. A program that users other
// than administrators could change is refused with the program's text
// (AutoStartNeedsSafeFolder); a refused registration raises "Failed to set
// data for '%s'" with the task's name. Off: removes the task; a missing task
// or a refused removal is not reported. Either way, after success, the Run
// values of earlier versions (both registry views) are deleted.
void SetAutoStart(TaskScheduler& tasks, Registry& registry, HostSettings& host, bool on);

// Writes value under HKEY_LOCAL_MACHINE unless the value there is already 1.
// An existing value of another type than REG_DWORD raises "Invalid data type
// for '%s'", a refused write "Failed to set data for '%s'".
void EnsureRegistryFlag(Registry& registry, std::string_view keyPath, std::string_view valueName,
                        std::uint32_t value);

} // namespace quorvin
