#!/usr/bin/env bash
# Formats every C++ file git tracks with the repository's .clang-format; with --check,
# changes nothing and fails, naming the files, when one is not formatted.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format is missing (scripts/install-deps.sh installs it)"; exit 2; }
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
if [ "${1:-}" = --check ]; then
  unformatted=$(clang-format --dry-run --Werror "${files[@]}" 2>&1 | grep -e '-Wclang-format-violations' | cut -d: -f1 | sort -u || true)
  [ -z "$unformatted" ] && exit 0
  echo "not formatted (scripts/format.sh or the format target formats them):"
  echo "$unformatted"
  exit 1
fi
clang-format -i "${files[@]}"
