#!/usr/bin/env bash
# Builds the Debian package (tarvo_VERSION_ARCH.deb) into build-pkg/: a Release build of the
# programs, installed under /usr by CPack, its library dependencies taken by dpkg-shlibdeps.
#   sudo apt install ./build-pkg/tarvo_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh build  # the build dependencies only; no root needed when they are there
cmake -S . -B build-pkg -DCMAKE_BUILD_TYPE=Release -DTARVO_BUILD_TESTS=OFF >/dev/null
cmake --build build-pkg -j"${JOBS:-2}"
(cd build-pkg && cpack -G DEB >/dev/null)
ls build-pkg/tarvo_*.deb
