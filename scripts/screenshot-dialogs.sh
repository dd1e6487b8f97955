#!/usr/bin/env bash
# Takes pictures of the small dialogs at 96 and 144 DPI:
# build/screenshots/dialog-{options,rename,ask,keep,network,about}-{96,144}.png.
# Needs the windows-cross build (target quorvin_dialogs_demo).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. "$root/scripts/lib.sh"

screenshot_setup quorvin_dialogs_demo 'set_prefix_dpi 96 || true; stop_display'
start_display

shoot_dialog() { # dialog, caption, dpi
  local log="$out_dir/dialog-$1-$3.log" picture="$out_dir/dialog-$1-$3.png"
  start_background "$log" wine "$demo" "$1"
  wait_until 30 grep -q shown "$log" || { echo "the $1 dialog did not show" >&2; exit 1; }
  shoot --visible "$2" "$picture"
  echo "$picture $(identify -format '%wx%h' "$picture")"
  stop_background
}

for dpi in 96 144; do
  set_prefix_dpi "$dpi"
  shoot_dialog options 'Quorvin 3.5' "$dpi"
  shoot_dialog rename 'New Name for "SET1"' "$dpi"
  shoot_dialog ask 'Quorvin' "$dpi"
  shoot_dialog keep 'Quorvin' "$dpi"
  shoot_dialog network 'Network' "$dpi"
  shoot_dialog about 'About Quorvin' "$dpi"
done
