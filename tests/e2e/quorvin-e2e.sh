#!/usr/bin/env bash
# Quorvin.exe as a whole, driven from outside under Wine + Xvfb: start-up,
# one instance, the notification icon, close and exit, the command line.
# Sourced by run-e2e.sh, which defines bin, check and failures and sources
# scripts/lib.sh.
# Each case starts from a fresh program folder over the demo network.

probe() { wine "$bin/quorvin_probe.exe" "$@"; }
exit_id=$(resource_id IDM_EXIT)
add_set_id=$(resource_id IDM_ADDNEWSET)
about_id=$(resource_id IDM_ABOUT)
adapter_box_id=$(resource_id IDC_CBNETWORKADAPTER)

new_folder() { # [data.ini to start with]
  folder=$(mktemp -d)
  cp "$bin/Quorvin.exe" "$bin/Pevrix.exe" "$bin/help.html" "$folder/"
  mkdir "$folder/network"
  cp "$demo/network.ini" "$folder/network/"
  [ -n "${1:-}" ] && cp "$1" "$folder/data.ini"
  # Simulation mode and the ready marker, both beside the program.
  printf '[Simulation]\r\nFolder=network\r\nReadyFile=ready\r\n' >"$folder/simulate.ini"
}
start() { # the program in the background; shown waits for its first show
  rm -f "$folder/ready"
  wine "$folder/Quorvin.exe" "$@" >>"$folder/wine.log" 2>&1 &
  quorvin=$!
}
shown() { wait_until 60 test -s "$folder/ready"; }
# The program's process has ended once its window is gone for good.
ended() { probe wait none "${1:-30}" >/dev/null; }
quit() { # the confirmed exit, answering the question when it comes
  probe command "$exit_id" >/dev/null
  probe press Quorvin "&Yes" 5 >/dev/null 2>&1
  ended
}
finish() { quit >/dev/null 2>&1; wineserver -w; rm -rf "$folder"; }
# A window titled CAPTION shows TEXT. A command-line run shows the main
# window for a moment before it hides it, and it has the same title as a
# message box: ask again until the box is there.
shows() { # caption text
  for _ in $(seq 30); do
    probe texts "$1" 60 2>/dev/null | tr -d '\r' | grep -qF -- "$2" && return 0
  done
  return 1
}
# Runs a command in the program folder that starts a command-line run,
# waits for the window titled CAPTION to show TEXT, presses its OK and
# checks the exit code that the command ends with.
run_and_answer() { # what caption text code command...
  local what=$1 caption=$2 text=$3 code=$4
  shift 4
  (cd "$folder" && exec "$@" >/dev/null 2>&1) &
  local run=$!
  check "$what: the dialog says so" shows "$caption" "$text"
  probe press "$caption" OK 20 >/dev/null
  wait "$run"
  check "$what: the run ends with $code" test $? = "$code"
}
# The office adapter of the demo network takes no IP settings: a run of
# "Office" gets failure lines for IP and DNS Server.
refuse_office_adapter() { sed -i 's/^\[Adapter0\]/&\nIPEnabled=0/' "$folder/network/network.ini"; }

# First start: no data.ini yet.
new_folder
start
check "first start shows the window" probe wait visible 60
check "first start opens the help page beside the program" \
  grep -qiF "Open $(winepath -w "$folder")\help.html" "$folder/network/opened.txt"
check "the notification icon shows the program's picture" probe tray-icon
check "the adapter box has the focus" test "$(probe focus | tr -d '\r')" = "$adapter_box_id"
probe endsession >/dev/null
check "logging off saves the options without a question" grep -q '^TabCount=5' <(tr -d '\r' < "$folder/data.ini")
quit
check "the exit writes the defaults" grep -q '^TabCount=5' <(tr -d '\r' < "$folder/data.ini")
finish

# Close box and the exit question.
new_folder "$demo/data.ini"
start
probe wait visible 60 >/dev/null
probe close >/dev/null
check "the close box hides the window" probe wait hidden 20
check "the hidden program still runs" test "$(probe state | tr -d '\r')" = hidden
probe tray left >/dev/null
check "a left click on the icon shows it again" probe wait visible 20
probe tray right >/dev/null
check "a right click opens the menu" probe menu 10
probe close >/dev/null # ends the menu's loop, and hides the window
probe tray left >/dev/null
probe wait visible 20 >/dev/null
check "the icon comes back after the taskbar restarts" probe taskbar-restart
probe command "$exit_id" >/dev/null
probe press Quorvin "&No" 10 >/dev/null
check "No keeps the program" probe wait visible 10
probe command "$exit_id" >/dev/null
probe press Quorvin "Don't ask me next time" 10 >/dev/null
probe press Quorvin "&No" 10 >/dev/null
probe wait visible 10 >/dev/null
probe command "$exit_id" >/dev/null
check "after \"Don't ask me next time\" the exit asks nothing" ended 20
check "the choice reaches data.ini" grep -q '^AskBeforeExit=0' <(tr -d '\r' < "$folder/data.ini")
finish

