#!/usr/bin/env bash
# Prints, as one deb822 .sources file, a deb-src entry for every enabled
# binary entry of this machine's own apt sources that serves SUITE: the same
# archives (a local mirror included), the same components and the same
# Signed-By, so that apt fetches the sources from where it fetches the
# packages and checks them with the same keys. Reads the one-line format
# (sources.list, sources.list.d/*.list) and deb822 (sources.list.d/*.sources).
#
# usage: derive-deb-src.sh SUITE [APT_ETC_DIR]   (APT_ETC_DIR: /etc/apt)
set -euo pipefail
suite=${1:?usage: derive-deb-src.sh SUITE [APT_ETC_DIR]}
etc=${2:-/etc/apt}

files=()
[ -f "$etc/sources.list" ] && files+=("$etc/sources.list")
for f in "$etc"/sources.list.d/*.list "$etc"/sources.list.d/*.sources; do
  [ -f "$f" ] && files+=("$f")
done
[ ${#files[@]} -gt 0 ] || exit 0

awk -v suite="$suite" '
function trim(s) { sub(/^[ \t]+/, "", s); sub(/[ \t]+$/, "", s); return s }
function has_word(list, word,    n, i, words) {
  n = split(list, words, /[ \t]+/)
  for (i = 1; i <= n; i++) if (words[i] == word) return 1
  return 0
}
function emit(uris, components, signed, trusted,    key) {
  key = uris "|" components
  if (uris == "" || components == "" || key in seen) return
  seen[key] = 1
  print "Types: deb-src"
  print "URIs: " uris
  print "Suites: " suite
  print "Components: " components
  if (signed != "") print "Signed-By:" signed
  if (trusted != "") print "Trusted: " trusted
  print ""
}
function reset_stanza() { delete field; name = "" }
function flush_stanza() {
  if (("types" in field) && has_word(field["types"], "deb") && has_word(field["suites"], suite) &&
      tolower(field["enabled"]) != "no")
    emit(field["uris"], field["components"], field["signed-by"], field["trusted"])
  reset_stanza()
}
# One-line format: deb [options] uri suite component...
function one_line(    rest, options, n, i, parts, opt, signed, trusted, words, components) {
  rest = $0
  sub(/#.*/, "", rest)
  rest = trim(rest)
  if (rest !~ /^deb[ \t]/) return
  rest = trim(substr(rest, 4))
  options = ""
  if (substr(rest, 1, 1) == "[") {
    i = index(rest, "]")
    if (i == 0) return
    options = substr(rest, 2, i - 2)
    rest = trim(substr(rest, i + 1))
  }
  n = split(rest, words, /[ \t]+/)
  if (n < 3 || words[2] != suite) return
  components = words[3]
  for (i = 4; i <= n; i++) components = components " " words[i]
  signed = ""; trusted = ""
  n = split(trim(options), parts, /[ \t]+/)
  for (i = 1; i <= n; i++) {
    opt = parts[i]
    if (tolower(opt) ~ /^signed-by=/) { signed = substr(opt, 11); gsub(/,/, " ", signed); signed = " " signed }
    if (tolower(opt) ~ /^trusted=/) trusted = substr(opt, 9)
  }
  emit(words[1], components, signed, trusted)
}
FNR == 1 { if (deb822) flush_stanza(); deb822 = FILENAME ~ /\.sources$/ }
!deb822 { one_line(); next }
/^#/ { next }
/^[ \t]*$/ { flush_stanza(); next }
/^[ \t]/ {
  # A continuation line; an inline key keeps its lines as they are.
  if (name == "signed-by") field[name] = field[name] "\n" $0
  else if (name != "") field[name] = field[name] " " trim($0)
  next
}
{
  i = index($0, ":")
  if (i == 0) next
  name = tolower(trim(substr($0, 1, i - 1)))
  field[name] = (name == "signed-by") ? substr($0, i + 1) : trim(substr($0, i + 1))
  if (name == "signed-by") sub(/[ \t]+$/, "", field[name])
}
END { if (deb822) flush_stanza() }
' "${files[@]}"
