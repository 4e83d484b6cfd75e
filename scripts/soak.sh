#!/usr/bin/env bash
# The full soak against tarvo-readout-sim on a pseudo terminal: 10 000 foot-switch captures and
# 1 000 circle evaluations in one run (CI runs a tenth of it). With "hour", circles go on until an
# hour has passed (a release check; TARVO_SOAK_SECONDS=... sets another time).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh -DTARVO_BUILD_TESTS=ON
if [[ "${1:-}" == "hour" ]]; then
  export TARVO_SOAK_SECONDS=${TARVO_SOAK_SECONDS:-3600}
fi
TARVO_SOAK_CIRCLES=1000 build/tests/e2e_tests --gtest_filter='*Soak*'
