#!/usr/bin/env bash
# Takes pictures of the progress dialog after a switch over a simulated
# network: build/screenshots/switch-ok.png (finished, no failures) and
# build/screenshots/switch-failed.png (finished with the failure list).
# Needs the windows-cross build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

demo="$root/build/windows-cross/bin/quorvin_switchhint_demo.exe"
out_dir="$root/build/screenshots"
[ -f "$demo" ] || { echo "missing $demo: build the windows-cross preset first" >&2; exit 1; }
mkdir -p "$out_dir"

. scripts/wine-env.sh
start_display
demo_pid=
cleanup() {
  [ -n "$demo_pid" ] && { kill "$demo_pid" 2>/dev/null || true; wait "$demo_pid" 2>/dev/null || true; }
  stop_display
}
trap cleanup EXIT

shoot() { # mode, picture
  local log="$out_dir/switch-$1.log"
  wine "$demo" "$1" >"$log" 2>&1 &
  demo_pid=$!
  for _ in $(seq 150); do grep -q finished "$log" && break; sleep 0.2; done
  grep -q finished "$log" || { echo "the dialog did not finish ($1)" >&2; exit 1; }
  sleep 0.5 # let the grown dialog repaint
  local window
  window=$(xdotool search --name '^Switch$' | head -n 1)
  import -window "$window" "$2"
  echo "$2"
  kill "$demo_pid" 2>/dev/null || true
  wait "$demo_pid" 2>/dev/null || true
  demo_pid=
}

shoot ok "$out_dir/switch-ok.png"
shoot fail "$out_dir/switch-failed.png"