# A second start without "/" shows the first and ends.
new_folder "$demo/data.ini"
start -Start
shown
check "-Start ends hidden in the notification area" probe wait hidden 60
# The system DLLs that are no KnownDLLs are loaded at their first use
# (src/base/win32/System32Library.h): none while the program only sits in the
# notification area. Wine maps each DLL from its file, as it maps the .exe.
tray_maps_no_late_dll() {
  local maps
  maps=$(cat "/proc/$quorvin/maps") || return 1
  grep -q '/Quorvin\.exe$' <<<"$maps" || return 1
  local late
  late=$(grep -ioE '(iphlpapi|netapi32|urlmon|wininet|winspool)\.(dll|drv)$' <<<"$maps" | sort -u)
  [ -z "$late" ] || { echo "     loaded:" $late; return 1; }
}
check "in the notification area none of the DLLs loaded at first use is loaded" tray_maps_no_late_dll
for argument in "" -Start; do
  wine "$folder/Quorvin.exe" $argument >>"$folder/wine.log" 2>&1
  check "a second start ($argument) shows the first" probe wait visible 20
  probe close >/dev/null
  probe wait hidden 20 >/dev/null
done
check "the second starts did not apply a set" grep -q '^DHCPEnabled=1' "$folder/network/network.ini"

# A second start with "/name" hands the set to the running instance, waits
# for its run and ends with its code and lines: 0 applied, 1 failure lines,
# 2 no such set (the running window shows itself), 4 busy.
second() { # argument: a start from a prompt, its output redirected to out.txt
  (cd "$folder" && exec wine cmd /c "Quorvin.exe $1 > out.txt") >/dev/null 2>&1
}
sum=$(md5sum < "$folder/data.ini")
second /oFFICE
check "a handed-over set is applied and ends with 0" test $? = 0
check "the handed-over set reached the adapter" grep -q '^IPAddress=10.20.30.41' "$folder/network/network.ini"
check "the running window stays hidden" test "$(probe state | tr -d '\r')" = hidden
check "the applied run prints nothing" test ! -s "$folder/out.txt"
second /Nowhere
check "an unknown set ends with 2" test $? = 2
check "an unknown set says so" test "$(tr -d '\r' < "$folder/out.txt")" = 'No set is named "Nowhere"'
check "an unknown set shows the running window" probe wait visible 20
probe command "$about_id" >/dev/null
shows "About Quorvin" Version >/dev/null
second /Home
check "a running instance with a dialog open is busy: 4" test $? = 4
check "the busy start says so" test "$(tr -d '\r' < "$folder/out.txt")" = "Quorvin is busy"
probe press "About Quorvin" "&OK" 20 >/dev/null
refuse_office_adapter
(cd "$folder" && exec wine cmd /c "Quorvin.exe /Office > out.txt") >/dev/null 2>&1 &
handed=$!
check "failure lines of a handed-over set: its dialog stays open" shows Switch "[ IP ]: "
probe press Switch OK 20 >/dev/null
wait "$handed"
check "failure lines of a handed-over set end with 1" test $? = 1
check "the second start prints the failure lines" \
  test "$(sed 's/\]: .*\r$/]/' "$folder/out.txt")" = "$(printf '[ IP ]\n[ DNS Server ]')"
probe close >/dev/null
probe wait hidden 20 >/dev/null
check "the running instance wrote nothing of the handed-over runs" test "$(md5sum < "$folder/data.ini")" = "$sum"
finish

