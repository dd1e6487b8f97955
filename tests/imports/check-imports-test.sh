#!/usr/bin/env bash
# scripts/check-imports.sh over the import tables of made-up programs: a
# fake objdump prints, for each, the lines that x86_64-w64-mingw32-objdump
# -p prints for such imports.
. "$(dirname "$0")/../support/ScriptTest.sh"
check="$root/scripts/check-imports.sh"
expect() { # description, expected status, program...
  local what=$1 expected=$2; shift 2
  local status=0
  bash "$check" "$work/objdump" "$@" >"$work/out" 2>&1 || status=$?
  if [ "$status" = "$expected" ]; then
    passed "$what"
  else
    local output
    mapfile -t output <"$work/out"
    failed "$what (status $status, expected $expected)" "${output[@]}"
  fi
}

# The fake objdump: "-p PROGRAM" prints the program's listing, which is its
# file's content read as the imported DLLs' names, one a line.
cat > "$work/objdump" <<'FAKE'
#!/usr/bin/env bash
[ "$1" = -p ] && [ -f "$2" ] || { echo "objdump: '$2': No such file" >&2; exit 1; }
echo
echo "$2:     file format pei-x86-64"
echo
echo "The Import Tables (interpreted .idata section contents)"
while read -r name; do
  printf '\tDLL Name: %s\n\tvma:  Hint/Ord Member-Name Bound-To\n\t1234\t  42  SomeFunction\n\n' "$name"
done < "$2"
FAKE
chmod +x "$work/objdump"

printf '%s\n' KERNEL32.dll USER32.dll GDI32.dll ADVAPI32.dll ole32.dll OLEAUT32.dll SHELL32.dll COMCTL32.dll \
  msvcrt.dll WS2_32.dll > "$work/Safe.exe"
printf '%s\n' KERNEL32.dll msvcrt.dll USER32.dll > "$work/Small.exe"
printf '%s\n' KERNEL32.dll msvcrt.dll USER32.dll WININET.dll > "$work/WinInet.exe"
printf '%s\n' ADVAPI32.dll IPHLPAPI.DLL KERNEL32.dll NETAPI32.dll urlmon.dll WINSPOOL.DRV VERSION.dll > "$work/Many.exe"
: > "$work/NoImports.exe"

expect "KnownDLLs and comctl32 in any letter case pass" 0 "$work/Safe.exe"
expect "several programs that all pass" 0 "$work/Safe.exe" "$work/Small.exe"
expect "wininet fails" 1 "$work/WinInet.exe"
expect "one failing program among passing ones fails" 1 "$work/Small.exe" "$work/WinInet.exe" "$work/Safe.exe"
expect "a program without an import table fails" 1 "$work/NoImports.exe"
expect "a program objdump cannot read fails" 1 "$work/Missing.exe"
expect "no program given is a usage error" 2

# Every DLL outside the list is named, not only the first.
bash "$check" "$work/objdump" "$work/Many.exe" >"$work/out" 2>&1
for name in iphlpapi.dll netapi32.dll urlmon.dll winspool.drv version.dll; do
  check "$name is named" grep -q "imports $name," "$work/out"
done
if grep -q "imports advapi32.dll," "$work/out"; then failed "advapi32 is named"; fi

finish
