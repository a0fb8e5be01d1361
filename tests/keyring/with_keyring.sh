#!/usr/bin/env bash
# Runs a command in a private D-Bus session that holds an unlocked gnome-keyring, a real Secret
# Service, with its files in a temporary folder.
set -euo pipefail
exec dbus-run-session -- bash -c '
  scratch=$(mktemp -d)
  trap "rm -rf \"$scratch\"" EXIT
  export XDG_DATA_HOME=$scratch/data XDG_RUNTIME_DIR=$scratch/run XDG_CONFIG_HOME=$scratch/config
  mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
  chmod 700 "$XDG_RUNTIME_DIR"
  # The daemon outlives this shell until the bus goes: it must not hold the caller'"'"'s output open.
  printf kestrel-test | gnome-keyring-daemon --unlock --components=secrets >/dev/null 2>&1
  KESTREL_EXPECT_KEYRING=1 "$@"' bash "$@"
