#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when run as root and something is missing.
set -euo pipefail
# libedit-dev: the REPL's line editing; pkg-config finds it. dpkg-dev and file: CPack's Debian package.
# libmuparser-dev, libfparser-dev: the peer engines of the benchmark program.
# qt6-base-dev: the Qt backend and the workbench (optional in the build, built when found); its
# offscreen platform draws the Qt tests' windows. fonts-liberation2: the stand-in for the windows'
# "MS Sans Serif", whose metrics their layouts were made for.
packages=(cmake g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev locales
          libedit-dev pkg-config dpkg-dev file libmuparser-dev libfparser-dev qt6-base-dev
          fonts-liberation2)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${missing[*]} (run as root to install them)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi
# The locale tests run under a comma-decimal locale when one is available.
if [ "$(id -u)" -eq 0 ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen 2>/dev/null || true
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null 2>&1 || true
fi
