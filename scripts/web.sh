#!/usr/bin/env bash
# Installs what is missing, builds the web page (the calculation compiled to
# WebAssembly and the window as a static page) into build/page, prints its
# address and serves it on 127.0.0.1 until stopped. The folder also works
# opened as a file, and build/page/rampwall.html is all of it in one file.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

port=${PORT:-8080}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAMPWALL_WASM=ON -DRAMPWALL_WERROR=ON >/dev/null
cmake --build build -j "$(nproc)" --target web_page

echo "The page in one file, to copy to any computer: build/page/rampwall.html"
echo "The page, served until Ctrl+C:"
echo "http://127.0.0.1:${port}/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/page
