#!/usr/bin/env bash
# scripts/sign.sh: with a throwaway self-signed certificate made here it
# signs a tiny Windows program that osslsigncode then verifies; without a
# certificate it signs nothing and succeeds; a wrong password fails and
# leaves the file as it was. Skipped (77) without osslsigncode, openssl or
# the mingw compiler.
. "$(dirname "$0")/../support/ScriptTest.sh"

for tool in osslsigncode openssl x86_64-w64-mingw32-gcc; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

printf 'int main(void) { return 0; }\n' >"$work/tiny.c"
x86_64-w64-mingw32-gcc -o "$work/tiny.exe" "$work/tiny.c" || { echo "cannot build the tiny program"; exit 1; }
cp "$work/tiny.exe" "$work/unsigned.exe"

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Quorvin test signer" \
  -addext "extendedKeyUsage=codeSigning" -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout pass:throwaway \
  -out "$work/signer.pfx" 2>/dev/null

# Without a certificate: a message, exit 0, the file untouched.
output=$(env -u QUORVIN_SIGN_PFX -u QUORVIN_SIGN_PASSWORD bash "$root/scripts/sign.sh" "$work/tiny.exe")
check "without a certificate it exits 0" test $? = 0
check "without a certificate it says it signs nothing" grep -q "nothing signed" <<<"$output"
check "without a certificate the file is unchanged" cmp -s "$work/tiny.exe" "$work/unsigned.exe"

# A wrong password: a failure, the file untouched.
QUORVIN_SIGN_PFX="$work/signer.pfx" QUORVIN_SIGN_PASSWORD=wrong \
  bash "$root/scripts/sign.sh" "$work/tiny.exe" >/dev/null 2>&1
check "a wrong password fails" test $? != 0
check "a wrong password leaves the file unchanged" cmp -s "$work/tiny.exe" "$work/unsigned.exe"

# The certificate: signed, and the signature verifies against it.
QUORVIN_SIGN_PFX="$work/signer.pfx" QUORVIN_SIGN_PASSWORD=throwaway \
  bash "$root/scripts/sign.sh" "$work/tiny.exe" >/dev/null
check "signing with the certificate succeeds" test $? = 0
check "the signed file differs" bash -c "! cmp -s '$work/tiny.exe' '$work/unsigned.exe'"
check "osslsigncode verifies the signature" \
  bash -c "osslsigncode verify -CAfile '$work/cert.pem' -in '$work/tiny.exe' >/dev/null"
check "the unsigned file does not verify" \
  bash -c "! osslsigncode verify -CAfile '$work/cert.pem' -in '$work/unsigned.exe' >/dev/null 2>&1"
finish