# Exit chosen from the notification icon while a switch holds in a pause
# of its adapter step (the simulation's "hold" file): the program ends once
# the run has completed. The Office set without a gateway pauses there.
new_folder "$demo/data.ini"
sed -i 's/^AutoCloseDialog=0/AutoCloseDialog=1/; s/^Gateway=10.20.30.1\r$/Gateway=\r/' "$folder/data.ini"
touch "$folder/network/hold"
start -Start
shown
probe wait hidden 60 >/dev/null
probe tray right >/dev/null
probe choose 1 >/dev/null # Office
wait_until 60 test -f "$folder/network/held"
check "the switch holds in its pause" test -f "$folder/network/held"
probe tray right >/dev/null
probe choose 8 >/dev/null # the three sets (greyed), Undo Last Switch, Open, Online Help, About, Exit
probe press Quorvin "&Yes" 20 >/dev/null
rm -f "$folder/network/hold"
check "Exit during the pause ends the program after the run" ended 60
check "the run completed before the end" grep -q '^IPAddress=10.20.30.41' "$folder/network/network.ini"
finish

# "/name" in other letter case applies the set and saves nothing.
new_folder "$demo/data.ini"
# A save would write the clamped "DefaultTab" (2): the bytes show that
# nothing was written.
sed -i 's/^DefaultTab=0/DefaultTab=9/' "$folder/data.ini"
sum=$(md5sum < "$folder/data.ini")
start /oFFICE
check "a command-line run that applies every item ends by itself with 0" wait "$quorvin"
ini=$(tr -d '\r' < "$folder/network/network.ini")
check "the set reached the adapter" grep -q '^IPAddress=10.20.30.41$' <<<"$ini"
check "the adapter left DHCP" grep -q '^DHCPEnabled=0$' <<<"$ini"
check "data.ini is untouched" test "$(md5sum < "$folder/data.ini")" = "$sum"
finish

# "/undo" puts back what the last switch changed (Office: the address
# choice, the DNS servers and the default printer), and then there is
# nothing left to undo (2).
new_folder "$demo/data.ini"
recorded() {
  tr -d '\r' < "$folder/network/network.ini" |
    sed -n '/^\[Windows\]/,/^\[/{/^Device=/p}; /^\[Adapter0\]/,/^\[Adapter1\]/{/^\(DHCPEnabled\|DNSServers\)=/p}'
}
before=$(recorded)
start /Office
wait "$quorvin"
check "the switch changed the recorded items" test "$(recorded)" != "$before"
check "the switch left its record beside data.ini" grep -q '^\[Undo\]' "$folder/undo.ini"
start /UNDO
check "/undo ends with 0" wait "$quorvin"
check "/undo gives the recorded items back as they were" test "$(recorded)" = "$before"
check "the record is gone" test ! -e "$folder/undo.ini"
run_and_answer "a second /undo" "Quorvin 3.5" "There is no switch to undo." 2 wine "$folder/Quorvin.exe" /undo
finish

# The exit codes of a command-line run: 0 above; 1 with failure lines (the
# dialog stays open until OK); 2 when Activate refuses.
for case in "failure lines" "no adapter" "no ticked item"; do
  new_folder "$demo/data.ini"
  case $case in
  "failure lines")
    refuse_office_adapter
    run_and_answer "$case" "Please wait..." "[ IP ]: " 1 wine "$folder/Quorvin.exe" /Office ;;
  "no adapter")
    sed -i 's/^AdapterCount=2/AdapterCount=0/' "$folder/network/network.ini"
    run_and_answer "$case" "Quorvin 3.5" "Please select a netword adapter." 2 wine "$folder/Quorvin.exe" /Office ;;
  "no ticked item")
    sed -i '/^\[0\]/,/^\[1\]/ s/^\(EnableIP\|DnsServer\|DefaultPrinter\)=1/\1=0/' "$folder/data.ini"
    run_and_answer "$case" "Quorvin 3.5" "Please click those checkbox to select which items you want to switch." 2 \
      wine "$folder/Quorvin.exe" /Office ;;
  esac
  finish
done

# Started from a console, a run prints its failure lines there: into an
# output that the prompt redirected, or onto the prompt's console (script
# gives the prompt a terminal). Started without one, it prints nothing.
new_folder "$demo/data.ini"
refuse_office_adapter
run_and_answer "from a prompt, output redirected" "Please wait..." "[ IP ]: " 1 \
  wine cmd /c "Quorvin.exe /Office > out.txt"
check "a redirected output gets each failure line" \
  test "$(sed 's/\]: .*\r$/]/' "$folder/out.txt")" = "$(printf '[ IP ]\n[ DNS Server ]')"
run_and_answer "from a console" "Please wait..." "[ IP ]: " 1 \
  script -qec "stty cols 400; wine cmd /c start /wait Quorvin.exe /Office" console.log
check "the console shows the failure lines" \
  grep -q '\[ DNS Server \]: Please check' <(tr -d '\r' < "$folder/console.log")
