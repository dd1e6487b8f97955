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

bash scripts/setup.sh
cmake --preset windows-cross >/dev/null
cmake --build --preset windows-cross --target Quorvin Pevrix quorvin_probe

demo="$root/build/demo"
mkdir -p "$demo/network" "$root/build/screenshots"
cp build/windows-cross/bin/Quorvin.exe build/windows-cross/bin/Pevrix.exe "$demo/"
[ -f "$demo/data.ini" ] || cp scripts/demo/data.ini "$demo/"
[ -f "$demo/network/network.ini" ] || cp scripts/demo/network.ini "$demo/network/"

. scripts/wine-env.sh
headless=0
[ -z "${DISPLAY:-}" ] && headless=1
start_display
trap stop_display EXIT
export QUORVIN_SIMULATE
QUORVIN_SIMULATE=$(winepath -w "$demo/network")
desktop="explorer /desktop=Quorvin,1024x768"

if [ "$headless" = 0 ]; then
  echo "run: Quorvin in a Wine desktop (simulated network in $demo/network); Exit ends it"
  wine $desktop "$demo/Quorvin.exe"
  exit 0
fi

probe=build/windows-cross/bin/quorvin_probe.exe
shot() { import -window root "$root/build/screenshots/$1.png"; echo "run: screenshot build/screenshots/$1.png"; }
before=$(mktemp)
tr -d '\r' < "$demo/network/network.ini" > "$before"

wine $desktop "$demo/Quorvin.exe" >"$demo/quorvin.log" 2>&1 &
quorvin=$!
wine "$probe" wait visible 60 >/dev/null
sleep 2 # let the window finish painting before the picture
shot run-1-first-start

echo "run: applying the set \"Office\" from the command line (a second program run)"
wine "$probe" command 40001 >/dev/null || true # hide first: File > Exit asks, so close to the tray
wine "$probe" close >/dev/null
wine "$probe" wait hidden 20 >/dev/null
wine "$probe" command 40099 >/dev/null || true
