#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer in
# every target) and runs each, starting from the committed seeds. Any sanitizer report, undefined
# behaviour included, stops the target and is a finding.
#   bash scripts/fuzz.sh [SECONDS] [TARGET ...]   each target for SECONDS (default 60)
#   bash scripts/fuzz.sh long [TARGET ...]        the release run: each target to 10 million
#                                                 executions or 30 minutes, two at a time;
#                                                 logs in build-fuzz/logs
set -euo pipefail
cd "$(dirname "$0")/.."
all=(fuzz_read_number fuzz_ini fuzz_point_item fuzz_files fuzz_receive fuzz_views fuzz_programs)
mode=${1:-60}
shift || true
targets=("$@")
# Last, so that options of the caller's cannot turn the stop off.
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}halt_on_error=1:print_stacktrace=1"
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_BUILD_FUZZ=ON \
  -DTARVO_BUILD_TESTS=OFF -DTARVO_WITH_QT=OFF >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]}"
run() {  # target, then libFuzzer's limits
  local t=$1
  shift
  mkdir -p "build-fuzz/corpus/$t"
  # New inputs go to build-fuzz/corpus; the seeds committed under fuzz/corpus are read too.
  "build-fuzz/fuzz/$t" "$@" -max_len=512 "build-fuzz/corpus/$t" "fuzz/corpus/$t"
}
if [ "$mode" = long ]; then
  mkdir -p build-fuzz/logs
  printf '%s\n' "${targets[@]}" | xargs -P 2 -I{} bash -c \
    "$(declare -f run); run {} -runs=10000000 -max_total_time=1800 -print_final_stats=1 >build-fuzz/logs/{}.log 2>&1 \
     && echo '{}: '\$(grep -E '^Done' build-fuzz/logs/{}.log) || { echo '{}: FINDING, see build-fuzz/logs/{}.log'; exit 1; }"
else
  for t in "${targets[@]}"; do
    echo "== $t"
    run "$t" -max_total_time="$mode"
  done
fi