run_and_answer "without a console" "Please wait..." "[ IP ]: " 1 \
  script -qec "wine '$bin/quorvin_probe.exe' detached '$(winepath -w "$folder/Quorvin.exe")' /Office" detached.log
check "started without a console, nothing is printed" \
  test -z "$(grep -v '^Script ' "$folder/detached.log" | tr -d '\r\n')"
finish

# A set chosen from the notification icon's menu is applied while the
# window stays hidden; the menu lists the sets as they are when it opens.
new_folder "$demo/data.ini"
start -Start
shown
probe wait hidden 60 >/dev/null
probe tray right >/dev/null
probe choose 3 >/dev/null # Office, Home, Lab
check "a set chosen from the tray runs its switch" shows Switch "Finished!"
check "the window stays hidden during the switch" test "$(probe state | tr -d '\r')" = hidden
probe press Switch OK 60 >/dev/null
check "the set from the tray reached its adapter" grep -q '^IPAddress=172.16.5.20' "$folder/network/network.ini"
check "the window stays hidden after the switch" test "$(probe state | tr -d '\r')" = hidden
probe command "$add_set_id" >/dev/null
probe press "New Set" "&OK" 20 >/dev/null
probe tray right >/dev/null
probe choose 4 >/dev/null
check "the menu lists a set added since it was last open" shows "Quorvin 3.5" "Please select a netword adapter."
probe press "Quorvin 3.5" OK 20 >/dev/null
check "the refusal left the window hidden" test "$(probe state | tr -d '\r')" = hidden
finish

# Keep or revert, asked after every switch from the tray (AskToKeep=2):
# Keep stores the set's fingerprint; Revert, a program killed during the
# question (offered at its next start) and the time running out (5 seconds
# then) each give the adapter back as it was before the switch.
new_folder "$demo/data.ini"
sed -i 's/^AutoCloseDialog=0\r$/AutoCloseDialog=1\r\nAskToKeep=2\r\nKeepSeconds=300\r/' "$folder/data.ini"
adapter0() {
  tr -d '\r' < "$folder/network/network.ini" |
    sed -n '/^\[Adapter0\]/,/^\[Adapter1\]/{/^\(DHCPEnabled\|IPAddress\)=/p}' | tr '\n' ' '
}
office='DHCPEnabled=0 IPAddress=10.20.30.41 '
office_back() { test "$(adapter0)" = "$office"; }
# The revert's own progress dialog gone, the tray's sets are enabled again.
reverted() { wait_until 30 office_back && wait_until 20 not probe texts Switch 0; }
from_tray() { probe tray right >/dev/null; probe choose "$1" >/dev/null; shows Quorvin "Keep these network settings?"; }
start -Start
shown
probe wait hidden 60 >/dev/null
check "a switch from the tray asks to keep it" from_tray 1 # Office
probe press Quorvin "&Keep" 20 >/dev/null
wait_until 20 grep -q '^KeptAdapterItems=' "$folder/data.ini"
check "Keep leaves the set applied and its fingerprint with it" \
  test "$(adapter0)" = "$office" -a "$(grep -c '^KeptAdapterItems=' "$folder/data.ini")" = 1
from_tray 2 # Home
check "the question comes once the switch has applied" grep -q '^DHCPEnabled=1' <<<"$(adapter0)"
probe press Quorvin "&Revert" 20 >/dev/null
check "Revert gives the adapter back" reverted
from_tray 2
wineserver -k
check "a question left open is in the record" grep -q '^\[Question\]' "$folder/undo.ini"
sed -i 's/^KeepSeconds=300/KeepSeconds=5/' "$folder/data.ini"
start
check "the next start offers the revert" shows "Quorvin 3.5" "The last network switch was not confirmed. Revert it?"
probe press "Quorvin 3.5" "&Yes" 20 >/dev/null
check "the offered revert gives the adapter back" reverted
from_tray 2
check "the time running out reverts" reverted
finish

# Switching by network. Office (DHCP's suffix of the office network) is
# applied by itself when the office network comes, and once: its fixed
# address drops the suffix and gives the gateway that Home names, so a
# network taken for a new one at each change would switch back and forth
# (the gateway's MAC says it is the same). Lab asks first about its Wi-Fi
# network; the balloon's click applies it. The tray then checks the set in
# effect and its tip names it; /status says the same to a script.
new_folder "$demo/data.ini"
sed -i 's/^Caption=Office\r$/&\nNetworkDnsSuffix=office.corvane.example\r\nNetworkSwitch=Apply\r/
        s/^Caption=Home\r$/&\nNetworkGateway=10.20.30.1\r\nNetworkSwitch=Apply\r/
        s/^Caption=Lab\r$/&\nNetworkSsid=CorvaneLab\r\nNetworkSwitch=Ask\r/' "$folder/data.ini"
