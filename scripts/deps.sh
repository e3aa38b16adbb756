#!/usr/bin/env bash
# Installs the Debian packages a build needs, when something is missing. `deps.sh tool` is what
# the tolvex tool needs (run.sh); `deps.sh` alone adds what the tests, benchmarks, packages and
# documentation need (test.sh, .ci/run); `deps.sh screenshot` what the designer's screenshot needs.
set -euo pipefail
# cmake, g++: the build. libedit-dev: the REPL's line editing; pkg-config finds it.
tool=(cmake g++ pkg-config libedit-dev)
# clang, libclang-rt-14-dev: the sanitizer and fuzzing builds. libgtest-dev, libgmock-dev: the tests.
# locales: the comma-decimal locale of the locale tests. libbenchmark-dev, libmuparser-dev,
# libfparser-dev: the benchmark program and its peer engines. dpkg-dev, file, lintian: CPack's
# Debian packages and their check. doxygen: the API reference. qt6-base-dev: the Qt backend and the
# workbench (optional in the build, built when found); its offscreen platform draws the Qt tests'
# windows. fonts-liberation2: the stand-in for the windows' "MS Sans Serif", whose metrics their
# layouts were made for. qt6-tools-dev: the Qt Widgets Designer plugin, QUiLoader and uic (the
# plugin is optional in the build, built when found); its tests open forms on the designer's own
# components. libasmjit-dev: machine code for prepared formulas (optional in the build, built in
# when found), so that the tests run it beside the closures.
rest=(clang libclang-rt-14-dev libgtest-dev libgmock-dev locales libbenchmark-dev libmuparser-dev
      libfparser-dev dpkg-dev file lintian doxygen qt6-base-dev fonts-liberation2 qt6-tools-dev
      libasmjit-dev)
# `deps.sh screenshot` (scripts/designer-screenshot.sh): designer-qt6 and qt6-tools-dev-tools, the
# designer itself; xvfb, the virtual display it runs on; xdotool, which sizes its window and
# clicks; imagemagick, whose import photographs the display.
screenshot=(qt6-tools-dev qt6-tools-dev-tools designer-qt6 xvfb xdotool imagemagick)
packages=("${tool[@]}")
case "${1:-all}" in
  tool) ;;
  screenshot) packages=("${screenshot[@]}") ;;
  *) packages+=("${rest[@]}") ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
      as_root=(sudo)
    else
      echo "These Debian packages are missing: ${missing[*]}" >&2
      echo "Installing them needs root. Run this script as root, or first:" >&2
      echo "  sudo apt-get install ${missing[*]}" >&2
      exit 1
    fi
  fi
  echo "== Installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update
  "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
case "${1:-all}" in tool | screenshot) exit 0 ;; esac
# The locale tests run under a comma-decimal locale when one is available.
if [ "$(id -u)" -eq 0 ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  echo "== Generating the de_DE.UTF-8 locale"
  sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen 2>/dev/null || true
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null 2>&1 || true
fi
