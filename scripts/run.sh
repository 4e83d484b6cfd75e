#!/usr/bin/env bash
# Sets up, builds and starts TARVO. Until the desktop window exists, this runs tarvo-cli on the
# demo script in a fresh demo working folder (build/demo-work).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
work=build/demo-work
rm -rf "$work" && mkdir -p "$work"
exec build/apps/tarvo-cli --dir "$work" demo/demo.tarvo
