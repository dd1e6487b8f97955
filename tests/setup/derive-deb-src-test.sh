#!/usr/bin/env bash
# The private deb-src list of scripts/setup.sh: derived from copies of apt
# source files in both formats, it names the archives they name and keeps
# their keys, and apt itself accepts it (checked offline, without fetching).
. "$(dirname "$0")/../support/ScriptTest.sh"
derive="$root/scripts/derive-deb-src.sh"

# A machine behind a local mirror, in deb822 form, with a key of its own, a
# disabled entry, a security suite and a third-party archive of another suite.
etc="$work/deb822"
mkdir -p "$etc/sources.list.d"
cat > "$etc/sources.list.d/debian.sources" <<'SOURCES'
# the local mirror
Types: deb
URIs: http://mirror.lan/debian
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://mirror.lan/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://old.lan/debian
Suites: bookworm
Components: main
Enabled: no
SOURCES
cat > "$etc/sources.list.d/vendor.sources" <<'SOURCES'
Types: deb
URIs: https://vendor.example/apt
Suites: nodistro
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGXXXXXXXXXX
 -----END PGP PUBLIC KEY BLOCK-----
SOURCES
cat > "$etc/sources.list.d/inline.sources" <<'SOURCES'
Types: deb
URIs: http://keyed.lan/debian
Suites: bookworm
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGYYYYYYYYYY
 -----END PGP PUBLIC KEY BLOCK-----
SOURCES
expected_deb822='Types: deb-src
URIs: http://mirror.lan/debian
Suites: bookworm
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://keyed.lan/debian
Suites: bookworm
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGYYYYYYYYYY
 -----END PGP PUBLIC KEY BLOCK-----'
check "deb822 entries give deb-src entries of the same archives and keys" \
  test "$("$derive" bookworm "$etc")" = "$expected_deb822"

# The one-line form, with options, comments and a deb-src line already there.
etc="$work/one-line"
mkdir -p "$etc/sources.list.d"
cat > "$etc/sources.list" <<'SOURCES'
# deb http://commented.lan/debian bookworm main
deb [arch=amd64 signed-by=/etc/apt/keyrings/mirror.gpg] http://mirror.lan/debian bookworm main non-free-firmware
deb http://mirror.lan/debian-security bookworm-security main
deb-src http://mirror.lan/debian bookworm main
deb [ trusted=yes ] file:/srv/local-repo bookworm main # a local archive
SOURCES
cat > "$etc/sources.list.d/extra.list" <<'SOURCES'
deb http://mirror.lan/debian bookworm main non-free-firmware
SOURCES
expected_one_line='Types: deb-src
URIs: http://mirror.lan/debian
Suites: bookworm
Components: main non-free-firmware
Signed-By: /etc/apt/keyrings/mirror.gpg

Types: deb-src
URIs: file:/srv/local-repo
Suites: bookworm
Components: main
Trusted: yes'
check "one-line entries give deb-src entries with their signed-by, each archive once" \
  test "$("$derive" bookworm "$etc")" = "$expected_one_line"

check "no entry of the suite gives an empty list" test -z "$("$derive" trixie "$etc")"
check "no host is named that the sources do not name" \
  bash -c "! '$derive' bookworm '$etc' | grep -q debian.org"

# apt reads the derived list: it would fetch the mirror's Sources index.
if command -v apt-get >/dev/null; then
  mkdir -p "$work/apt/parts" "$work/apt/lists/partial"
  "$derive" bookworm "$work/deb822" > "$work/apt/parts/derived.sources"
  uris=$(apt-get -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$work/apt/parts" \
    -o Dir::State::Lists="$work/apt/lists" -o APT::Sandbox::User="$(id -un)" --print-uris update 2>&1)
  check "apt takes the list and asks the mirror for its sources" \
    grep -q "^'http://mirror.lan/debian/dists/bookworm/main/source/Sources" <<<"$uris"
fi

finish
