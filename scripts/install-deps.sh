#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need.
# Idempotent: packages already present are left alone, and apt-get runs only when one is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  clang libclang-rt-14-dev          # fuzz preset (libFuzzer)
  libgtest-dev libgmock-dev libbenchmark-dev
  libpugixml-dev                    # DXL reader
  qt6-base-dev                      # dialogs and option sheets
  qt6-translations-l10n             # Qt's own texts (file dialogs, standard buttons, menus) in Japanese
  fonts-ipafont-gothic              # Japanese font for offscreen UI tests
  libxml2-utils                     # xmllint, checks the XML the tests write
  xvfb xdotool                      # a display for the demo's and the UI tests' windows, keys typed into them
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "    installing ${missing[*]} (this takes a few minutes)"
  SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "    all there"
fi
