#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_BUILD_FUZZ=ON \
  -DTARVO_BUILD_TESTS=OFF -DTARVO_WITH_QT=OFF >/dev/null
cmake --build build-fuzz -j2 --target fuzz_read_number fuzz_ini fuzz_point_item fuzz_files fuzz_receive fuzz_views
for t in fuzz_read_number fuzz_ini fuzz_point_item fuzz_files fuzz_receive fuzz_views; do
  echo "== $t"
  mkdir -p "build-fuzz/corpus/$t"
  "build-fuzz/fuzz/$t" -max_total_time="$seconds" -max_len=512 "build-fuzz/corpus/$t"
done
