#!/usr/bin/env bash
# Takes pictures of the four small dialogs at 96 and 144 DPI:
# build/screenshots/dialog-{options,rename,ask,about}-{96,144}.png.
# Needs the windows-cross build (target quorvin_dialogs_demo).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

demo="$root/build/windows-cross/bin/quorvin_dialogs_demo.exe"
out_dir="$root/build/screenshots"
[ -f "$demo" ] || { echo "missing $demo: build the windows-cross preset first" >&2; exit 1; }
mkdir -p "$out_dir"

. scripts/wine-env.sh
start_display
demo_pid=
cleanup() {
  [ -n "$demo_pid" ] && { kill "$demo_pid" 2>/dev/null || true; wait "$demo_pid" 2>/dev/null || true; }
  set_prefix_dpi 96 || true
  stop_display
}
trap cleanup EXIT

shoot() { # dialog, caption, dpi
  local log="$out_dir/dialog-$1-$3.log" picture="$out_dir/dialog-$1-$3.png"
  wine "$demo" "$1" >"$log" 2>&1 &
  demo_pid=$!
  for _ in $(seq 150); do grep -q shown "$log" && break; sleep 0.2; done
  grep -q shown "$log" || { echo "the $1 dialog did not show" >&2; exit 1; }
  local window=
  for _ in $(seq 50); do
    window=$(xdotool search --onlyvisible --name "^$2\$" | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "no window named $2" >&2; exit 1; }
  sleep 0.5 # let the dialog finish painting
  import -window "$window" "$picture"
  echo "$picture $(identify -format '%wx%h' "$picture")"
  kill "$demo_pid" 2>/dev/null || true
  wait "$demo_pid" 2>/dev/null || true
  demo_pid=
}

for dpi in 96 144; do
  set_prefix_dpi "$dpi"
  shoot options 'Quorvin 3.5' "$dpi"
  shoot rename 'New Name for "SET1"' "$dpi"
  shoot ask 'Quorvin' "$dpi"
  shoot about 'About Quorvin' "$dpi"
done
