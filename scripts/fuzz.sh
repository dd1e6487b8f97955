#!/usr/bin/env bash
# Builds the fuzz preset and runs each libFuzzer target in turn, one process
# at a time, on its corpus from tests/fuzz/corpus/<target>.
#
#   scripts/fuzz.sh                      20 seconds per target (what the tests run)
#   scripts/fuzz.sh --seconds 300        any other time per target
#   scripts/fuzz.sh --runs 10000000      a number of executions per target
#   scripts/fuzz.sh ... fuzz_ini_document fuzz_octet_rules     only these targets
#   scripts/fuzz.sh --keep --seconds 600 ... and keep what the run found
#   scripts/fuzz.sh --totals             the executions recorded per target
#
# Each run works on a copy: new inputs collect in build/fuzz/corpus/<target>
# and the committed corpus stays as it is, unless --keep is given. An input
# that fails is kept as build/fuzz/artifacts/<target>-* and makes the script
# exit non-zero. Prints per target the executions, the seconds and the
# outcome. FUZZ_WORK names another folder for the corpora, artifacts and
# logs, so that a long run and a short one can go side by side.
#
# --keep: for each target whose run ended without a failing input (or was
# stopped with Ctrl-C, which then ends the script after that target), a
# libFuzzer merge (-merge=1) adds to tests/fuzz/corpus/<target> those of the
# work corpus's inputs that reach code the committed ones do not; they are
# named by their SHA-1, so the same input is never added twice. Then one line
# per target goes to tests/fuzz/RUNS.md: date (UTC), target, executions,
# seconds, outcome and the committed corpus's file count. Runs without --keep
# record nothing, but their finds stay in the work corpus, which the next
# --keep run with the same FUZZ_WORK merges as well. Commit the corpora and
# RUNS.md afterwards; the next run starts from them.
#
# Each committed corpus is held to 2 MiB. When a merge leaves more, the corpus
# is minimised afresh: the hand-written seeds (any name that is not a SHA-1)
# stay, and a merge into a new folder holding only them takes back, smallest
# first, only the inputs that reach code the ones before them do not. Should
# that still be over 2 MiB, the smallest of the merged inputs are kept up to
# the limit and the rest are dropped (the seeds always stay). A --keep run
# that ends non-zero (an interrupted one included) still records its rows.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

runs_log=tests/fuzz/RUNS.md
cap_bytes=$((2 * 1024 * 1024))

totals() { # executions, runs and seconds per target, summed over the rows of RUNS.md
  [ -f "$runs_log" ] || { echo "no runs recorded in $runs_log"; return 0; }
  awk -F'|' '
    function trim(s) { gsub(/^[ \t]+|[ \t]+$/, "", s); return s }
    NF >= 8 && trim($4) ~ /^[0-9]+$/ {
      t = trim($3)
      if (!(t in runs)) order[++n] = t
      runs[t]++; executions[t] += trim($4); seconds[t] += trim($5)
    }
    END {
      printf "%-24s %6s %14s %10s\n", "target", "runs", "executions", "seconds"
      for (i = 1; i <= n; i++)
        printf "%-24s %6d %14.0f %10.0f\n", order[i], runs[order[i]], executions[order[i]], seconds[order[i]]
    }' "$runs_log"
}

limit=(-max_total_time=20)
keep=0
targets=()
while [ $# -gt 0 ]; do
  case $1 in
    --seconds) limit=(-max_total_time="$2"); shift 2 ;;
    --runs) limit=(-runs="$2"); shift 2 ;;
    --keep) keep=1; shift ;;
    --totals) totals; exit ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
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

bytes_in() { # folder: the sum of its files' sizes
  find "$1" -maxdepth 1 -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }'
}
files_in() { find "$1" -maxdepth 1 -type f | wc -l; }
seeds_in() { # folder: its hand-written seeds, the files not named by libFuzzer's SHA-1
  find "$1" -maxdepth 1 -type f | awk '{ name = $0; sub(/.*\//, "", name) }
                                       length(name) != 40 || name ~ /[^0-9a-f]/'
}

