#!/usr/bin/env bash
# A throwaway MariaDB server for tests and for trying Kestrel out.
#
#   testserver.sh start [N] [OPT...]
#                                start instance N (1: 127.0.0.1:3306 and the default socket,
#                                N from 2 to 99: 127.0.0.N:3306), with further server options
#                                (e.g. --sql-mode=ANSI); does nothing when it already runs
#   testserver.sh stop [N]       stop instance N; does nothing when it does not run
#   testserver.sh status [N]     exit 0 when instance N answers
#   testserver.sh sql [N] SQL    run SQL as root on instance N and print the rows (tab separated)
#   testserver.sh demo [N]       (re)create the small demo database "lindora"
#
# Accounts: root / kestrel (all privileges, from anywhere) and plain / plain (no privileges).
# Each instance lives in a fresh data directory under ${KESTREL_SERVER_DIR:-/tmp/kestrel-mariadb}.
set -euo pipefail

ROOT_PASSWORD=kestrel
PLAIN_USER=plain
PLAIN_PASSWORD=plain
base=${KESTREL_SERVER_DIR:-/tmp/kestrel-mariadb}
here=$(cd "$(dirname "$0")" && pwd)

cmd=${1:-}
shift || true
instance=1
if [[ ${1:-} =~ ^[1-9][0-9]?$ ]]; then instance=$1; shift; fi

dir="$base-$instance"
if [ "$instance" = 1 ]; then
  address=127.0.0.1
  socket=/run/mysqld/mysqld.sock
else
  address=127.0.0.$instance
  socket="$dir/mysqld.sock"
fi
pidfile="$dir/mysqld.pid"

client() { mariadb --no-defaults --protocol=tcp -h "$address" -P 3306 "$@"; }

running() {
  [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null
}

answers() {
  client -u root -p"$ROOT_PASSWORD" -e 'SELECT 1' >/dev/null 2>&1
}

start() {
  if running && answers; then
    echo "testserver: instance $instance already runs on $address:3306"
    return 0
  fi
  running && stop
  rm -rf "$dir"
  mkdir -p "$dir/data" "$(dirname "$socket")"
  local user
  user=$(id -un)
  mariadb-install-db --no-defaults --datadir="$dir/data" --user="$user" \
    --auth-root-authentication-method=normal --skip-test-db >"$dir/install.log" 2>&1 ||
    { cat "$dir/install.log" >&2; exit 1; }
  nohup mariadbd --no-defaults --datadir="$dir/data" --user="$user" \
    --bind-address="$address" --port=3306 --socket="$socket" --pid-file="$pidfile" \
    --skip-name-resolve --skip-log-bin --innodb-buffer-pool-size=64M \
    --max-connections=400 --character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci \
    --log-error="$dir/error.log" "$@" >/dev/null 2>&1 &
  local i
  for i in $(seq 1 120); do
    if mariadb --no-defaults --socket="$socket" -u root -e 'SELECT 1' >/dev/null 2>&1; then break; fi
    if ! kill -0 $! 2>/dev/null; then
      echo "testserver: the server did not start:" >&2; tail -n 20 "$dir/error.log" >&2; exit 1
    fi
    sleep 0.5
  done
  mariadb --no-defaults --socket="$socket" -u root <<SQL
CREATE USER IF NOT EXISTS 'root'@'localhost';
CREATE USER IF NOT EXISTS 'root'@'127.0.0.1';
CREATE USER IF NOT EXISTS 'root'@'%';
ALTER USER 'root'@'localhost' IDENTIFIED BY '$ROOT_PASSWORD';
ALTER USER 'root'@'127.0.0.1' IDENTIFIED BY '$ROOT_PASSWORD';
ALTER USER 'root'@'%' IDENTIFIED BY '$ROOT_PASSWORD';
GRANT ALL PRIVILEGES ON *.* TO 'root'@'127.0.0.1' WITH GRANT OPTION;
GRANT ALL PRIVILEGES ON *.* TO 'root'@'%' WITH GRANT OPTION;
CREATE USER IF NOT EXISTS '$PLAIN_USER'@'%' IDENTIFIED BY '$PLAIN_PASSWORD';
CREATE USER IF NOT EXISTS '$PLAIN_USER'@'localhost' IDENTIFIED BY '$PLAIN_PASSWORD';
DELETE FROM mysql.global_priv WHERE User = 'root' AND Host NOT IN ('localhost', '127.0.0.1', '%');
FLUSH PRIVILEGES;
SQL
  answers || { echo "testserver: instance $instance does not answer on $address:3306" >&2; exit 1; }
  echo "testserver: instance $instance runs on $address:3306 (root/$ROOT_PASSWORD, $PLAIN_USER/$PLAIN_PASSWORD)"
}

stop() {
  if running; then
    local pid
    pid=$(cat "$pidfile")
    kill "$pid" 2>/dev/null || true
    local i
    for i in $(seq 1 60); do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
    kill -9 "$pid" 2>/dev/null || true
    echo "testserver: instance $instance stopped"
  fi
  rm -rf "$dir"
}

case "$cmd" in
  start) start "$@" ;;
  stop) stop ;;
  status) running && answers ;;
  sql) client -u root -p"$ROOT_PASSWORD" --batch --skip-column-names -e "$*" ;;
  demo) client -u root -p"$ROOT_PASSWORD" <"$here/demo.sql" ;;
  *) sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'; exit 2 ;;
esac
