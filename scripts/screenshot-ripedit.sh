#!/usr/bin/env bash
# Takes a picture of the IP address edit: a window with an enabled and a
# disabled control, run under Wine on an X display, saved as
# build/screenshots/ripedit.png. Needs the windows-cross build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

demo="$root/build/windows-cross/bin/quorvin_ripedit_demo.exe"
out_dir="$root/build/screenshots"
out="$out_dir/ripedit.png"
title="RIPEdit demo"

if [ ! -f "$demo" ]; then
  echo "missing $demo: build the windows-cross preset first" >&2
  exit 1
fi
mkdir -p "$out_dir"

. scripts/wine-env.sh
start_display

demo_pid=
cleanup() {
  if [ -n "$demo_pid" ]; then
    kill "$demo_pid" 2>/dev/null || true
    wait "$demo_pid" 2>/dev/null || true
  fi
  stop_display
}
trap cleanup EXIT

wine "$demo" >"$out_dir/ripedit-demo.log" 2>&1 &
demo_pid=$!

window=
for _ in $(seq 100); do
  window=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "the demo window did not appear" >&2
  exit 1
fi
# Give the controls a moment to finish painting after the window is mapped.
sleep 1

import -window "$window" "$out"
echo "$out"
