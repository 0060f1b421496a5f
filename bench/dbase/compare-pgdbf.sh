#!/usr/bin/env bash
# Compares ordex-dbf's CSV export with Debian's pgdbf on the same 100,000-book
# catalogue. Usage: bench/dbase/compare-pgdbf.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/bench-dbase" --keep "$work"
table="$work/Data/VazonS.dbf"
tool="$build/Ordex2000/ordex-dbf"
if command -v hyperfine >/dev/null; then
  hyperfine --warmup 1 --runs 5 \
    "$tool export $table --order NAZEV > /dev/null" \
    "$tool export $table > /dev/null" \
    "pgdbf -s cp1250 $table > /dev/null"
else
  time "$tool" export "$table" --order NAZEV > /dev/null
  time pgdbf -s cp1250 "$table" > /dev/null
fi
