#!/usr/bin/env bash
# Installs the Debian packages a task needs, only those still missing, so it is
# safe to run again. Usage: scripts/deps.sh run|test|fuzz|package
set -euo pipefail

# qt6-translations-l10n: the toolkit's own texts (Yes, No, the file dialogs)
# in the language a language file names. The charts of the Graphs window and
# their SVG images: Qt Charts and Qt SVG.
build_pkgs=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n
  qt6-charts-dev qt6-svg-dev libgl-dev fonts-dejavu-core)
case "${1:-run}" in
  run)  pkgs=("${build_pkgs[@]}") ;;
  # The lh5 codec is tested against two independent LHA implementations.
  # The printer tests read their PDFs back with pdftotext; the install test
  # checks the desktop entry, the AppStream file and the project file type
# (update-mime-database). The fuzz targets the test
  # command runs need clang and its runtime (see fuzz).
  test) pkgs=("${build_pkgs[@]}" lhasa jlha-utils poppler-utils desktop-file-utils appstream shared-mime-info clang libclang-rt-14-dev) ;;
  # libFuzzer and the sanitizers come with clang's runtime library.
  fuzz) pkgs=("${build_pkgs[@]}" clang libclang-rt-14-dev) ;;
  # cpack's Debian generator finds the package's dependencies with dpkg-shlibdeps.
  # lintian checks the package it makes.
  package) pkgs=("${build_pkgs[@]}" dpkg-dev file lintian) ;;
  *) echo "usage: $0 run|test|fuzz|package" >&2; exit 2 ;;
esac

missing=()
for p in "${pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
