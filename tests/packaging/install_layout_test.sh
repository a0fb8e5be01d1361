#!/usr/bin/env bash
# Installs the build into a scratch root and checks that every file is where the desktop entry
# and the program look for it, and that --version and --help need no display.
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null

fail=0
expect() {
  if [ -e "$root/usr/$1" ]; then echo "ok: /usr/$1"; else echo "MISSING: /usr/$1"; fail=1; fi
}
expect bin/kestrel
expect bin/kestrel-transact-server
expect share/kestrel/kestrel.ENU
expect share/kestrel/kestrel.HRV
expect share/kestrel/Scripts/lindora_overview.sql
expect share/kestrel/Scripts/lindora_orders.sql
expect share/applications/kestrel.desktop
expect share/icons/hicolor/scalable/apps/kestrel.svg
for size in 16 32 48 64 128 256; do expect "share/icons/hicolor/${size}x${size}/apps/kestrel.png"; done

# The entry starts "kestrel" from the PATH and names the icon that is installed.
desktop="$root/usr/share/applications/kestrel.desktop"
grep -qx 'Exec=kestrel' "$desktop" || { echo "desktop entry: Exec is not kestrel"; fail=1; }
grep -qx 'Icon=kestrel' "$desktop" || { echo "desktop entry: Icon is not kestrel"; fail=1; }
grep -q '^Categories=.*Development;.*Database;' "$desktop" || { echo "desktop entry: categories"; fail=1; }
# The validator is a dependency (desktop-file-utils, scripts/deps.sh): without it the check fails.
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$desktop" || fail=1
else
  echo "desktop entry: desktop-file-validate not found (install desktop-file-utils)"
  fail=1
fi

# No display needed to ask for the version or the usage.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/kestrel" --version)
[[ $version =~ ^Kestrel\ [0-9]+(\.[0-9]+)+$ ]] || { echo "--version printed: $version"; fail=1; }
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/kestrel" --help | grep -q -- '--version' ||
  { echo "--help does not list --version"; fail=1; }
echo "$version"
exit $fail
