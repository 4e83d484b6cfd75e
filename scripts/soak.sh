#!/usr/bin/env bash
# The full soak against tarvo-readout-sim on a pseudo terminal: 10 000 foot-switch captures and
# 1 000 circle evaluations in one run (CI runs a tenth of it). With "hour", circles are added
# until about an hour has passed (a release check): TARVO_SOAK_CIRCLES=... sets the count.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh -DTARVO_BUILD_TESTS=ON
circles=1000
if [[ "${1:-}" == "hour" ]]; then
  circles=${TARVO_SOAK_CIRCLES:-180000}
fi
TARVO_SOAK_CIRCLES=$circles build/tests/e2e_tests --gtest_filter='*Soak*'
