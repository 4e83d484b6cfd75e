#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer in
# every target) and runs each, starting from the committed seeds, with the dictionary of the
# words its readers know (fuzz/make_dictionaries.py, made from the sources each run). Any
# sanitizer report, undefined behaviour included, stops the target and is a finding.
#   bash scripts/fuzz.sh [SECONDS] [TARGET ...]   each target for SECONDS (default 60)
#   bash scripts/fuzz.sh long [TARGET ...]        the release run: each target to 10 million
#                                                 executions or 30 minutes, FUZZ_JOBS at a time
#                                                 (default 2); logs and a summary in build-fuzz/logs
# The targets' working folders go to a temporary folder that is removed afterwards, in memory where
# there is /dev/shm: every file the program saves is flushed to disk, which on a disk would make
# the targets twenty times slower.
set -euo pipefail
cd "$(dirname "$0")/.."
all=(fuzz_read_number fuzz_ini fuzz_point_item fuzz_files fuzz_receive fuzz_views fuzz_programs
  fuzz_logo fuzz_dxf fuzz_names)
mode=${1:-60}
shift || true
targets=("$@")
# Last, so that options of the caller's cannot turn the stop off.
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}halt_on_error=1:print_stacktrace=1"
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_BUILD_FUZZ=ON \
  -DTARVO_BUILD_TESTS=OFF -DTARVO_WITH_QT=OFF >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]}"
python3 fuzz/make_dictionaries.py src build-fuzz/dict
base=${TMPDIR:-/tmp}
[ -d /dev/shm ] && [ -w /dev/shm ] && base=/dev/shm
TMPDIR=$(mktemp -d "$base/tarvo-fuzz.XXXXXX")
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT
run() {  # target, then libFuzzer's limits
  local t=$1 dict
  shift
  case $t in
    fuzz_ini) dict=(build-fuzz/dict/ini.dict build-fuzz/dict/profile.dict) ;;
    fuzz_programs) dict=(build-fuzz/dict/program.dict) ;;
    *) dict=() ;;
  esac
  local flags=()
  if [ ${#dict[@]} -gt 0 ]; then
    cat "${dict[@]}" >"build-fuzz/dict/$t.dict"
    flags=(-dict="build-fuzz/dict/$t.dict")
  fi
  mkdir -p "build-fuzz/corpus/$t" build-fuzz/artifacts
  # New inputs go to build-fuzz/corpus; the seeds committed under fuzz/corpus are read too. The
  # inputs of findings (and slow ones) go to build-fuzz/artifacts.
  "build-fuzz/fuzz/$t" "${flags[@]}" "$@" -max_len=512 -artifact_prefix=build-fuzz/artifacts/ \
    "build-fuzz/corpus/$t" "fuzz/corpus/$t"
}
if [ "$mode" = long ]; then
  mkdir -p build-fuzz/logs
  printf '%s\n' "${targets[@]}" | xargs -P "${FUZZ_JOBS:-2}" -I{} bash -c \
    "$(declare -f run); run {} -runs=10000000 -max_total_time=1800 -print_final_stats=1 >build-fuzz/logs/{}.log 2>&1 \
     && echo '{}: '\$(grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' build-fuzz/logs/{}.log | tr '\n' ' ') \
          \$(grep -Eo 'cov: [0-9]+ ft: [0-9]+' build-fuzz/logs/{}.log | tail -1) \
     || { echo '{}: FINDING, see build-fuzz/logs/{}.log'; exit 1; }" | tee build-fuzz/logs/summary.txt
else
  for t in "${targets[@]}"; do
    echo "== $t"
    run "$t" -max_total_time="$mode"
  done
fi
