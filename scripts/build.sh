#!/usr/bin/env bash
# Configures and builds Kestrel (out of source, in build/ unless KESTREL_BUILD_DIR says otherwise).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${KESTREL_BUILD_DIR:-$root/build}

bash "$here/deps.sh"
launcher=()
# A compiler cache, when the machine has one, makes rebuilds in several work trees cheap.
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
# A CI build (CI=true) treats every warning as an error.
werror=OFF
if [ "${CI:-}" = true ]; then werror=ON; fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${KESTREL_BUILD_TYPE:-RelWithDebInfo}" \
  -DKESTREL_WERROR="$werror" "${launcher[@]}" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
