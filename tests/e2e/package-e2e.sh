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
#   removes data.ini and the folder, and a Run value of another copy stays;
# - the MSI installs silently into Program Files\Quorvin, Quorvin runs from
#   there, a higher version (built here from the same WiX source) replaces
#   it and keeps data.ini, the silent uninstall removes the files, the
#   shortcut, the entry, the scheduler's task and undo.ini and keeps data.ini
#   (REMOVESETS=1 removes it); SETSFILE fills in data.ini only where there is
#   none.
# Usage: package-e2e.sh ZIP SETUP BIN_DIR MSI WXS ICON (WINEPREFIX and DISPLAY
# come from scripts/wine-env.sh; WXS and ICON are the configured WiX source
# and the program's icon, for the higher version). Exits 77, skipped, when
# the packages are not built.
set -uo pipefail
zip=$1 setup=$2 bin=$3 msi=$4 wxs=$5 icon=$6
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib.sh"
demo="$root/scripts/demo"
if [ ! -f "$zip" ] || [ ! -f "$setup" ] || [ ! -f "$msi" ]; then
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

# Sets shipped with the installer (/SETS=): checked by the program's own
# loader first; copied to data.ini only when there is none.
printf 'MZ\0\0binary' >"$work/damaged.ini"
wine "$setup" /S "/SETS=$(winepath -w "$work/damaged.ini")" "/D=$(winepath -w "$inst")" >>"$work/wine.log" 2>&1
check "/SETS= with a damaged file is refused (exit code 3)" test $? = 3
check "a refused /SETS= installs nothing" test ! -e "$inst"
wine "$setup" /S "/SETS=$(winepath -w "$demo/data.ini")" "/D=$(winepath -w "$inst")" >>"$work/wine.log" 2>&1
check "/SETS= with good sets installs (exit code 0)" test $? = 0
settle
check "/SETS= copies the sets to data.ini" cmp -s "$demo/data.ini" "$inst/data.ini"
printf '[Options]\r\nTabCount=1\r\n' >"$work/other.ini"
wine "$setup" /S "/SETS=$(winepath -w "$work/other.ini")" "/D=$(winepath -w "$inst")" >>"$work/wine.log" 2>&1
settle
check "/SETS= never replaces data.ini" cmp -s "$demo/data.ini" "$inst/data.ini"
wine "$inst/Uninstall.exe" /S /RemoveSets >>"$work/wine.log" 2>&1
settle

# The MSI, silent, per machine. Wine resolves the Start menu of a per-machine
# MSI (ProgramMenuFolder) to the user's, not to the common one that Windows
# uses, so the shortcut is looked for in both.
msi_dir=$(winepath -u 'C:\Program Files\Quorvin' 2>/dev/null)
user_programs=$(wine cmd /c echo '%APPDATA%' 2>/dev/null | tr -d '\r')
user_shortcut=$(winepath -u "$user_programs\\Microsoft\\Windows\\Start Menu\\Programs\\Quorvin.lnk" 2>/dev/null)
msi_shortcut_present() { test -f "$shortcut" || test -f "$user_shortcut"; }
msi_shortcut_absent() { test ! -e "$shortcut" && test ! -e "$user_shortcut"; }
msi_entry() { # the uninstall entry of an MSI: its ProductCode
  printf '%s\\%s' 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall' \
    "$(msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductCode" { print $2 }')"
}
quorvin_entries() { # how many uninstall entries are Quorvin's
  wine reg query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall' /s /reg:64 2>/dev/null | tr -d '\r' |
    grep -c '^ *DisplayName    REG_SZ    Quorvin$'
}
msiexec() { wine msiexec "$@" >>"$work/wine.log" 2>&1; local result=$?; settle; return $result; }
mapfile -t msi_installed < <(in_folder "$msi_dir" "${program_files[@]}")

msiexec /i "$(winepath -w "$msi")" /qn
check "msiexec /i /qn succeeds (exit code 0)" test $? = 0
check "the MSI installs the five files of the zip into Program Files\\Quorvin" all_present "${msi_installed[@]}"
check "the MSI installs nothing else" test "$(ls "$msi_dir" | sort)" = "$(printf '%s\n' "${program_files[@]}" | sort)"
check "the MSI makes the Start-menu shortcut" msi_shortcut_present
entry=$(msi_entry "$msi")
check "the MSI's uninstall entry shows the version" test "$(reg_value "$entry" DisplayVersion)" = 3.5
check "the MSI's uninstall entry shows the publisher" test "$(reg_value "$entry" Publisher)" = "Corvane Software"

