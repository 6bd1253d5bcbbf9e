#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test inside a private desktop (Xvfb,
# tray host, session bus): first the normal build and its package, then the AddressSanitizer +
# UndefinedBehaviorSanitizer build. BOLVIN_SKIP_ASAN=1 skips the second.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/format.sh --check

scripts/build.sh default
scripts/with-desktop.sh ctest --preset default
# The Debian package: validated, installed, and the installed program started once.
scripts/package-test.sh build

if [ "${BOLVIN_SKIP_ASAN:-0}" != 1 ]; then
  scripts/build.sh asan
  # Qt and the X libraries keep some allocations for the life of the process.
  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    scripts/with-desktop.sh ctest --preset asan
fi
