#!/usr/bin/env bash
# Builds and runs every test. The optional argument picks the build: release (default), debug or asan.
set -euo pipefail
cd "$(dirname "$0")"
preset="${1:-release}"
scripts/deps.sh
cmake --preset "$preset" -DTOLVEX_TESTS=ON >/dev/null
cmake --build --preset "$preset" -j2
ctest --preset "$preset" -j2