merge_into() { # target, folder, other folders...: libFuzzer's merge into the folder
  local target=$1
  shift
  # shellcheck disable=SC2046
  "$bin/$target" -merge=1 $(options_for "$target") -timeout=10 "$@" >>"$out/logs/$target.merge.log" 2>&1
}

keep_corpus() { # target, work corpus: merges it into the committed corpus and holds that to the cap
  local target=$1 found=$2 committed=tests/fuzz/corpus/$1 fresh
  : >"$out/logs/$target.merge.log"
  merge_into "$target" "$committed" "$found" || return 1
  [ "$(bytes_in "$committed")" -gt $cap_bytes ] || return 0

  fresh=$(mktemp -d) || return 1
  seeds_in "$committed" | xargs -r cp -t "$fresh"
  merge_into "$target" "$fresh" "$committed" || { rm -rf "$fresh"; return 1; }
  # Still too much: the smallest merged inputs up to the cap, after the seeds.
  find "$fresh" -maxdepth 1 -type f -printf '%s %p\n' | sort -n |
    awk -v cap=$cap_bytes '
      { name = $2; sub(/.*\//, "", name) }
      length(name) != 40 || name ~ /[^0-9a-f]/ { cap -= $1; next }
      { size[++n] = $1; path[n] = $2 }
      END { for (i = 1; i <= n; i++) if (size[i] <= cap) cap -= size[i]; else print path[i] }' |
    xargs -r rm -f
  find "$committed" -maxdepth 1 -type f -delete
  cp "$fresh"/* "$committed/"
  rm -rf "$fresh"
  echo "  $committed was over $((cap_bytes / 1024)) KiB: minimised afresh"
}

record() { # target, executions, seconds, outcome: a row of RUNS.md
  if [ ! -f "$runs_log" ]; then
    cat >"$runs_log" <<'EOF'
# Fuzzing runs

Written by `scripts/fuzz.sh --keep`, one row per target and run; the corpus
column counts the files in `tests/fuzz/corpus/<target>` after the run's merge.
`scripts/fuzz.sh --totals` adds up the executions per target.

| date (UTC) | target | executions | seconds | outcome | corpus files |
|---|---|--:|--:|---|--:|
EOF
  fi
  printf '| %s | %s | %s | %s | %s | %s |\n' "$(date -u '+%Y-%m-%d %H:%M')" "$1" "$2" "$3" "$4" \
    "$(files_in "tests/fuzz/corpus/$1")" >>"$runs_log"
}

# Ctrl-C stops libFuzzer, which prints its figures and exits; with --keep the
# interrupted target's finds are still merged, then the script ends.
interrupted=0
trap 'interrupted=1' INT

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
  if grep -q 'libFuzzer: run interrupted' "$log"; then
    outcome=interrupted; kind=interrupted; status=1
  elif [ $result -eq 0 ]; then
    outcome=ok; kind=ok
  else
    # The artifact's name says what failed: crash, timeout, oom, leak.
    kind=$(sed -n "s|.*Test unit written to .*/$target-\([a-z]*\)-[0-9a-f]*\$|\1|p" "$log" | tail -1)
    kind=${kind:-failed}
    outcome="FAILED: $kind (see $log)"; status=1
  fi
  printf '%-24s %12s %8s  %s\n' "$target" "${runs:-?}" "$seconds" "$outcome"
  if [ $keep -eq 1 ]; then
    # Two runs with different FUZZ_WORK folders take turns at the committed files.
    exec 9<tests/fuzz
    flock 9
    if [ "$kind" = ok ] || [ "$kind" = interrupted ]; then
      before=$(files_in "tests/fuzz/corpus/$target")
      if keep_corpus "$target" "$corpus"; then
        echo "  tests/fuzz/corpus/$target: $before -> $(files_in "tests/fuzz/corpus/$target") files," \
          "$(($(bytes_in "tests/fuzz/corpus/$target") / 1024)) KiB"
      else
        echo "  merge FAILED (see $out/logs/$target.merge.log)"; kind="$kind, merge failed"; status=1
      fi
    fi
    [ -n "$runs" ] && record "$target" "$runs" "$seconds" "$kind"
    flock -u 9
  fi
  [ $interrupted -eq 1 ] && break
done
exit $status
