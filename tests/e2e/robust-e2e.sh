#!/usr/bin/env bash
# Quorvin.exe against hostile settings files, and what a whole run of it
# touches, driven from outside under Wine + Xvfb. Sourced by run-e2e.sh after
# quorvin-e2e.sh, whose helpers it uses (new_folder, start, quit, finish,
# probe); bin, check and scripts/lib.sh come from run-e2e.sh.

main_texts() { probe texts "Quorvin 3.5" 10 | tr -d '\r'; }
shown_within() { wait_until "$1" test -s "$folder/ready"; } # seconds: the program's first show is done
# The writes that the exit makes (the options, in their order), made by the
# system's profile writer on a copy of the file. What the writer does to the
# rest of the file (Windows edits it in place, Wine rewrites it) it does to
# the copy too, so the program's own share shows in a byte comparison.
write_exit_options() { # file default-tab tab-count
  wine "$bin/quorvin_profile_write.exe" "$(winepath -w "$1")" Options "DefaultTab=$2" "TabCount=$3" \
    AutoCloseDialog=0 AskBeforeLoad=1 AskBeforeExit=1 >/dev/null
}

# ---- Hostile data.ini: the program starts, shows defaults, exits, and the
# file keeps all it held.

# The defaults, as a first start (no file at all) shows them.
new_folder
start
shown_within 60
default_texts=$(main_texts)
finish

hostile() { # name file tabs default-tab-written tab-count-written seconds
  local name=$1 file=$2 expected
  expected=$(mktemp)
  cp "$file" "$expected"
  check "$name: the exit's writes are made on a copy" write_exit_options "$expected" "$4" "$5"
  new_folder "$file"
  start
  check "$name: the program starts" shown_within "$6"
  check "$name: $3 tabs" test "$(probe tabs | tr -d '\r')" = "$3"
  check "$name: the shown set has the defaults" test "$(main_texts)" = "$default_texts"
  check "$name: the exit ends the program" quit
  check "$name: what the file held is kept" cmp -s "$folder/data.ini" "$expected"
  finish
  rm -f "$expected"
}

hostile_file=$(mktemp)
: >"$hostile_file"
hostile "empty file" "$hostile_file" 5 0 5 60

# Bytes of no text at all: the helper program's executable.
hostile "binary file" "$bin/Pevrix.exe" 5 0 5 60

# 50 MB of 100,000-character lines, with a header, a key and the first set's
# caption of that length, and a "TabCount" of 100,000 digits (no number).
long=$(head -c 100000 /dev/zero | tr '\0' 'q')
{
  printf '[0]\r\nCaption=%s\r\n[%s]\r\n%s=v\r\n[Bulk]\r\n' "$long" "$long" "$long"
  yes "$long"$'\r' | head -n 520
  printf '[Options]\r\nTabCount=%s\r\n' "$(tr q 7 <<<"$long")"
} >"$hostile_file"
hostile "50 MB of 100,000-character lines" "$hostile_file" 5 0 5 300

# Counts far beyond the sets: at most 1000 tabs, the first one shown.
printf '[Options]\r\nDefaultTab=-7\r\nTabCount=2147483647\r\nAutoCloseDialog=99999999999999999999\r\n' >"$hostile_file"
hostile "absurd counts" "$hostile_file" 1000 0 1000 120
rm -f "$hostile_file"

# ---- What a whole run touches: start, an edit, an activation over the
# simulated network, the options (the start with Windows switched on), the
# exit. Only the documented places may change: data.ini, the record of the
# last switch (undo.ini), network.ini and the simulation's task file in the
# program's folder, the two "LongPathsEnabled"
# values and the user's proxy values; an earlier version's Run values (in
# either registry view) go.

