# Sourced by the tests of the scripts in scripts/: the repository's root, a
# work folder removed when the test ends, and result lines counted. finish
# ends the test, failed when any check failed.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

passed() { echo "ok   $1"; }
failed() { # description, details (printed indented)...
  echo "FAIL $1"
  shift
  [ $# = 0 ] || printf '     %s\n' "$@"
  failures=$((failures + 1))
}
check() { # description, command...
  local what=$1; shift
  if "$@"; then passed "$what"; else failed "$what"; fi
}
finish() {
  [ "$failures" = 0 ] || { echo "$failures failed"; exit 1; }
  exit 0
}
