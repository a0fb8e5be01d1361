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
#   testserver.sh primary N      start instance N with a binary log (server id N), to be replicated
#   testserver.sh replica N P    start instance N as a read-only replica of instance P (started
#                                as a primary when it does not run), replication running
#   testserver.sh galera N M     start a two-node Galera cluster on instances N and M (N
#                                bootstrapped, M started from a copy of N's stopped data folder);
#                                exits 3 when no Galera provider is installed
#   testserver.sh stopall N...   stop the listed instances
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


client() { mariadb --no-defaults --protocol=tcp -h "$address" -P 3306 "$@"; }

running() {
  [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null
}

answers() {
  client -u root -p"$ROOT_PASSWORD" -e 'SELECT 1' >/dev/null 2>&1
}

galera_provider=${KESTREL_GALERA_PROVIDER:-/usr/lib/galera/libgalera_smm.so}

set_instance() {
  instance=$1
  dir="$base-$instance"
  if [ "$instance" = 1 ]; then
    address=127.0.0.1
    socket=/run/mysqld/mysqld.sock
  else
    address=127.0.0.$instance
    socket="$dir/mysqld.sock"
  fi
  pidfile="$dir/mysqld.pid"
}

install_data() {
  rm -rf "$dir"
  mkdir -p "$dir/data" "$(dirname "$socket")"
  mariadb-install-db --no-defaults --datadir="$dir/data" --user="$(id -un)" \
    --auth-root-authentication-method=normal --skip-test-db >"$dir/install.log" 2>&1 ||
    { cat "$dir/install.log" >&2; exit 1; }
}

# Starts the server on the existing data folder and waits until it answers on its socket.
launch() {
  mkdir -p "$(dirname "$socket")"
  nohup mariadbd --no-defaults --datadir="$dir/data" --user="$(id -un)" \
    --bind-address="$address" --port=3306 --socket="$socket" --pid-file="$pidfile" \
    --skip-name-resolve --skip-log-bin --innodb-buffer-pool-size=64M \
    --max-connections=400 --character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci \
    --log-error="$dir/error.log" "$@" >/dev/null 2>&1 &
  local server=$! i
  for i in $(seq 1 120); do
    if mariadb --no-defaults --socket="$socket" -u root -e 'SELECT 1' >/dev/null 2>&1; then return 0; fi
    if mariadb --no-defaults --socket="$socket" -u root -p"$ROOT_PASSWORD" -e 'SELECT 1' >/dev/null 2>&1; then
      return 0
    fi
    if ! kill -0 $server 2>/dev/null; then
      echo "testserver: the server did not start:" >&2; tail -n 20 "$dir/error.log" >&2; exit 1
    fi
    sleep 0.5
  done
  echo "testserver: instance $instance did not answer in time" >&2
  exit 1
}

accounts() {
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
}

start() {
  if running && answers; then
    echo "testserver: instance $instance already runs on $address:3306"
    return 0
  fi
  running && stop
  install_data
  launch "$@"
  accounts
  echo "testserver: instance $instance runs on $address:3306 (root/$ROOT_PASSWORD, $PLAIN_USER/$PLAIN_PASSWORD)"
}

root_sql() { client -u root -p"$ROOT_PASSWORD" --batch --skip-column-names -e "$*"; }

primary() {
  if running && answers && [ "$(root_sql 'SELECT @@log_bin')" = 1 ]; then
    echo "testserver: instance $instance already runs as a primary"
    return 0
  fi
  running && stop
  start --log-bin=primary --server-id="$instance" "$@"
}

# replica N P: the replica copies the primary's accounts through replication from its start.
replica() {
  local replica_instance=$instance primary_instance=${1:-}
  [[ $primary_instance =~ ^[1-9][0-9]?$ ]] || { echo "testserver: replica N P needs the primary's instance" >&2; exit 2; }
  shift
  set_instance "$primary_instance"
  local primary_ran=0
  if running && answers && [ "$(root_sql 'SELECT @@log_bin')" = 1 ]; then primary_ran=1; fi
  primary
  local primary_address=$address
  set_instance "$replica_instance"
  # A replica of an earlier primary on that address starts again from scratch.
  if [ "$primary_ran" = 1 ] && running && answers &&
    [ "$(root_sql "SHOW GLOBAL STATUS LIKE 'Slave_running'" | cut -f2)" = ON ]; then
    echo "testserver: instance $instance already runs as a replica"
    return 0
  fi
  running && stop
  start --server-id="$instance" --read-only=1 "$@"
  root_sql "CHANGE MASTER TO MASTER_HOST='$primary_address', MASTER_PORT=3306, MASTER_USER='root', \
    MASTER_PASSWORD='$ROOT_PASSWORD', MASTER_USE_GTID=current_pos; START SLAVE"
  local i
  for i in $(seq 1 60); do
    if [ "$(root_sql "SHOW GLOBAL STATUS LIKE 'Slave_running'" | cut -f2)" = ON ]; then
      echo "testserver: instance $instance replicates instance $primary_instance read-only"
      return 0
    fi
    sleep 0.5
  done
  echo "testserver: instance $instance does not replicate:" >&2
  tail -n 5 "$dir/error.log" >&2
  exit 1
}

galera_options() {
  local peers=$1
  echo --wsrep-on=ON --wsrep-provider="$galera_provider" --wsrep-cluster-name=kestrel \
    --wsrep-cluster-address="gcomm://$peers" --wsrep-node-address="$address" \
    --wsrep-node-name="node$instance" --wsrep-sst-receive-address="$address:4444" \
    "--wsrep-provider-options=gmcast.listen_addr=tcp://$address:4567;ist.recv_addr=$address:4568" \
    --binlog-format=ROW --innodb-autoinc-lock-mode=2 --server-id="$instance"
}

galera_status() { root_sql "SHOW GLOBAL STATUS LIKE '$1'" 2>/dev/null | cut -f2; }

galera() {
  local first=$instance second=${1:-}
  [[ $second =~ ^[1-9][0-9]?$ ]] || { echo "testserver: galera N M needs two instances" >&2; exit 2; }
  shift
  if [ ! -f "$galera_provider" ]; then
    echo "testserver: no Galera provider at $galera_provider (install galera-4)" >&2
    exit 3
  fi
  local peers="127.0.0.$first:4567,127.0.0.$second:4567"
  set_instance "$second"
  if running && answers && [ "$(galera_status wsrep_cluster_size)" = 2 ] &&
    [ "$(galera_status wsrep_ready)" = ON ]; then
    echo "testserver: Galera cluster on instances $first and $second already runs"
    return 0
  fi
  stop >/dev/null
  set_instance "$first"
  stop >/dev/null
  # Bootstrap the first node, give it its accounts and stop it cleanly: its data folder then
  # holds a saved cluster position the second node can start from without a state transfer.
  install_data
  # shellcheck disable=SC2046
  launch $(galera_options "$peers") --wsrep-new-cluster "$@"
  accounts
  local pid
  pid=$(cat "$pidfile")
  kill "$pid"
  local i
  for i in $(seq 1 120); do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
  sed -i 's/^safe_to_bootstrap:.*/safe_to_bootstrap: 1/' "$dir/data/grastate.dat"
  local first_dir=$dir
  set_instance "$second"
  rm -rf "$dir"
  mkdir -p "$dir"
  cp -a "$first_dir/data" "$dir/data"
  rm -f "$dir/data/gvwstate.dat" "$dir/data/"*.pid "$dir/data/"*.sock
  set_instance "$first"
  # shellcheck disable=SC2046
  launch $(galera_options "$peers") --wsrep-new-cluster "$@"
  # Bootstrapping moved the first node one step on; the copy starts from that same position so
  # that it needs no state transfer.
  local position
  position=$(galera_status wsrep_last_committed)
  set_instance "$second"
  sed -i "s/^seqno:.*/seqno:   $position/" "$dir/data/grastate.dat"
  # shellcheck disable=SC2046
  launch $(galera_options "$peers") "$@"
  for i in $(seq 1 120); do
    if [ "$(galera_status wsrep_ready)" = ON ] && [ "$(galera_status wsrep_cluster_size)" = 2 ]; then
      echo "testserver: Galera cluster runs on 127.0.0.$first and 127.0.0.$second"
      return 0
    fi
    sleep 0.5
  done
  echo "testserver: the second Galera node did not join:" >&2
  tail -n 20 "$dir/error.log" >&2
  exit 1
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

set_instance "$instance"
case "$cmd" in
  start) start "$@" ;;
  primary) primary "$@" ;;
  replica) replica "$@" ;;
  galera) galera "$@" ;;
  stopall) for n in "$instance" "$@"; do set_instance "$n"; stop; done ;;
  stop) stop ;;
  status) running && answers ;;
  sql) client -u root -p"$ROOT_PASSWORD" --batch --skip-column-names -e "$*" ;;
  demo) client -u root -p"$ROOT_PASSWORD" <"$here/demo.sql" ;;
  *) sed -n '2,21p' "$0" | sed 's/^# \{0,1\}//'; exit 2 ;;
esac
