# Building blocks for the scripts that build, run and picture the Windows
# programs, sourced explicitly: . "$root/scripts/lib.sh". Defines functions
# and two variables (root, background_pid) and runs nothing else.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}

# A built file exists, or the script ends with the reason.
require_build() { # file...
  local file
  for file in "$@"; do
    [ -f "$file" ] || { echo "missing $file: build the windows-cross preset first" >&2; exit 1; }
  done
}

# For a screenshot script: its demo program (demo), built; the folder for
# its pictures (out_dir), made; the Wine environment; and the exit trap that
# ends the background program, then runs the commands (stop_display unless
# given).
screenshot_setup() { # demo program without .exe, [commands for the exit trap]
  demo="$root/build/windows-cross/bin/$1.exe"
  out_dir="$root/build/screenshots"
  require_build "$demo"
  mkdir -p "$out_dir"
  # shellcheck source=scripts/wine-env.sh
  . "$root/scripts/wine-env.sh"
  stop_background_on_exit "${2:-stop_display}"
}

# One program at a time in the background, its output in a file; it is
# ended by its pid with stop_background, and at the exit once
# stop_background_on_exit has set the trap.
background_pid=
start_background() { # log command...
  local log=$1; shift
  "$@" >"$log" 2>&1 &
  background_pid=$!
}
stop_background() {
  if [ -n "$background_pid" ]; then
    kill "$background_pid" 2>/dev/null || true
    wait "$background_pid" 2>/dev/null || true
    background_pid=
  fi
}
stop_background_on_exit() { # [commands to run after it, as one string]
  # shellcheck disable=SC2064 # the commands are fixed when the trap is set
  trap "stop_background; ${1:-:}" EXIT
}

# Until the command succeeds: it runs every 0.2 s, at most SECONDS * 5
# times. The bound is a guard against a hang, the command is the event.
# Fails when the bound is reached.
wait_until() { # seconds command...
  local tries=$(($1 * 5))
  shift
  while :; do
    "$@" && return 0
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.2
  done
}
# The command fails: for wait_until, to wait until a condition has ended.
not() { ! "$@"; }

# The id of the first X window titled TITLE exactly, once there is one
# (within 20 s). Options for xdotool search (--onlyvisible) come first.
find_window() { # [xdotool options] title
  local window= title=${*: -1}
  wait_until 20 search_window "${@:1:$#-1}" --name "^$title\$" || return 1
  echo "$window"
}
search_window() { # xdotool search arguments: sets window, the caller's local
  window=$(xdotool search "$@" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ]
}

# The place of an X window on the screen, as WIDTHxHEIGHT+X+Y.
window_geometry() { # window
  local WIDTH HEIGHT X Y SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "${WIDTH}x${HEIGHT}+${X}+${Y}"
}

# A picture of the window titled TITLE once it has had SETTLE seconds to
# paint; with --crop, of the screen where the window lies (so that lists it
# opens are in it too), with --visible only a mapped window counts.
shoot() { # [--crop] [--visible] title picture [settle seconds, 0.5]
  local crop=0 options=()
  while [ "${1:-}" = --crop ] || [ "${1:-}" = --visible ]; do
    if [ "$1" = --crop ]; then crop=1; else options+=(--onlyvisible); fi
    shift
  done
  local window
  window=$(find_window "${options[@]}" "$1") || { echo "no window named $1" >&2; exit 1; }
  sleep "${3:-0.5}"
  if [ "$crop" = 1 ]; then
    import -window root -crop "$(window_geometry "$window")" "$2"
  else
    import -window "$window" "$2"
  fi
}

# The number that resource.h gives NAME (a command or control id).
resource_id() { # name [header]
  awk -v name="$1" '$2 == name { print $3 }' "${2:-$root/src/app/win32/resource.h}"
}
