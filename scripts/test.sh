#!/usr/bin/env bash
# Builds Kestrel, checks that the two .ts files hold every window text, starts the throwaway test
# server, runs every test with CTest and stops the server again whatever the outcome (a server that
# was already running is left running).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${KESTREL_BUILD_DIR:-$root/build}

bash "$here/build.sh"
bash "$here/check_translations.sh"

started=0
if ! bash "$here/testserver.sh" status 2>/dev/null; then
  bash "$here/testserver.sh" start
  started=1
fi
cleanup() {
  if [ "$started" = 1 ]; then
    bash "$here/testserver.sh" stop || true
    bash "$here/testserver.sh" stop 2 >/dev/null 2>&1 || true
    bash "$here/testserver.sh" stop 3 >/dev/null 2>&1 || true
    bash "$here/testserver.sh" stop 4 >/dev/null 2>&1 || true
    # The replica, its primary and the cluster nodes some tests start.
    bash "$here/testserver.sh" stopall 21 22 23 >/dev/null 2>&1 || true
  fi
}
trap cleanup EXIT

export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --no-tests=error --timeout 300 "$@"
