#!/usr/bin/env bash
# Takes pictures of the main window over a simulated network, at 96 and at
# 144 DPI: build/screenshots/main-{static,dhcp,dropdown}-{96,144}.png (a set
# with a fixed address, a set on DHCP, the adapter list opened).
# Each DPI has a Wine prefix of its own in the build tree. Needs the
# windows-cross build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

demo="$root/build/windows-cross/bin/quorvin_main_demo.exe"
out_dir="$root/build/screenshots"
[ -f "$demo" ] || { echo "missing $demo: build the windows-cross preset first" >&2; exit 1; }
mkdir -p "$out_dir"

. scripts/wine-env.sh
demo_pid=
cleanup() {
  [ -n "$demo_pid" ] && { kill "$demo_pid" 2>/dev/null || true; wait "$demo_pid" 2>/dev/null || true; }
  stop_display
}
trap cleanup EXIT

# A prefix of its own at each DPI.
prepare_prefix() { # dpi
  export WINEPREFIX="$root/build/wineprefix-dpi$1"
  start_display
  set_prefix_dpi "$1"
}

shoot() { # mode, dpi
  local folder log picture="$out_dir/main-$1-$2.png"
  folder=$(mktemp -d)
  log="$folder/demo.log"
  QUORVIN_DEMO_FOLDER="$(winepath -w "$folder")" wine "$demo" "$1" >"$log" 2>&1 &
  demo_pid=$!
  for _ in $(seq 150); do grep -qs ready "$log" && break; sleep 0.2; done
  grep -qs ready "$log" || { echo "the window did not show ($1)" >&2; exit 1; }
  sleep 1 # let the window and the opened list paint
  import -window root -crop "$(window_geometry)" "$picture"
  echo "$picture"
  kill "$demo_pid" 2>/dev/null || true
  wait "$demo_pid" 2>/dev/null || true
  demo_pid=
  rm -rf "$folder"
}

# The main window's place on the screen; the opened list lies within it.
window_geometry() {
  local id
  id=$(xdotool search --name '^Quorvin 3.5$' | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  echo "${WIDTH}x${HEIGHT}+${X}+${Y}"
}

for dpi in 96 144; do
  prepare_prefix "$dpi"
  for mode in static dhcp dropdown; do shoot "$mode" "$dpi"; done
  stop_display
  unset DISPLAY
done