network_ini="$folder/network/network.ini"
sed -i 's/^\[Adapter0\]\r$/&\nGatewayMAC=00:24:01:AA:BB:CC\r\nDNSSuffix=home.example\r\nDHCPGateway=192.168.1.1\r/
        s/^\[Adapter1\]\r$/&\nSSID=CorvaneGuest\r/' "$network_ini"
adapter() { # N: the adapter's DHCP flag and addresses
  tr -d '\r' <"$network_ini" | sed -n "/^\[Adapter$1\]/,/^\[/{/^\(DHCPEnabled\|IPAddress\)=/p}" | tr '\n' ' '
}
# Wine shows an icon's tip only to the X server's own pointer: the pointer
# leaves and comes back to the icon until the tip says it. The icon is where
# the system says, else in the first place of the notification area of the
# 1024 x 768 desktop's taskbar.
tip_says() {
  local centre
  centre=$(probe icon-centre) || centre="1013 758"
  centre=${centre//$'\r'/}
  for _ in $(seq 10); do
    xdotool mousemove 500 300 mousemove $centre
    probe shows-tip "$1" 3 >/dev/null && return 0
  done
  return 1
}
checked_item() { xdotool mousemove 10 10; probe tray right >/dev/null; probe menu-check | tr -d '\r'; }
start -Start
shown
probe wait hidden 60 >/dev/null
sed -i 's/^GatewayMAC=00:24.*/GatewayMAC=00:1B:21:4C:7A:10\r/; s/^DNSSuffix=.*/DNSSuffix=office.corvane.example\r/
        s/^DHCPGateway=.*/DHCPGateway=10.20.30.254\r/' "$network_ini"
check "on the office network Office is applied by itself" \
  wait_until 60 grep -q '^IPAddress=10.20.30.41' "$network_ini"
check "its progress dialog closes by itself" wait_until 30 not probe texts Switch 0
check "the tray's tip names the set in effect" tip_says "Quorvin - Office (10.20.30.41)"
check "the tray menu checks Office" test "$(checked_item)" = 1
sed -i 's/^SSID=.*/SSID=CorvaneLab\r/' "$network_ini"
balloon_asks() { probe shows-tip "$1" 60 >/dev/null; }
check "on Lab's Wi-Fi network a balloon asks first" balloon_asks 'Lab network found. Apply the set "Lab"?'
# The balloon's change was decided after every change before it: a switch
# back to Home would have come first.
check "Office was applied once, nothing switched back" \
  test "$(adapter 0)" = "DHCPEnabled=0 IPAddress=10.20.30.41 "
probe tray balloon >/dev/null
check "the balloon's click applies Lab" shows Switch "Finished!"
probe press Switch OK 60 >/dev/null
check "Lab reached its adapter" wait_until 20 grep -q '^IPAddress=172.16.5.20' "$network_ini"
(cd "$folder" && wine Quorvin.exe /status >status.txt 2>/dev/null)
check "/status ends with 0" test $? = 0
check "/status gives each adapter, its network and the set in effect as JSON" python3 - "$folder/status.txt" <<'PY'
import json, sys
office, lab = [json.loads(line) for line in open(sys.argv[1], encoding="utf-8") if line.strip()]
assert office["address"] == "10.20.30.41" and office["inEffect"] == ["Office"], office
# Office's suffix went with DHCP; Home names the gateway of Office's address.
assert office["matching"] == ["Home"] and office["network"]["gatewayMac"] == "00:1B:21:4C:7A:10", office
assert lab["inEffect"] == ["Lab"] and lab["matching"] == ["Lab"] and lab["network"]["ssid"] == "CorvaneLab", lab
PY
finish

# Starts that show the window: an unknown set, "-start" in other case.
for argument in /Nowhere -start; do
  new_folder "$demo/data.ini"
  start $argument
  check "$argument starts normally" probe wait visible 60
  finish
done

# The tabs follow TabCount.
for count in 3 7; do
  new_folder "$demo/data.ini"
  sed -i "s/^TabCount=3/TabCount=$count/" "$folder/data.ini"
  start
  probe wait visible 60 >/dev/null
  check "TabCount $count gives $count tabs" test "$(probe tabs | tr -d '\r')" = "$count"
  finish
done
