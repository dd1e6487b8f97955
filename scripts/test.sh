#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs every test tier:
# the native tests, then the Windows tests under Wine. Exits non-zero when
# anything fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh || exit 1

status=0
for preset in native windows-cross; do
  echo "== build: $preset"
  cmake --preset "$preset" >/dev/null || exit 1
  cmake --build --preset "$preset" || exit 1
done
# The zip and the installer, which the Wine tier's package-e2e installs.
echo "== package: windows-cross"
cmake --build --preset windows-cross --target package || exit 1

echo "== tests: native"
# Among them "crash": 100 saves and deletes killed at random moments
# (build/native/bin/quorvin_crash_test makes 1000 by hand).
ctest --preset native || status=1

echo "== fuzzing: each target 20 s on its seed corpus"
scripts/fuzz.sh || status=1

# The switch's threads under the thread and address sanitizers.
for preset in native-tsan native-asan; do
  echo "== build and tests: $preset"
  cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" >/dev/null || exit 1
  TSAN_OPTIONS=halt_on_error=1 ASAN_OPTIONS=detect_leaks=1 \
    "build/$preset/bin/quorvin_stress_tests" --gtest_brief=1 || status=1
done

. scripts/wine-env.sh
start_display
trap stop_display EXIT
echo "== tests: windows (Wine, DISPLAY=$DISPLAY)"
ctest --preset windows-cross || status=1

exit $status
