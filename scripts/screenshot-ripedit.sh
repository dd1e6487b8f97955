#!/usr/bin/env bash
# Takes a picture of the IP address edit: a window with an enabled and a
# disabled control, run under Wine on an X display, saved as
# build/screenshots/ripedit.png. Needs the windows-cross build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. "$root/scripts/lib.sh"

screenshot_setup quorvin_ripedit_demo
out="$out_dir/ripedit.png"
title="RIPEdit demo"

start_display

start_background "$out_dir/ripedit-demo.log" wine "$demo"
# A second for the controls to finish painting after the window is mapped.
shoot "$title" "$out" 1
echo "$out"
