#!/usr/bin/env bash
# Builds the tolvex tool (release) and runs it with the given arguments. Without arguments it starts
# the REPL on a terminal, and runs a small example when standard input is no terminal (as in CI).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake --preset release -DTOLVEX_TESTS=OFF >/dev/null
cmake --build --preset release --target tolvex -j2 >/dev/null
if (($# == 0)) && [ ! -t 0 ]; then
  set -- --typed -e 'x=3; f(a,b):=a*b+x; f(4,5); 2^10; '"'"'Hello'"'"'; 7 div 2 == 3'
fi
exec build/release/tolvex "$@"
