#!/usr/bin/env bash
# Start-up time and idle memory of Quorvin.exe against a bare window built
# the same way (bench/win32/BareWindow.cpp), under Wine + Xvfb, side by
# side in one run: these machines are noisy, so only ratios count.
#
#   P1: from the start of the process until its window is shown: the line
#       both write to their ready file once the window is shown (Quorvin's
#       named by simulate.ini beside it, the bare window's by
#       QUORVIN_READY_FILE) (the file's modification time marks it; the script
#       waits for the file with inotifywait).
#   P4: resident memory 5 s after that: Quorvin started with -Start, so
#       hidden in the notification area; the bare window idle. Read from
#       /proc of the process that runs the .exe.
#
# Quorvin runs in simulation mode over the demo network and demo sets of
# scripts/run.sh. The wineserver is kept running and the Wine desktop open
# for the whole run, one start of each is made first and not counted, then
# RUNS starts of each (20 unless given), interleaved. Prints each figure's
# median and the ratio of the medians against its goal; exits non-zero only
# when a program fails to show its window.
#
# With --floor BareWindowImports, the floor is the same window importing the
# DLLs that Quorvin.exe imports: the part of each gap that those DLLs make.
#
# Both are measured as built: the build splits their debug information off
# into .exe.debug files, as the packages ship them.
#
# Usage: bench/wine-bench.sh [--floor PROGRAM] [RUNS]   (builds what it runs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. "$root/scripts/lib.sh"
floor=BareWindow
while [ $# -gt 0 ]; do
  case $1 in
    --floor) floor=$2; shift 2 ;;
    *) break ;;
  esac
done
runs=${1:-20}
idle_seconds=5

command -v inotifywait >/dev/null || { echo "wine-bench: inotifywait is missing (Debian's inotify-tools)" >&2; exit 2; }
cmake --build --preset windows-cross --target Quorvin Pevrix "$floor" quorvin_probe >/dev/null

bin="$root/build/windows-cross/bin"
folder="$root/build/bench-run"
rm -rf "$folder"
mkdir -p "$folder/network"
cp "$bin/Quorvin.exe" "$bin/Pevrix.exe" "$bin/$floor.exe" "$folder/"
echo "wine-bench: Quorvin.exe $(stat -c %s "$folder/Quorvin.exe") bytes, $floor.exe $(stat -c %s "$folder/$floor.exe") bytes"
cp scripts/demo/network.ini "$folder/network/"
# The exit asks nothing, so that each run can end through the program's
# own exit command.
sed 's/^AskBeforeExit=.*/AskBeforeExit=0/' scripts/demo/data.ini > "$folder/data.ini"

. scripts/wine-env.sh
start_display
desktop_pid=
cleanup() {
  wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
  [ -n "$desktop_pid" ] && kill "$desktop_pid" 2>/dev/null
  stop_display
}
trap cleanup EXIT

# Warm: a wineserver that stays, and one desktop for every program of the
# run (the notification area lives there).
wineserver -p
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d QuorvinBench /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v QuorvinBench /d 1024x768 /f >/dev/null 2>&1
wine explorer /desktop=QuorvinBench,1024x768 >/dev/null 2>&1 &
desktop_pid=$!
exit_id=$(resource_id IDM_EXIT)

ready="$folder/ready"
# Quorvin takes its simulation and its ready file from simulate.ini beside
# it; the bare window, a bench program, from the environment.
printf '[Simulation]\r\nFolder=network\r\nReadyFile=ready\r\n' >"$folder/simulate.ini"
QUORVIN_READY_FILE=$(winepath -w "$ready")
export QUORVIN_READY_FILE

# One start: prints "MILLISECONDS KILOBYTES". The watch on the folder is
# set up before the program starts, so the marker cannot come unseen. The
# wineserver creates the file and closes its own handle before the program
# writes, so a closed file may still be empty: events are taken until the
# line is there.
measure() { # program [arguments]
  local program=$1; shift
  rm -f "$ready"
  coproc WATCH { exec inotifywait -m -e close_write --include '/ready$' "$folder" 2>&1; }
  local line
  until [[ "${line:-}" == *"Watches established"* ]]; do read -r line <&"${WATCH[0]}"; done
  local began pid
  began=$(date +%s%N)
  wine "$folder/$program" "$@" >>"$folder/wine.log" 2>&1 &
  pid=$!
  while [ ! -s "$ready" ] && read -r -t 120 line <&"${WATCH[0]}"; do :; done
  kill "$WATCH_PID" 2>/dev/null
  wait "$WATCH_PID" 2>/dev/null || true
  if [ ! -s "$ready" ]; then
    echo "wine-bench: $program did not show its window" >&2
    kill "$pid" 2>/dev/null
    return 1
  fi
  # The process that runs the .exe: wine execs its loader, which becomes it.
  if ! tr '\0' ' ' < "/proc/$pid/cmdline" | grep -q "$program"; then
    echo "wine-bench: process $pid does not run $program" >&2
    return 1
  fi
  local shown
  shown=$(stat -c %.9Y "$ready" | tr -d .)
  sleep "$idle_seconds" # the idle time that P4 is defined over
  local kb
  kb=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
  if [ "$program" = Quorvin.exe ]; then
    wine "$bin/quorvin_probe.exe" command "$exit_id" >/dev/null 2>&1
  else
    kill "$pid"
  fi
  wait "$pid" 2>/dev/null || true
  echo "$(((shown - began) / 1000000)) $kb"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "wine-bench: warming up"
measure "$floor.exe" >/dev/null
measure Quorvin.exe -Start >/dev/null

results="$folder/results.txt"
: > "$results"
for round in $(seq "$runs"); do
  # Which goes first alternates, so that neither always starts right after
  # the other has ended.
  if [ $((round % 2)) = 1 ]; then order="floor quorvin"; else order="quorvin floor"; fi
  for which in $order; do
    if [ "$which" = floor ]; then figures=$(measure "$floor.exe"); else figures=$(measure Quorvin.exe -Start); fi
    echo "$which $figures" >> "$results"
    echo "wine-bench: round $round $which: shown after ${figures% *} ms, ${figures#* } kB resident"
  done
done

column() { awk -v w="$1" -v c="$2" '$1 == w { print $c }' "$results" | median; }
floor_p1=$(column floor 2); quorvin_p1=$(column quorvin 2)
floor_p4=$(column floor 3); quorvin_p4=$(column quorvin 3)
report() { # name, quorvin, floor, unit, goal
  awk -v n="$1" -v q="$2" -v b="$3" -v u="$4" -v g="$5" 'BEGIN {
    r = q / b
    printf "  %-52s Quorvin %8.1f %s   floor %8.1f %s   ratio %.2f (goal <= %.1f: %s)\n", n, q, u, b, u, r, g, (r <= g) ? "met" : "MISSED" }'
}
echo
echo "wine-bench: medians of $runs runs each, floor $floor.exe ($(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg))"
report "P1 start until the window is shown" "$quorvin_p1" "$floor_p1" ms 1.2
report "P4 resident after ${idle_seconds} s idle (Quorvin in the tray)" "$quorvin_p4" "$floor_p4" kB 1.3
