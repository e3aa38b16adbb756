#!/bin/sh
# Compiles every installed header on its own, as a host includes it (<tolvex/LAYER/NAME.h> through
# -I), with the warnings strict hosts turn into errors, under each of g++ and clang++ found.
# Usage: compile_alone.sh INCLUDE_DIR GENERATED_INCLUDE_DIR FOLDER...
set -u
include=$1
generated=$2
shift 2
compilers=""
for cxx in g++ clang++; do
    command -v "$cxx" >/dev/null 2>&1 && compilers="$compilers $cxx"
done
[ -n "$compilers" ] || { echo "no compiler found"; exit 0; }
list=$(mktemp)
trap 'rm -f "$list"' EXIT
for folder in "$@"; do
    for header in "$include"/tolvex/"$folder"/*.h; do
        case $header in *_internal.h) continue ;; esac
        [ -e "$header" ] || continue
        for cxx in $compilers; do echo "$cxx tolvex/$folder/${header##*/}"; done
    done
done >"$list"
# One compiler run per line, two at a time; each prints its failure, and any failure fails the test.
xargs -P 2 -L 1 sh -c '
    printf "#include <%s>\n" "$1" | "$0" -std=c++20 -fsyntax-only -Wall -Wextra -Wconversion -Wsign-conversion \
        -Werror -I "'"$include"'" -I "'"$generated"'" -x c++ - 2>&1 || { echo "FAILED: $0 $1"; exit 1; }' <"$list"
status=$?
[ $status -eq 0 ] && echo "$(wc -l <"$list") compilations clean"
exit $status
