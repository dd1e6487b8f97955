#!/usr/bin/env bash
# Builds the fuzz preset and runs each libFuzzer target in turn, one process
# at a time, on its seed corpus from tests/fuzz/corpus/<target>.
#
#   scripts/fuzz.sh                      20 seconds per target (what the tests run)
#   scripts/fuzz.sh --seconds 300        any other time per target
#   scripts/fuzz.sh --runs 10000000      a number of executions per target
#   scripts/fuzz.sh ... fuzz_ini_document fuzz_octet_rules     only these targets
#
# New inputs collect in build/fuzz/corpus/<target>; the committed seeds stay
# as they are. An input that fails is kept as build/fuzz/artifacts/<target>-*
# and makes the script exit non-zero. Prints per target the executions, the
# seconds and the outcome. FUZZ_WORK names another folder for the corpora,
# artifacts and logs, so that a long run and a short one can go side by side.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

limit=(-max_total_time=20)
targets=()
while [ $# -gt 0 ]; do
  case $1 in
    --seconds) limit=(-max_total_time="$2"); shift 2 ;;
    --runs) limit=(-runs="$2"); shift 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_ini_document fuzz_settings_file fuzz_pevrix_arguments
                                     fuzz_octet_rules fuzz_proxy_list fuzz_network_ini)

cmake --preset fuzz >/dev/null || exit 1
cmake --build --preset fuzz >/dev/null || exit 1

# The file targets write a scratch file per execution: a memory file system
# keeps that from costing disk writes.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
bin=build/fuzz/bin
out=${FUZZ_WORK:-build/fuzz}
mkdir -p "$out/artifacts" "$out/logs"

options_for() { # target: the dictionary and input size that suit it
  case $1 in
    fuzz_ini_document) echo -dict=tests/fuzz/ini.dict -max_len=8192 ;;
    fuzz_settings_file) echo -dict=tests/fuzz/ini.dict -max_len=2048 ;;
    fuzz_network_ini) echo -dict=tests/fuzz/network.dict -max_len=4096 ;;
    *) echo -max_len=1024 ;;
  esac
}

status=0
printf '%-24s %12s %8s  %s\n' target executions seconds outcome
for target in "${targets[@]}"; do
  corpus="$out/corpus/$target"
  mkdir -p "$corpus"
  cp -n tests/fuzz/corpus/"$target"/* "$corpus/" 2>/dev/null
  log="$out/logs/$target.log"
  started=$(date +%s)
  # shellcheck disable=SC2046
  "$bin/$target" "${limit[@]}" $(options_for "$target") -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$out/artifacts/$target-" "$corpus" >"$log" 2>&1
  result=$?
  seconds=$(($(date +%s) - started))
  runs=$(awk '/stat::number_of_executed_units/ { n = $2 } END { print n }' "$log")
  if [ $result -eq 0 ]; then outcome=ok; else outcome="FAILED (see $log)"; status=1; fi
  printf '%-24s %12s %8s  %s\n' "$target" "${runs:-?}" "$seconds" "$outcome"
done
exit $status
