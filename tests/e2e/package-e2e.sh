#!/usr/bin/env bash
# The two downloads under Wine, as a user and an administrator meet them:
# - the zip unpacks into one folder, from which Quorvin starts and writes its
#   data.ini beside itself;
# - the installer installs silently into a folder given with /D=; Quorvin
#   runs from there over the simulated network (a set from the command line,
#   the start with Windows from the options dialog: the simulation's task,
#   and an earlier version's Run values removed), and the installer refuses
#   to replace it while it runs; the silent uninstaller removes the files,
#   the shortcut, the Programs and Features entry, the scheduler's task and
#   an earlier version's Run values, and keeps data.ini; with /RemoveSets it
#   removes data.ini and the folder, and a Run value of another copy stays.
# Usage: package-e2e.sh ZIP SETUP BIN_DIR (WINEPREFIX and DISPLAY come from
# scripts/wine-env.sh). Exits 77, skipped, when the packages are not built.
set -uo pipefail
zip=$1 setup=$2 bin=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib.sh"
demo="$root/scripts/demo"
if [ ! -f "$zip" ] || [ ! -f "$setup" ]; then
  echo "skipped: build the packages first (cmake --build --preset windows-cross --target package)"
  exit 77
fi
failures=0
check() { # description, command...
  local what=$1; shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

# Shortcuts made under Wine would otherwise reach the host's own menus.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d"
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1

probe() { wine "$bin/quorvin_probe.exe" "$@"; }
exit_id=$(resource_id IDM_EXIT)
options_id=$(resource_id IDM_OPTIONS)

run_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
run_key_wow64='HKLM\SOFTWARE\WOW6432Node\Microsoft\Windows\CurrentVersion\Run'
run_value='Quorvin 3.5'
# Where Wine's scheduler keeps the task "Quorvin".
scheduled_task="$WINEPREFIX/drive_c/windows/system32/tasks/Quorvin"
entry_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Quorvin'
# The data of one registry value (64-bit view), empty when it is missing.
reg_value() { # key name
  wine reg query "$1" /v "$2" /reg:64 2>/dev/null | tr -d '\r' |
    awk -v name="$2" 'index($0, "    " name "    ") == 1 { sub(/^ +[^ ].*    REG_[A-Z_]+    /, ""); print }'
}
no_key() { ! wine reg query "$1" /reg:64 >/dev/null 2>&1; }
shortcut=$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Quorvin.lnk' 2>/dev/null)
program_files=(Quorvin.exe Pevrix.exe help.html ReadMe.txt Licence.txt)

work=$(mktemp -d)
network="$work/network"
mkdir "$network"
cp "$demo/network.ini" "$network/"
# Simulation mode and the ready marker for the Quorvin.exe in a folder.
simulate_in() {
  printf '[Simulation]\r\nFolder=%s\r\nReadyFile=%s\r\n' "$(winepath -w "$network")" "$(winepath -w "$work/ready")" \
    >"$1/simulate.ini"
}

start() { # folder, arguments...: Quorvin in the background, until its first show
  local folder=$1; shift
  rm -f "$work/ready"
  simulate_in "$folder"
  wine "$folder/Quorvin.exe" "$@" >>"$work/wine.log" 2>&1 &
  wait_until 60 test -s "$work/ready"
}
# Until every process of the prefix has ended; on a loaded machine a step
# can take long, but a program left waiting for an answer must not hold the
# test for ever.
settle() { timeout 180 wineserver -w || { echo "still running after 180 s: ended"; wineserver -k; }; }
quit() { # the confirmed exit
  probe command "$exit_id" >/dev/null
  probe press Quorvin "&Yes" 60 >/dev/null 2>&1
  probe wait none 60 >/dev/null
  settle
}
all_present() { local f; for f in "$@"; do [ -e "$f" ] || return 1; done; }
none_present() { local f; for f in "$@"; do [ ! -e "$f" ] || return 1; done; }
in_folder() { local folder=$1 f; shift; for f in "$@"; do printf '%s\n' "$folder/$f"; done; }

# The zip: one folder holding exactly the five files; a start from it, with
# no data.ini yet, writes data.ini beside Quorvin.exe at the exit.
unzip -q "$zip" -d "$work/zip"
check "the zip holds one folder" test "$(ls "$work/zip")" = "$(basename "$zip" .zip)"
portable="$work/zip/$(basename "$zip" .zip)"
check "the folder holds the programs, help.html, the read-me and the licence" \
  test "$(ls "$portable" | sort)" = "$(printf '%s\n' "${program_files[@]}" | sort)"
check "a start from the unpacked folder without simulate.ini is no simulation" \
  test ! -e "$portable/simulate.ini"
check "Quorvin starts from the unpacked folder" start "$portable"
quit
check "the unpacked Quorvin keeps its sets beside itself" grep -q '^TabCount=5' <(tr -d '\r' < "$portable/data.ini" 2>/dev/null)

# The installer, silent, into a folder of our own.
inst="$work/Apps/Quorvin"
mapfile -t installed < <(in_folder "$inst" "${program_files[@]}" Uninstall.exe)
wine "$setup" /S "/D=$(winepath -w "$inst")" >>"$work/wine.log" 2>&1
check "the silent install succeeds" test $? = 0
check "the programs, the help page, the read-me, the licence and the uninstaller are installed" all_present "${installed[@]}"
check "the Start menu has the shortcut" test -f "$shortcut"
check "Programs and Features shows the version" test "$(reg_value "$entry_key" DisplayVersion)" = 3.5
check "Programs and Features shows the publisher" test "$(reg_value "$entry_key" Publisher)" = "Corvane Software"
check "the entry's uninstaller is the installed one" \
  test "$(reg_value "$entry_key" QuietUninstallString)" = "\"$(winepath -w "$inst")\\Uninstall.exe\" /S"

# The installed program applies a set from its command line.
cp "$demo/data.ini" "$inst/"
simulate_in "$inst"
timeout 180 wine "$inst/Quorvin.exe" /Office >>"$work/wine.log" 2>&1
check "Quorvin /Office from the installed folder ends with 0" test $? = 0
settle
check "the set reached the simulated adapter" grep -q '^IPAddress=10.20.30.41' <(tr -d '\r' < "$network/network.ini")

# The options dialog switches the start with Windows on: the simulation's
# task starts the installed program; the Run values that an earlier version
# left in either registry view go. Hidden (-Start), the main window cannot
# be taken for the dialog of the same caption.
earlier_start="$(winepath -w "$inst")\\Quorvin.exe -Start"
add_run_values() { local key; for key in "$run_key" "$run_key_wow64"; do
  wine reg add "$key" /v "$run_value" /d "$earlier_start" /reg:64 /f >/dev/null 2>&1; done; }
no_run_values() { test -z "$(reg_value "$run_key" "$run_value")$(reg_value "$run_key_wow64" "$run_value")"; }
task_file="$network/tasks/Quorvin.xml"
add_run_values
start "$inst" -Start
probe wait hidden 60 >/dev/null
probe command "$options_id" >/dev/null
probe press "Quorvin 3.5" "Auto start when Windows starts" 60 >/dev/null
probe press "Quorvin 3.5" "&OK" 10 >/dev/null
wait_until 60 test -s "$task_file"
check "the options register the task for the installed program, quoted, with -Start" \
  grep -qF "<Command>\"$(winepath -w "$inst")\\Quorvin.exe\"</Command>" "$task_file"
check "the options remove an earlier version's Run values" no_run_values
timeout 120 wine "$setup" /S "/D=$(winepath -w "$inst")" >>"$work/wine.log" 2>&1
check "the installer refuses to run while Quorvin runs (exit code 2)" test $? = 2
quit
rm -f "$inst/simulate.ini"
sets=$(md5sum < "$inst/data.ini")

# The silent uninstall keeps the sets, and removes the start with Windows:
# the task of Wine's own scheduler (made from the simulation's definition)
# and an earlier version's Run values.
wine schtasks /create /tn Quorvin /xml "$(winepath -w "$task_file")" >>"$work/wine.log" 2>&1
check "Wine's scheduler holds the task" test -f "$scheduled_task"
add_run_values
wine "$inst/Uninstall.exe" /S >>"$work/wine.log" 2>&1
settle # the uninstaller runs on from a copy of itself
check "the silent uninstall removes the installed files" none_present "${installed[@]}"
check "the silent uninstall keeps data.ini as it was" test "$(md5sum < "$inst/data.ini" 2>/dev/null)" = "$sets"
check "the task is gone" test ! -e "$scheduled_task"
check "the Run values are gone" no_run_values
check "the Programs and Features entry is gone" no_key "$entry_key"
check "the shortcut is gone" test ! -e "$shortcut"

# Installed again over the kept sets, then removed with them. Meanwhile the
# unpacked copy starts with Windows: its Run value is not this folder's.
wine "$setup" /S "/D=$(winepath -w "$inst")" >>"$work/wine.log" 2>&1
check "installing again succeeds (exit code 0)" test $? = 0
settle
check "installing again keeps data.ini" test "$(md5sum < "$inst/data.ini" 2>/dev/null)" = "$sets"
check "installing again puts the uninstaller back" test -e "$inst/Uninstall.exe"
portable_start="$(winepath -w "$portable")\\Quorvin.exe -Start"
wine reg add "$run_key" /v "$run_value" /d "$portable_start" /reg:64 /f >/dev/null 2>&1
wine "$inst/Uninstall.exe" /S /RemoveSets >>"$work/wine.log" 2>&1
settle
check "/RemoveSets removes data.ini and the folder" test ! -e "$inst"
check "another copy's Run value stays" test "$(reg_value "$run_key" "$run_value")" = "$portable_start"
wine reg delete "$run_key" /v "$run_value" /reg:64 /f >/dev/null 2>&1

wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1
[ "$failures" = 0 ] && rm -rf "$work" || echo "left for a look: $work"
exit $((failures > 0))
