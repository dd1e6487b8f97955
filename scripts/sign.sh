#!/usr/bin/env bash
# Signs each file given (programs, installers, an MSI) in place with
# osslsigncode (Authenticode, SHA-256), when a certificate is given:
#   QUORVIN_SIGN_PFX        the certificate and its key, a PKCS#12 file
#   QUORVIN_SIGN_PASSWORD   its password
#   QUORVIN_SIGN_TIMESTAMP  optional: the address of an RFC 3161 timestamp server
# Without QUORVIN_SIGN_PFX it says so, signs nothing and exits 0, so that a
# build without a certificate makes unsigned packages.
# The package target calls it on the staged programs, on the uninstaller
# and on the installer (cmake/Winget.cmake); signing a file again replaces
# its signature.
set -euo pipefail

if [ -z "${QUORVIN_SIGN_PFX:-}" ]; then
  echo "sign.sh: QUORVIN_SIGN_PFX is not set: nothing signed"
  exit 0
fi
if [ ! -r "$QUORVIN_SIGN_PFX" ]; then
  echo "sign.sh: cannot read the certificate $QUORVIN_SIGN_PFX" >&2
  exit 1
fi
if [ -z "${QUORVIN_SIGN_PASSWORD+set}" ]; then
  echo "sign.sh: QUORVIN_SIGN_PFX is set but QUORVIN_SIGN_PASSWORD is not" >&2
  exit 1
fi
command -v osslsigncode >/dev/null || { echo "sign.sh: osslsigncode is not installed (scripts/setup.sh)" >&2; exit 1; }

timestamp=()
[ -z "${QUORVIN_SIGN_TIMESTAMP:-}" ] || timestamp=(-ts "$QUORVIN_SIGN_TIMESTAMP")

for file in "$@"; do
  signed="$file.signed"
  rm -f "$signed"
  # The password goes through a pipe, not the command line that ps shows.
  if ! osslsigncode sign -pkcs12 "$QUORVIN_SIGN_PFX" -readpass <(printf '%s' "$QUORVIN_SIGN_PASSWORD") \
       -h sha256 -n "Quorvin" "${timestamp[@]}" -in "$file" -out "$signed" >/dev/null; then
    rm -f "$signed"
    echo "sign.sh: signing $file failed" >&2
    exit 1
  fi
  # Written over in place: the file keeps its mode.
  cat "$signed" >"$file"
  rm -f "$signed"
  echo "sign.sh: signed $file"
done