registry_lines() { # one line per key and value of the prefix, without timestamps
  wineserver -w
  (cd "$WINEPREFIX" && awk '
    FNR == 1 { file = FILENAME; key = ""; pending = "" }
    { sub(/\r$/, "") }
    pending != "" { pending = pending $0; if (sub(/\\$/, "", pending)) next; print file "|" key "|" pending; pending = ""; next }
    /^\[/ { key = $0; sub(/\][ \t]+[0-9]+$/, "]", key); print file "|" key; next }
    /^[#;]/ || /^WINE REGISTRY/ || /^$/ { next }
    { if (sub(/\\$/, "")) { pending = $0; next } print file "|" key "|" $0 }
  ' system.reg user.reg userdef.reg) | LC_ALL=C sort
}
# The Run values written before the run were there then and are gone now.
run_values_removed() {
  test "$(grep -Ec 'CurrentVersion\\\\Run\]\|"Quorvin 3.5"=' <<<"$registry_before")" = 2 &&
    ! wine reg query "$run_key" /v "Quorvin 3.5" >/dev/null 2>&1 &&
    ! wine reg query "$run_key_wow64" /v "Quorvin 3.5" >/dev/null 2>&1
}
folder_files() { (cd "$folder" && find . -type f ! -name ready ! -name wine.log -exec md5sum {} + | LC_ALL=C sort); }

run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
run_key_wow64='HKLM\Software\WOW6432Node\Microsoft\Windows\CurrentVersion\Run'
internet='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
for key in "$run_key" "$run_key_wow64"; do
  wine reg add "$key" /v "Quorvin 3.5" /d 'C:\Quorvin\Quorvin.exe -Start' /f >/dev/null 2>&1
done
wine reg delete 'HKLM\System\CurrentControlSet\Control\FileSystem' /v LongPathsEnabled /f >/dev/null 2>&1
wine reg delete 'HKLM\System\CurrentControlSet\Policies' /v LongPathsEnabled /f >/dev/null 2>&1
wine reg add "$internet" /v ProxyServer /d before.test:1 /f >/dev/null 2>&1
wine reg add "$internet" /v ProxyEnable /t REG_DWORD /d 1 /f >/dev/null 2>&1

new_folder "$demo/data.ini"
registry_before=$(registry_lines)
files_before=$(folder_files)
start
shown_within 60
# Ticking the proxy item makes the activation start Pevrix, and the set
# changed is saved at the exit.
probe press "Quorvin 3.5" "Proxy Server" 10 >/dev/null
probe command "$(resource_id IDM_ACTIVATE)" >/dev/null
wait_until 30 probe press Switch OK 1 >/dev/null
wait_until 20 not probe texts Switch 0 >/dev/null
probe command "$(resource_id IDM_OPTIONS)" >/dev/null
# The options dialog carries the main window's caption: try until it is the
# window found.
wait_until 10 probe press "Quorvin 3.5" "Auto start when Windows starts" 0 >/dev/null
probe press "Quorvin 3.5" "&OK" 10 >/dev/null
check "a whole run ends with the exit" quit
wineserver -w
registry_changes=$(LC_ALL=C comm -3 <(echo "$registry_before") <(registry_lines) | sed 's/^\t//')
files_changed=$(LC_ALL=C comm -3 <(echo "$files_before") <(folder_files) | sed 's/^\t//' | awk '{ print $2 }' | sort -u)

# Wine's display driver writes the display adapter's driver date and the
# monitor's properties whenever a desktop starts, whatever runs on it.
documented='^system\.reg\|\[Software\\\\(Wow6432Node\\\\)?Microsoft\\\\Windows\\\\CurrentVersion\\\\Run\]\|"Quorvin 3\.5"=
^system\.reg\|\[System\\\\CurrentControlSet\\\\Control\\\\FileSystem\]\|"LongPathsEnabled"=
^system\.reg\|\[System\\\\CurrentControlSet\\\\Policies\](\|"LongPathsEnabled"=|$)
^user\.reg\|\[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Internet Settings\]\|"Proxy(Server|Enable)"=
^system\.reg\|\[System\\\\CurrentControlSet\\\\Control\\\\Class\\\\\{4D36E968-E325-11CE-BFC1-08002BE10318\}\\\\[0-9]+\]\|"DriverDateData"=
^system\.reg\|\[System\\\\CurrentControlSet\\\\Enum\\\\DISPLAY\\\\'
undocumented=$(grep -Ev "$documented" <<<"$registry_changes")
check "the registry changes only in the documented places" test -z "$undocumented"
[ -n "$undocumented" ] && echo "$undocumented"
check "an earlier version's Run values are removed" run_values_removed
check "both LongPathsEnabled values are set" test "$(grep -c '"LongPathsEnabled"=dword:00000001' <<<"$registry_changes")" = 2
check "the proxy values were written" test "$(grep -Ec '"Proxy(Server|Enable)"=' <<<"$registry_changes")" = 4
check "the program folder changes only in data.ini, network.ini, the task file and undo.ini" \
  test "$(echo $files_changed)" = "./data.ini ./network/network.ini ./network/tasks/Quorvin.xml ./undo.ini"
check "the simulated task starts the quoted Quorvin.exe with -Start" \
  grep -qF "<Command>\"$(winepath -w "$folder")\\Quorvin.exe\"</Command>" "$folder/network/tasks/Quorvin.xml"
check "the edited set was saved" grep -q '^ProxyServer=1' <(tr -d '\r' <"$folder/data.ini")
finish
wine reg delete "$run_key" /v "Quorvin 3.5" /f >/dev/null 2>&1
wine reg delete "$run_key_wow64" /v "Quorvin 3.5" /f >/dev/null 2>&1
