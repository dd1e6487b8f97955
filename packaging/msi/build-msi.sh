#!/usr/bin/env bash
# Builds the MSI: wixl on the configured Quorvin.wxs, then the rows that
# wixl (msitools 0.101) has no element for, added with msibuild:
#   RemoveFile  undo.ini at the real uninstall, data.ini with REMOVESETS=1
#               (their folder properties are set by the .wxs's custom
#               actions only when the file is to go).
# wixl reads the files named in the .wxs from beside it, so the .wxs, the
# five files and the icon are gathered in a scratch folder first.
# Usage: build-msi.sh WXS SOURCE_DIR ICON OUTPUT.msi [wixl options, e.g. -D Version=9.9]
set -euo pipefail
wxs=$1 source_dir=$2 icon=$3 output=$4
shift 4
output=$(cd "$(dirname "$output")" && pwd)/$(basename "$output")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$wxs" "$scratch/Quorvin.wxs"
cp "$source_dir"/{Quorvin.exe,Pevrix.exe,help.html,ReadMe.txt,Licence.txt} "$scratch/"
cp "$icon" "$scratch/quorvin.ico"
rm -f "$output"
(cd "$scratch" && wixl -a x64 "$@" -o "$output" Quorvin.wxs)
remove_file_row() { # key, file name, folder property
  msibuild "$output" -q "INSERT INTO \`RemoveFile\` (\`FileKey\`, \`Component_\`, \`FileName\`, \`DirProperty\`, \`InstallMode\`) VALUES ('$1', 'Program', '$2', '$3', 2)"
}
remove_file_row RemoveUndo undo.ini QUORVINUNDOFOLDER
remove_file_row RemoveSets data.ini QUORVINSETSFOLDER
# The two properties an administrator passes must reach the elevated part of
# a per-machine install.
secure=$(msiinfo export "$output" Property | tr -d '\r' | awk -F'\t' '$1 == "SecureCustomProperties" { print $2 }')
msibuild "$output" -q "UPDATE \`Property\` SET \`Value\` = '${secure:+$secure;}SETSFILE;REMOVESETS' WHERE \`Property\` = 'SecureCustomProperties'"
