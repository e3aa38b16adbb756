#!/usr/bin/env bash
# Builds the tolvex tool (release) and runs it with the given arguments. Without arguments it starts
# the REPL on a terminal, and runs a small example when standard input is no terminal (as in CI).
# Only what the tool needs is installed (scripts/deps.sh tool); test.sh installs the rest.
set -euo pipefail
cd "$(dirname "$0")"
say() { echo "== $*" >&2; }
say "Checking the packages the tool needs (cmake, g++, pkg-config, libedit-dev)"
scripts/deps.sh tool
say "Configuring the release build in build/release"
cmake --preset release -DTOLVEX_TESTS=OFF >&2
say "Building the tolvex tool"
cmake --build --preset release --target tolvex -j2 >&2
say "Running build/release/tolvex $*"
if (($# == 0)) && [ ! -t 0 ]; then
  set -- --typed -e 'x=3; f(a,b):=a*b+x; f(4,5); 2^10; '"'"'Hello'"'"'; 7 div 2 == 3'
fi
exec build/release/tolvex "$@"
