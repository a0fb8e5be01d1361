#!/usr/bin/env bash
# Builds Kestrel and opens its main window. When nothing listens on port 3306 it first starts a
# local throwaway MariaDB server with the demo database "lindora" (root / kestrel).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${KESTREL_BUILD_DIR:-$root/build}

bash "$here/build.sh"

if ! (exec 3<>/dev/tcp/127.0.0.1/3306) 2>/dev/null; then
  bash "$here/testserver.sh" start
  bash "$here/testserver.sh" demo
  echo "run: a demo server runs on 127.0.0.1:3306; add the server 127.0.0.1 with user root, password kestrel"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: there is no display; starting Kestrel under xvfb-run (an invisible X server)"
  exec xvfb-run -a "$build/kestrel" "$@"
fi
exec "$build/kestrel" "$@"
