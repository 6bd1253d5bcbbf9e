#!/usr/bin/env bash
# Prints, per subsystem, the lines of code and of the tests that cover it (fakes included),
# and their ratio; then the whole tree. Counts the C++ sources git tracks.
set -euo pipefail
cd "$(dirname "$0")/.."
lines() { git ls-files -- "$@" | grep -E '\.(cpp|h)$' | tr '\n' '\0' | xargs -0 -r cat | wc -l; }
printf '%-10s %8s %8s %7s\n' folder code tests ratio
for folder in app player popup tray library artwork platform; do
  # Tests are foldered by what they cover; the shared fakes count in the total only.
  case $folder in
    app) tests=(tests/app tests/jukebox) ;;
    player) tests=(tests/player tests/mpris tests/selection) ;;
    tray) tests=(tests/tray tests/hotkeys) ;;
    *) tests=("tests/$folder") ;;
  esac
  code=$(lines "$folder")
  test=$(lines "${tests[@]}")
  awk -v f="$folder" -v c="$code" -v t="$test" 'BEGIN { printf "%-10s %8d %8d %6.0f%%\n", f, c, t, c ? 100 * t / c : 0 }'
done
code=$(lines app player popup tray library artwork platform)
test=$(lines tests)
awk -v c="$code" -v t="$test" 'BEGIN { printf "%-10s %8d %8d %6.0f%%\n", "all", c, t, 100 * t / c }'
