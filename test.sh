#!/usr/bin/env bash
# Builds and runs every test. The optional argument picks the build: release (default), debug or asan.
set -euo pipefail
cd "$(dirname "$0")"
preset="${1:-release}"
say() { echo "== $*"; }
say "Checking the packages the tests need"
scripts/deps.sh
say "Configuring the $preset build in build/$preset"
cmake --preset "$preset" -DTOLVEX_TESTS=ON
say "Building"
cmake --build --preset "$preset" -j2
say "Running the tests"
ctest --preset "$preset" -j2
