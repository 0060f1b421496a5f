#!/usr/bin/env bash
# Installs what is missing, builds Ordex 2000 and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
./scripts/build.sh
exec ./build/Ordex2000/Ordex2000
