#!/usr/bin/env bash
# Installs what is missing, builds the Windows programs and starts Quorvin
# under Wine in a virtual desktop, in simulation mode: a demo network of two
# adapters and two printers (scripts/demo/network.ini) and three demo sets.
# Everything lives in build/demo/, which holds Quorvin.exe beside its
# data.ini, as an unpacked copy would.
#
# With a display, Quorvin runs until you choose Exit (tray icon or File menu).
# Without one, an Xvfb display is started and the whole job is shown: the
# first start, the set "Office" applied from the command line, the window
# shown again; the changes to the simulated network are printed and the
# screenshots left in build/screenshots/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. "$root/scripts/lib.sh"

bash scripts/setup.sh
cmake --preset windows-cross >/dev/null
cmake --build --preset windows-cross --target Quorvin Pevrix quorvin_probe

demo="$root/build/demo"
mkdir -p "$demo/network" "$root/build/screenshots"
cp build/windows-cross/bin/Quorvin.exe build/windows-cross/bin/Pevrix.exe build/windows-cross/bin/help.html "$demo/"
[ -f "$demo/data.ini" ] || cp scripts/demo/data.ini "$demo/"
[ -f "$demo/network/network.ini" ] || cp scripts/demo/network.ini "$demo/network/"

. scripts/wine-env.sh
headless=0
[ -z "${DISPLAY:-}" ] && headless=1
start_display
trap stop_display EXIT
# One Wine desktop for every program of the run: the notification area
# lives there, and the driver below sees Quorvin's windows.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Quorvin /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Quorvin /d 1024x768 /f >/dev/null 2>&1
# Simulation mode: simulate.ini beside the program names the network.
printf '[Simulation]\r\nFolder=network\r\n' >"$demo/simulate.ini"

if [ "$headless" = 0 ]; then
  echo "run: Quorvin in a Wine desktop (simulated network in build/demo/network); Exit ends it"
  wine "$demo/Quorvin.exe"
  exit 0
fi

probe() { wine build/windows-cross/bin/quorvin_probe.exe "$@"; }
exit_id=$(resource_id IDM_EXIT)
shots="$root/build/screenshots"
shot() { sleep 1; import -window root "$shots/$1.png"; echo "run: screenshot build/screenshots/$1.png"; }
quit() {
  probe command "$exit_id" >/dev/null
  probe press Quorvin "&Yes" 10 >/dev/null 2>&1 || true
  probe wait none 30 >/dev/null
  wineserver -w
}
before=$(mktemp)
tr -d '\r' < "$demo/network/network.ini" > "$before"

echo "run: first start"
wine "$demo/Quorvin.exe" >>"$demo/wine.log" 2>&1 &
probe wait visible 60 >/dev/null
shot run-1-window
quit

echo "run: Quorvin.exe /Office (applies the set \"Office\" and ends)"
wine "$demo/Quorvin.exe" /Office >>"$demo/wine.log" 2>&1 &
probe wait none 120 >/dev/null
wineserver -w

echo "run: started again to show the window"
wine "$demo/Quorvin.exe" >>"$demo/wine.log" 2>&1 &
probe wait visible 60 >/dev/null
shot run-2-window-again
quit

echo "run: what the set changed in the simulated network (build/demo/network/network.ini):"
diff "$before" <(tr -d '\r' < "$demo/network/network.ini") | sed -n 's/^[<>] /  &/p' || true
rm -f "$before"
echo "run: done; screenshots in build/screenshots/"
