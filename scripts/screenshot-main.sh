#!/usr/bin/env bash
# Takes pictures of the main window over a simulated network, at 96 and at
# 144 DPI: build/screenshots/main-{static,dhcp,dropdown}-{96,144}.png (a set
# with a fixed address, a set on DHCP, the adapter list opened).
# Each DPI has a Wine prefix of its own in the build tree. Needs the
# windows-cross build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. "$root/scripts/lib.sh"

screenshot_setup quorvin_main_demo

# A prefix of its own at each DPI.
prepare_prefix() { # dpi
  export WINEPREFIX="$root/build/wineprefix-dpi$1"
  start_display
  set_prefix_dpi "$1"
}

shoot_main() { # mode, dpi
  local folder log picture="$out_dir/main-$1-$2.png"
  folder=$(mktemp -d)
  log="$folder/demo.log"
  QUORVIN_DEMO_FOLDER="$(winepath -w "$folder")" start_background "$log" wine "$demo" "$1"
  wait_until 30 grep -qs ready "$log" || { echo "the window did not show ($1)" >&2; exit 1; }
  # The main window's place on the screen after a second to paint; the
  # opened list lies within it.
  shoot --crop 'Quorvin 3.5' "$picture" 1
  echo "$picture"
  stop_background
  rm -rf "$folder"
}

for dpi in 96 144; do
  prepare_prefix "$dpi"
  for mode in static dhcp dropdown; do shoot_main "$mode" "$dpi"; done
  stop_display
  unset DISPLAY
done
