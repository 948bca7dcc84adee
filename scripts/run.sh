#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Without a display
# it computes the start-up design headless and says how to open the window.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAMPWALL_GUI=ON -DRAMPWALL_WERROR=ON >/dev/null
cmake --build build -j "$(nproc)"

if [ -x build/ui/rampwall ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/ui/rampwall "$@"
fi
echo "No display found: computing the start-up design with rampwall-cli."
echo "To open the window, run build/ui/rampwall on a desktop, or: xvfb-run build/ui/rampwall"
echo
exec build/cli/rampwall-cli "$@"
