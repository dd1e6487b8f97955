#!/usr/bin/env bash
# Fails when a program imports a DLL that a file planted beside it could
# replace. Windows resolves a program's imports before any of its code runs
# and looks up a DLL that is no KnownDLL in the program's own folder first,
# so an elevated program may import only KnownDLLs and DLLs that its
# side-by-side manifest binds (comctl32); everything else is loaded from
# the system folder at its first use (src/base/win32/System32Library.h).
#
#   kernel32 user32 gdi32 advapi32 ole32 oleaut32 shell32 msvcrt ws2_32
#             KnownDLLs on every Windows that Quorvin supports (msvcrt is
#             the mingw runtime's C library)
#   comctl32  common controls 6, bound by the manifest
#
# Reads the import tables that `objdump -p` prints.
#
# Usage: scripts/check-imports.sh OBJDUMP PROGRAM.exe...
set -euo pipefail
if [ $# -lt 2 ]; then
  echo "usage: $0 OBJDUMP PROGRAM.exe..." >&2
  exit 2
fi
objdump=$1
shift
allowed=" advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll shell32.dll user32.dll ws2_32.dll "

status=0
for program in "$@"; do
  if ! listing=$("$objdump" -p "$program"); then
    echo "check-imports: $objdump cannot read $program" >&2
    status=1
    continue
  fi
  names=$(awk '$1 == "DLL" && $2 == "Name:" { print tolower($3) }' <<<"$listing")
  if [ -z "$names" ]; then
    echo "check-imports: $program has no import table" >&2
    status=1
    continue
  fi
  for name in $names; do
    case $allowed in
      *" $name "*) ;;
      *)
        echo "check-imports: $(basename "$program") imports $name, which a file beside it could replace" >&2
        status=1
        ;;
    esac
  done
  echo "check-imports: $(basename "$program") imports" $names
done
exit $status
