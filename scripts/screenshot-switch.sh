#!/usr/bin/env bash
# Takes pictures of the progress dialog after a switch over a simulated
# network: build/screenshots/switch-ok.png (finished, no failures) and
# build/screenshots/switch-failed.png (finished with the failure list).
# Needs the windows-cross build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. "$root/scripts/lib.sh"

screenshot_setup quorvin_switchhint_demo
start_display

shoot_switch() { # mode, picture
  local log="$out_dir/switch-$1.log"
  start_background "$log" wine "$demo" "$1"
  wait_until 30 grep -q finished "$log" || { echo "the dialog did not finish ($1)" >&2; exit 1; }
  shoot Switch "$2" # after 0.5 s, for the grown dialog to repaint
  echo "$2"
  stop_background
}

shoot_switch ok "$out_dir/switch-ok.png"
shoot_switch fail "$out_dir/switch-failed.png"
