#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer in
# every target) and runs each for SECONDS (default 60), starting from the committed seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_BUILD_FUZZ=ON \
  -DTARVO_BUILD_TESTS=OFF -DTARVO_WITH_QT=OFF >/dev/null
cmake --build build-fuzz -j2 --target fuzz_read_number fuzz_ini fuzz_point_item fuzz_files fuzz_receive fuzz_views fuzz_programs
for t in fuzz_read_number fuzz_ini fuzz_point_item fuzz_files fuzz_receive fuzz_views fuzz_programs; do
  echo "== $t"
  mkdir -p "build-fuzz/corpus/$t"
  # New inputs go to build-fuzz/corpus; the seeds committed under fuzz/corpus are read too.
  "build-fuzz/fuzz/$t" -max_total_time="$seconds" -max_len=512 "build-fuzz/corpus/$t" "fuzz/corpus/$t"
done
