#!/usr/bin/env bash
# Installs what building and testing TARVO needs on Debian 12, as far as it is missing.
#   bash scripts/setup.sh          everything: build, tests, fuzzing, benchmarks
#   bash scripts/setup.sh build    only what building the programs and the package needs
# Installing needs root; a user who has everything already goes on without it.
set -euo pipefail

build=(build-essential cmake pkg-config dpkg-dev qt6-base-dev qt6-serialport-dev qt6-multimedia-dev libgl-dev
       qt6-translations-l10n libqt6sql6-sqlite libqt6sql6-psql)
if [[ "${1:-}" == build ]]; then
  packages=("${build[@]}")
else
  packages=("${build[@]}" libgtest-dev libgmock-dev libbenchmark-dev poppler-utils python3-ezdxf python3-mpmath bcnc
            desktop-file-utils clang clang-format libclang-rt-14-dev postgresql)
fi
# Qt SQL (in qt6-base-dev) with its SQLite and PostgreSQL drivers: the results journal.
# qt6-multimedia-dev: the real camera at the cross-hair (optional: without it only the simulated one).
# postgresql: the server the journal's end-to-end test starts on a free local port.
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "setup: missing packages: ${missing[*]} (run as root, or install them)" >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
