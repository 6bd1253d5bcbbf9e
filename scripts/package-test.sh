#!/usr/bin/env bash
# Makes the Debian package from a built tree, validates the desktop entry and the AppStream
# file, checks the package's contents, installs it with apt-get and runs the installed
# /usr/bin/bolvin on a private desktop. Leaves the package installed (apt-get remove bolvin).
# usage: scripts/package-test.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(cd "${1:-build}" && pwd)

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

echo "== desktop entry"
# Hints are advice; errors and warnings are not.
out=$(desktop-file-validate packaging/bolvin.desktop 2>&1) || fail "desktop-file-validate: $out"
echo "$out" | grep -qE ': (error|warning): ' && fail "desktop-file-validate: $out"

echo "== AppStream metainfo"
metainfo="$build/packaging/app.bolvin.Bolvin.metainfo.xml"
if [ -f "$metainfo" ]; then
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate found problems"
else
  fail "no $metainfo: was the build folder configured?"
fi

# The pictures it names are the ones in docs/, published under the same names.
for image in $(grep -o 'https://bolvin.app/docs/[^<]*' packaging/app.bolvin.Bolvin.metainfo.xml.in); do
  [ -f "docs/${image#https://bolvin.app/docs/}" ] || fail "metainfo names $image, not in docs/"
done

echo "== cpack -G DEB in $build"
rm -f "$build"/bolvin_*.deb
(cd "$build" && timeout 900 cpack -G DEB) || { fail "cpack failed"; exit 1; }
debs=("$build"/bolvin_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || { fail "want one bolvin_*.deb, found: ${debs[*]}"; exit 1; }
deb=${debs[0]}
echo "$deb"

echo "== package contents"
# The path is everything after the fifth column: names may hold spaces.
contents=$(dpkg-deb -c "$deb" | sed -E 's/^([^ ]+ +){5}//')
outside=$(echo "$contents" | grep -vE '^\./$|^\./usr(/|$)' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
for f in ./usr/bin/bolvin ./usr/share/applications/bolvin.desktop \
    ./usr/share/metainfo/app.bolvin.Bolvin.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/bolvin.svg ./usr/share/icons/hicolor/48x48/apps/bolvin.png \
    ./usr/share/icons/hicolor/256x256/apps/bolvin.png ./usr/share/bolvin/icons/AAA-16.png \
    ./usr/share/bolvin/sounds/newemail.wav "./usr/share/bolvin/library/iTunes Music Library.xml"; do
  echo "$contents" | grep -qxF "$f" || fail "missing from the package: $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6dbus6 libfreeimage3; do
  echo "$depends" | grep -q "$lib" || fail "Depends lacks $lib (shlibdeps)"
done
kind=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/bin/bolvin | file -)
echo "$kind" | grep -q 'not stripped' && fail "/usr/bin/bolvin is not stripped: $kind"

echo "== apt-get install"
if ! $sudo env DEBIAN_FRONTEND=noninteractive timeout 600 apt-get install -y -qq --reinstall "$deb" \
    >"$build/apt-install.log" 2>&1; then
  cat "$build/apt-install.log"; fail "apt-get install failed"; exit 1
fi
[ -x /usr/bin/bolvin ] || { fail "no /usr/bin/bolvin after installing"; exit 1; }

echo "== installed bolvin on a private desktop"
DESKTOP_TIMEOUT=300 scripts/with-desktop.sh "$root/tests/install/installed_smoke.sh" /usr/bin/bolvin \
  || fail "the installed bolvin failed its smoke test"

[ $failures -eq 0 ] && echo "package checks passed"
exit $(( failures > 0 ))
