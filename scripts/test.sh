#!/usr/bin/env bash
# Sets up, builds and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh -DTARVO_BUILD_TESTS=ON
cd build
ctest --output-on-failure -j2 --timeout 300
