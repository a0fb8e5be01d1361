#!/usr/bin/env bash
# Installs the Debian packages Kestrel needs to build, run and test; installs only what is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git clang-format
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev libglx-dev libxkbcommon-dev
  libmariadb-dev libmariadb3 mariadb-server mariadb-client
  unixodbc unixodbc-dev libsqliteodbc libsqlite3-dev
  libgtest-dev libgmock-dev python3
  qt6-translations-l10n desktop-file-utils qtkeychain-qt6-dev gnome-keyring dbus-daemon
  xvfb xauth galera-4
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "deps: installing ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "deps: these packages are missing and installing them needs root: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
  # The server package may try to start a service of its own; Kestrel runs its own throwaway server.
  if command -v service >/dev/null 2>&1; then service mariadb stop >/dev/null 2>&1 || true; fi
fi
