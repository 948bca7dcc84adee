#!/usr/bin/env bash
# Static analysis and layout of the whole tree: the calculation, the
# command-line tool, the design files, the book, the fuzz targets, the window
# and the page generator
# (the WebAssembly module, built only by emscripten, is formatted), and the
# JavaScript of the page, the module, the tests and the benchmarks.
# clang-format, ESLint (tests/web/eslint.config.js), cppcheck and clang-tidy
# (.clang-tidy) must report nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
# A pattern's * takes in subfolders too: ui/ brings ui/media/.
mapfile -t sources < <(git ls-files 'calc/*.cpp' 'cli/*.cpp' 'design/*.cpp' 'book/*.cpp' 'fuzz/*.cpp' 'ui/*.cpp' 'web/*.cpp')
mapfile -t formatted < <(git ls-files 'calc/*.h' 'cli/*.h' 'design/*.h' 'fuzz/*.h' 'ui/*.h' 'book/*.h' 'wasm/*.cpp' 'tests/*.h' 'tests/*.cpp' 'bench/*.cpp' "${sources[@]}")

echo "== clang-format: ${#formatted[@]} files"
clang-format --dry-run -Werror "${formatted[@]}"

echo "== eslint: web, wasm, tests, bench"
# ESLint is pinned with the page test's driver in tests/web/package-lock.json.
[ -x tests/web/node_modules/.bin/eslint ] || npm ci --prefix tests/web --no-audit --no-fund --loglevel=error
npx --prefix tests/web eslint --config tests/web/eslint.config.js web wasm tests bench

echo "== cppcheck: ${#sources[@]} files"
# useStlAlgorithm: the loops follow the design's steps one by one (the bar
#   table is walked whole, a later match replacing an earlier one); an
#   algorithm call would hide that order.
# --library=qt: Qt's macros (Q_OBJECT, signals, slots) as cppcheck must read
#   them; the Qt headers themselves are left out, as clang-tidy reads them.
cppcheck --enable=warning,style,performance,portability --std=c++20 --language=c++ --library=qt \
  --inline-suppr --error-exitcode=1 --quiet -j "$jobs" -I . -I calc -I cli -I design -I book -I ui -I ui/media \
  --suppress=useStlAlgorithm \
  "${sources[@]}"

echo "== clang-tidy: ${#sources[@]} files"
# The compile commands of a configured build with the window and the fuzz
# targets, so that every file is read with its own flags and Qt's headers.
cmake --preset tidy >/dev/null
# Warnings are errors (.clang-tidy), so any finding makes clang-tidy fail.
# The sources that use Qt (the window's, and the book's painters) are read
# without the path-sensitive analyser: through Qt's inline code it takes half
# of all the analysis time, and what it can find there (null paths, leaks)
# their tests find under the sanitizers, the monkey included. Every other
# check reads them as the rest.
tidy() {
  xargs -P "$jobs" -n 1 clang-tidy -p build-tidy --quiet "$@" 2> >(grep -v -E '^[0-9]+ warnings? generated\.$|^Suppressed [0-9]+ warnings' >&2)
}
plain=()
qt=()
for file in "${sources[@]}"; do
  if [[ $file == ui/* ]] || grep -q '^#include <Q' "$file"; then qt+=("$file"); else plain+=("$file"); fi
done
printf '%s\n' "${plain[@]}" | tidy
printf '%s\n' "${qt[@]}" | tidy '--checks=-clang-analyzer-*'
