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
    # The further instances some tests start (moved by KESTREL_TEST_INSTANCE_OFFSET): a server to
    # shut down, the older privilege tables, the ANSI sql_mode, the replica, its primary and the
    # cluster nodes.
    local offset=${KESTREL_TEST_INSTANCE_OFFSET:-0} n
    for n in 2 3 4 21 22 23; do
      bash "$here/testserver.sh" stop $((n + offset)) >/dev/null 2>&1 || true
    done
  fi
}
trap cleanup EXIT

export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --no-tests=error --timeout 300 "$@"
