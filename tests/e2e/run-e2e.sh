#!/usr/bin/env bash
# End-to-end checks of the built programs, driven from outside under Wine:
# Pevrix leaves the proxy values in the registry, and a switch over a
# simulated network leaves the applied values in its network.ini.
# Usage: run-e2e.sh BIN_DIR (WINEPREFIX and DISPLAY come from wine-env.sh).
set -uo pipefail
bin=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib.sh"
failures=0
check() { # description, command...
  local what=$1; shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

settings='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
query() { wine reg query "$settings" /v "$1" 2>/dev/null | tr -d '\r' | awk -v k="$1" '$1 == k { print $3 }'; }

saved_server=$(query ProxyServer); saved_enable=$(query ProxyEnable)
wine "$bin/Pevrix.exe" -set 10.9.8.7 3128
check "Pevrix -set writes the server" test "$(query ProxyServer)" = "10.9.8.7:3128"
check "Pevrix -set switches the proxy on" test "$(query ProxyEnable)" = 0x1
wine "$bin/Pevrix.exe" -NO 10.9.8.7 3128
check "Pevrix -no switches the proxy off" test "$(query ProxyEnable)" = 0x0
if [ -n "$saved_server" ]; then wine reg add "$settings" /v ProxyServer /d "$saved_server" /f >/dev/null 2>&1; fi
if [ -n "$saved_enable" ]; then wine reg add "$settings" /v ProxyEnable /t REG_DWORD /d "$((saved_enable))" /f >/dev/null 2>&1; fi

network=$(mktemp -d)
log="$network/demo.log"
QUORVIN_DEMO_FOLDER="$(winepath -w "$network")" start_background "$log" wine "$bin/quorvin_switchhint_demo.exe" ok
wait_until 30 grep -q finished "$log"
check "the switch dialog finishes" grep -q finished "$log"
stop_background
ini=$(tr -d '\r' < "$network/network.ini")
check "the adapter holds the fixed address" grep -q '^IPAddress=192.168.7.20$' <<<"$ini"
check "the adapter left DHCP" grep -q '^DHCPEnabled=0$' <<<"$ini"
check "the host holds the new name" grep -q '^ComputerName=LABPC$' <<<"$ini"
rm -rf "$network"

# Quorvin as a whole. Every program of the run shares one Wine desktop, so
# that the driver finds the windows and the notification area exists.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
demo="$root/scripts/demo"
. "$(dirname "$0")/quorvin-e2e.sh"
. "$(dirname "$0")/adapter-e2e.sh"
. "$(dirname "$0")/robust-e2e.sh"
wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1

exit $((failures > 0))