# The program installed by the MSI applies a set from its command line.
cp "$demo/network.ini" "$network/"
cp "$demo/data.ini" "$msi_dir/"
simulate_in "$msi_dir"
timeout 180 wine "$msi_dir/Quorvin.exe" /Office >>"$work/wine.log" 2>&1
check "Quorvin /Office from the MSI's folder ends with 0" test $? = 0
settle
check "the set reached the simulated adapter (MSI)" grep -q '^IPAddress=10.20.30.41' <(tr -d '\r' < "$network/network.ini")
rm -f "$msi_dir/simulate.ini"
sets=$(md5sum < "$msi_dir/data.ini")

# A higher version, built from the same source and the zip's files,
# replaces the installed one and keeps the sets.
higher="$work/Quorvin-higher.msi"
bash "$root/packaging/msi/build-msi.sh" "$wxs" "$portable" "$icon" "$higher" -D Version=3.6 >>"$work/wine.log" 2>&1
check "the higher version builds" test -f "$higher"
msiexec /i "$(winepath -w "$higher")" /qn
check "the upgrade succeeds (exit code 0)" test $? = 0
check "after the upgrade there is one uninstall entry" test "$(quorvin_entries)" = 1
check "the older version's entry is gone" no_key "$entry"
check "the entry shows the new version" test "$(reg_value "$(msi_entry "$higher")" DisplayVersion)" = 3.6
check "the upgrade keeps data.ini as it was" test "$(md5sum < "$msi_dir/data.ini" 2>/dev/null)" = "$sets"
check "the upgrade leaves the five files" all_present "${msi_installed[@]}"

# The silent uninstall: the files, the shortcut, the entry, the scheduler's
# task and undo.ini go; data.ini stays.
cat >"$work/task.xml" <<TASK
<?xml version="1.0" encoding="UTF-16"?>
<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task">
  <Triggers><LogonTrigger><Enabled>true</Enabled></LogonTrigger></Triggers>
  <Actions Context="Author"><Exec><Command>"$(winepath -w "$msi_dir")\\Quorvin.exe"</Command><Arguments>-Start</Arguments></Exec></Actions>
</Task>
TASK
wine schtasks /create /tn Quorvin /xml "$(winepath -w "$work/task.xml")" >>"$work/wine.log" 2>&1
check "Wine's scheduler holds the task (MSI)" test -f "$scheduled_task"
printf '[Undo]\r\n' >"$msi_dir/undo.ini"
msiexec /x "$(winepath -w "$higher")" /qn
check "msiexec /x /qn succeeds (exit code 0)" test $? = 0
check "the MSI's uninstall removes the installed files" none_present "${msi_installed[@]}"
check "the MSI's uninstall removes undo.ini" test ! -e "$msi_dir/undo.ini"
check "the MSI's uninstall keeps data.ini as it was" test "$(md5sum < "$msi_dir/data.ini" 2>/dev/null)" = "$sets"
check "the MSI's uninstall removes the task" test ! -e "$scheduled_task"
check "the MSI's uninstall removes the entry" test "$(quorvin_entries)" = 0
check "the MSI's uninstall removes the shortcut" msi_shortcut_absent

# Sets shipped with the program: SETSFILE never replaces an existing
# data.ini, and fills in a missing one; REMOVESETS=1 removes it. A damaged
# file fails the install, which leaves nothing behind.
printf '[Options]\r\nTabCount=1\r\n[0]\r\nCaption=Shipped\r\n' >"$work/shipped.ini"
shipped=$(winepath -w "$work/shipped.ini")
msiexec /i "$(winepath -w "$msi")" /qn "SETSFILE=$shipped"
check "installing with SETSFILE succeeds (exit code 0)" test $? = 0
check "SETSFILE leaves an existing data.ini as it was" test "$(md5sum < "$msi_dir/data.ini" 2>/dev/null)" = "$sets"
msiexec /x "$(winepath -w "$msi")" /qn REMOVESETS=1
check "msiexec /x REMOVESETS=1 succeeds (exit code 0)" test $? = 0
check "REMOVESETS=1 removes data.ini and the folder" test ! -e "$msi_dir"
printf 'MZ\0\0binary' >"$work/damaged.ini"
msiexec /i "$(winepath -w "$msi")" /qn "SETSFILE=$(winepath -w "$work/damaged.ini")"
# Windows reports 1603; Wine's msiexec 1627, of which a Unix exit status
# keeps the low byte.
check "a damaged SETSFILE fails the install (a non-zero exit code)" test $? != 0
check "a failed install leaves no folder" test ! -e "$msi_dir"
msiexec /i "$(winepath -w "$msi")" /qn "SETSFILE=$shipped"
check "SETSFILE becomes data.ini where there is none" cmp -s "$work/shipped.ini" "$msi_dir/data.ini"
msiexec /x "$(winepath -w "$msi")" /qn REMOVESETS=1
check "the last uninstall leaves no folder" test ! -e "$msi_dir"

wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1
[ "$failures" = 0 ] && rm -rf "$work" || echo "left for a look: $work"
exit $((failures > 0))
