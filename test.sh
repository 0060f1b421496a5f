#!/usr/bin/env bash
# Installs what is missing, builds Ordex 2000 and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
./scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 ctest --output-on-failure -j2 "$@"
