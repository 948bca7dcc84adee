#!/usr/bin/env bash
# Installs the Debian packages the program and its tests need, once: packages
# already present are skipped, so a second run touches nothing. Works as root
# or through sudo.
set -euo pipefail

packages=(
  # build; number reading and writing, header-only
  g++ cmake ninja-build pkgconf libfast-float-dev libfmt-dev
  # design files and JSON output; Excel workbooks of schedules and batches
  nlohmann-json3-dev libxlsxwriter-dev
  # tests, benchmarks, fuzzing, analysis
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev clang-tidy clang-format cppcheck
  # the calculation in WebAssembly, and Node to test it
  emscripten nodejs
  # the web page: a real browser for its tests, and a static server for web.sh
  chromium python3
  # the window: Qt 6 Widgets, SVG for the sketch, Multimedia for the sound
  qt6-base-dev qt6-svg-dev qt6-multimedia-dev libgl-dev
  # the sound back end (without plugins-base the default back end crashes)
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  # the Chinese faces the window maps its fonts to and the book embeds, and
  # Qt's own texts in Chinese
  fonts-wqy-microhei fonts-arphic-ukai qt6-translations-l10n
  # the book's tests read its PDF back (pdftotext, pdfinfo, pdffonts), and
  # the workbooks' tests read them back with openpyxl
  poppler-utils python3-openpyxl
  # a display for window tests and screenshots
  xvfb xauth
  # desktop integration and manual page checks
  desktop-file-utils appstream groff-base shared-mime-info
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
