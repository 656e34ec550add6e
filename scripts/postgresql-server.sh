# A throwaway PostgreSQL server for the tests: its own data folder, UTF-8 (C.UTF-8) like a real
# installation, a free port on loopback, TLS only, with a certificate from an authority made for
# the run. The tests connect as a role that may only read and write rows, with its password in
# a password file, as a site would set it up. Sourced by test.sh.

pg_bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)

# The first port between FIRST and LAST that nothing listens on.
free_port_between() {
  local port
  for port in $(seq "$1" "$2"); do
    if ! (exec 3<>/dev/tcp/127.0.0.1/"$port") 2>/dev/null; then
      echo "$port"
      return 0
    fi
  done
  return 1
}

# An authority for the run, the server's certificate from it (for 127.0.0.1 only, so that
# "localhost" is a wrong host name), and a second authority the server has nothing to do with.
make_test_certificates() {
  local folder=$1
  local key=(-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes)
  openssl req -x509 "${key[@]}" -days 3 -subj "/CN=Tarnwick test authority" \
    -keyout "$folder/ca.key" -out "$folder/ca.crt" 2>/dev/null
  openssl req -x509 "${key[@]}" -days 3 -subj "/CN=Another authority" \
    -keyout "$folder/other-ca.key" -out "$folder/other-ca.crt" 2>/dev/null
  openssl req "${key[@]}" -subj "/CN=127.0.0.1" -keyout "$folder/server.key" -out "$folder/server.csr" 2>/dev/null
  openssl x509 -req -in "$folder/server.csr" -CA "$folder/ca.crt" -CAkey "$folder/ca.key" -CAcreateserial \
    -days 3 -extfile <(printf 'subjectAltName=IP:127.0.0.1\n') -out "$folder/server.crt" 2>/dev/null
  chmod 600 "$folder/server.key"
  rm -f "$folder/ca.key" "$folder/other-ca.key" "$folder/server.csr"
}

start_test_server() {
  local build=$1
  [ -x "$pg_bin/initdb" ] || { echo "PostgreSQL is not installed" >&2; return 1; }
  run_as=()
  if [ "$(id -u)" -eq 0 ]; then
    # The server refuses to run as root, and the postgres user may not reach a folder under
    # root's home: the data folder then lies in /tmp, and the build folder links to it.
    pg_data=$(mktemp -d /tmp/tarnwick-postgresql.XXXXXX)
    chown postgres: "$pg_data"
    rm -rf "$build/postgresql"
    ln -s "$pg_data" "$build/postgresql"
    run_as=(runuser -u postgres --)
  else
    pg_data="$(cd "$build" && pwd)/postgresql"
    rm -rf "$pg_data"
    mkdir -p "$pg_data"
  fi
  pg_port=$(free_port_between 54320 54420)
  "${run_as[@]}" "$pg_bin/initdb" -D "$pg_data/data" -U tarnwick --auth=trust --encoding=UTF8 --locale=C.UTF-8 >"$pg_data/initdb.log" 2>&1 \
    || { cat "$pg_data/initdb.log" >&2; return 1; }
  make_test_certificates "$pg_data"
  [ "$(id -u)" -ne 0 ] || chown postgres: "$pg_data"/server.*
  # Over the network only TLS: the superuser that makes the tests' databases without a
  # password, everyone else with one.
  cat >"$pg_data/data/pg_hba.conf" <<HBA
local all all trust
hostssl all tarnwick 127.0.0.1/32 trust
hostssl all all 127.0.0.1/32 scram-sha-256
HBA
  "${run_as[@]}" "$pg_bin/pg_ctl" -D "$pg_data/data" -l "$pg_data/server.log" -w -t 60 \
    -o "-c listen_addresses=127.0.0.1 -p $pg_port -k $pg_data -c fsync=off -c max_connections=100 -c ssl=on -c ssl_cert_file=$pg_data/server.crt -c ssl_key_file=$pg_data/server.key" start >/dev/null \
    || { cat "$pg_data/server.log" >&2; return 1; }
  local tls="sslmode=verify-full&sslrootcert=$pg_data/ca.crt"
  TARNWICK_TEST_POSTGRESQL="postgresql://tarnwick@127.0.0.1:$pg_port/postgres?$tls"
  # The program's role, as postgresql-role.sql makes it, and a login in it whose password only
  # the password file knows.
  local password
  password=$(openssl rand -hex 16)
  "${run_as[@]}" "$pg_bin/psql" -h "$pg_data" -p "$pg_port" -U tarnwick -d postgres -q -v ON_ERROR_STOP=1 \
    -c "create role tarnwick_users nologin" \
    -c "create role tarnwick_app login password '$password' in role tarnwick_users" >/dev/null
  PGPASSFILE="$pg_data/pgpass"
  (umask 077 && printf '127.0.0.1:%s:*:tarnwick_app:%s\n' "$pg_port" "$password" >"$PGPASSFILE")
  TARNWICK_TEST_POSTGRESQL_ROLE=tarnwick_app
  TARNWICK_TEST_OTHER_AUTHORITY="$pg_data/other-ca.crt"
  # For the test that the program rides out a restart of its server (run alone, see CMake).
  TARNWICK_TEST_POSTGRESQL_RESTART="${run_as[*]} $pg_bin/pg_ctl -D $pg_data/data -l $pg_data/server.log -w -t 60 -m fast restart"
  # For the tests that fail a primary over to its standby: each makes a pair of its own.
  TARNWICK_TEST_FAILOVER="bash $(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/postgresql-server.sh $pg_data"
  echo "PostgreSQL test server on 127.0.0.1:$pg_port (TLS)"
}

# A second server without TLS, for the test that sslmode=require refuses it.
start_plain_test_server() {
  plain_data="$pg_data/plain"
  "${run_as[@]}" mkdir -p "$plain_data"
  plain_port=$(free_port_between $((pg_port + 1)) 54420)
  "${run_as[@]}" "$pg_bin/initdb" -D "$plain_data/data" -U tarnwick --auth=trust >"$pg_data/plain-initdb.log" 2>&1 \
    || { cat "$pg_data/plain-initdb.log" >&2; return 1; }
  "${run_as[@]}" "$pg_bin/pg_ctl" -D "$plain_data/data" -l "$plain_data/server.log" -w -t 60 \
    -o "-c listen_addresses=127.0.0.1 -p $plain_port -k $plain_data -c fsync=off -c max_connections=5 -c shared_buffers=1MB" start >/dev/null \
    || { cat "$plain_data/server.log" >&2; return 1; }
  TARNWICK_TEST_POSTGRESQL_PLAIN="postgresql://tarnwick@127.0.0.1:$plain_port/postgres"
}

stop_test_server() {
  [ -n "${pg_data:-}" ] || return 0
  if [ -n "${plain_data:-}" ]; then
    "${run_as[@]}" "$pg_bin/pg_ctl" -D "$plain_data/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  "${run_as[@]}" "$pg_bin/pg_ctl" -D "$pg_data/data" -m immediate -w stop >/dev/null 2>&1 || true
  if [ "$(id -u)" -eq 0 ]; then rm -rf "$pg_data"; fi
}

# Asks the server on SOCKET-FOLDER and PORT until QUERY gives ANSWER, for at most a minute.
wait_for_answer() {
  local folder=$1 port=$2 answer=$3 query=$4
  for _ in $(seq 600); do
    [ "$("${run_as[@]}" "$pg_bin/psql" -h "$folder" -p "$port" -U tarnwick -d postgres -Atc "$query")" != "$answer" ] \
      || return 0
    sleep 0.1
  done
  echo "the server on port $port did not answer \"$answer\" to: $query" >&2
  return 1
}

# A primary and its synchronous streaming standby, as a site runs them when losing the server is
# not an option: both on loopback, TLS with the test server's certificate, the program's role and
# its password in a password file of the pair's own, and a table of rows that role may write for
# tests without the directory's tables. The standby is a pg_basebackup of the
# primary and inherits its settings, synchronous_standby_names included, so that once promoted
# it waits for a standby that is gone until an operator clears that. Prints the folder, the
# two-host address that reaches whichever of them takes writes, and an ODBC connection string
# to the same.
start_failover_pair() {
  local certificates=$1 pair folder port standby_port
  pair=$(mktemp -d /tmp/tarnwick-failover.XXXXXX)
  cp "$certificates"/server.crt "$certificates"/server.key "$pair"/
  chmod 600 "$pair/server.key"
  [ "$(id -u)" -ne 0 ] || chown -R postgres: "$pair"
  "${run_as[@]}" "$pg_bin/initdb" -D "$pair/primary" -U tarnwick --auth=trust --encoding=UTF8 --locale=C.UTF-8 \
    >"$pair/initdb.log" 2>&1 || { cat "$pair/initdb.log" >&2; return 1; }
  "${run_as[@]}" tee "$pair/primary/pg_hba.conf" >/dev/null <<HBA
local all all trust
local replication tarnwick trust
hostssl all tarnwick 127.0.0.1/32 trust
hostssl all all 127.0.0.1/32 scram-sha-256
HBA
  "${run_as[@]}" tee -a "$pair/primary/postgresql.conf" >/dev/null <<CONF
listen_addresses = '127.0.0.1'
fsync = off
max_connections = 60
ssl = on
ssl_cert_file = '$pair/server.crt'
ssl_key_file = '$pair/server.key'
CONF
  # Two servers may be started at once by tests side by side: a port taken in between is tried
  # again with another.
  for _ in 1 2 3; do
    port=$(free_port_between $((55000 + RANDOM % 900)) 55999) || return 1
    if "${run_as[@]}" "$pg_bin/pg_ctl" -D "$pair/primary" -l "$pair/primary.log" -w -t 60 \
      -o "-p $port -k $pair" start >/dev/null; then break; fi
    port=
  done
  [ -n "$port" ] || { cat "$pair/primary.log" >&2; return 1; }
  local password
  password=$(openssl rand -hex 16)
  "${run_as[@]}" "$pg_bin/psql" -h "$pair" -p "$port" -U tarnwick -d postgres -q -v ON_ERROR_STOP=1 \
    -c "create role tarnwick_users nologin" \
    -c "create role tarnwick_app login password '$password' in role tarnwick_users" \
    -c "create table writes (name text)" -c "grant select, insert on writes to tarnwick_users" \
    -c "alter system set synchronous_standby_names = 'tarnwick_standby'" -c "select pg_reload_conf()" >/dev/null
  "${run_as[@]}" "$pg_bin/pg_basebackup" -h "$pair" -p "$port" -U tarnwick -D "$pair/standby" -X stream -R \
    >"$pair/basebackup.log" 2>&1 || { cat "$pair/basebackup.log" >&2; return 1; }
  echo "primary_conninfo = 'host=$pair port=$port user=tarnwick application_name=tarnwick_standby'" \
    | "${run_as[@]}" tee -a "$pair/standby/postgresql.auto.conf" >/dev/null
  for _ in 1 2 3; do
    standby_port=$(free_port_between $((port + 1 + RANDOM % 40)) 56099) || return 1
    if "${run_as[@]}" "$pg_bin/pg_ctl" -D "$pair/standby" -l "$pair/standby.log" -w -t 60 \
      -o "-p $standby_port -k $pair" start >/dev/null; then break; fi
    standby_port=
  done
  [ -n "$standby_port" ] || { cat "$pair/standby.log" >&2; return 1; }
  echo "$port" >"$pair/primary.port"
  echo "$standby_port" >"$pair/standby.port"
  # Synchronous before anything is written: a commit then waits until the standby has it.
  wait_for_answer "$pair" "$port" sync \
    "select sync_state from pg_stat_replication where application_name = 'tarnwick_standby'" || return 1
  (umask 077 && printf '127.0.0.1:%s:*:tarnwick_app:%s\n127.0.0.1:%s:*:tarnwick_app:%s\n' \
    "$port" "$password" "$standby_port" "$password" >"$pair/pgpass")
  local options="sslrootcert=$certificates/ca.crt&target_session_attrs=read-write&passfile=$pair/pgpass"
  echo "$pair"
  echo "postgresql://tarnwick@127.0.0.1:$port,127.0.0.1:$standby_port/postgres?sslmode=verify-full&$options"
  # The same for the ODBC driver (the entry test.sh writes), as the program's role: host and
  # port only in its libpq options, where it refuses them beside its own Servername and Port.
  echo "Driver={PostgreSQL Unicode};Username=tarnwick_app;SSLmode=verify-full;pqopt={host=127.0.0.1,127.0.0.1 port=$port,$standby_port ${options//&/ }}"
}

# The primary dies (-m immediate: no shutdown checkpoint, its sessions cut), the standby is
# promoted, and the operator clears the new primary's synchronous_standby_names, which still names
# the standby it was itself.
fail_over_pair() {
  local pair=$1 standby_port
  standby_port=$(cat "$pair/standby.port")
  "${run_as[@]}" "$pg_bin/pg_ctl" -D "$pair/primary" -m immediate -w stop >/dev/null
  "${run_as[@]}" "$pg_bin/pg_ctl" -D "$pair/standby" -w -t 60 promote >/dev/null
  "${run_as[@]}" "$pg_bin/psql" -h "$pair" -p "$standby_port" -U tarnwick -d postgres -q -v ON_ERROR_STOP=1 \
    -c "alter system set synchronous_standby_names = ''" -c "select pg_reload_conf()" >/dev/null
  # The reload reaches the server's processes a moment later; a new session sees it once it has.
  wait_for_answer "$pair" "$standby_port" "" "show synchronous_standby_names"
}

# The standby stops receiving, as when its network fails: the primary's commits then wait for it.
detach_standby() {
  local pair=$1 port standby_port
  port=$(cat "$pair/primary.port")
  standby_port=$(cat "$pair/standby.port")
  "${run_as[@]}" "$pg_bin/psql" -h "$pair" -p "$standby_port" -U tarnwick -d postgres -q -v ON_ERROR_STOP=1 \
    -c "alter system set primary_conninfo = ''" -c "select pg_reload_conf()" >/dev/null
  wait_for_answer "$pair" "$port" 0 "select count(*) from pg_stat_replication"
}

# Once a commit on the primary waits for the detached standby, the standby is promoted and hands
# out transaction numbers up to that commit's, the last committed; then the primary dies. Asked
# by its number, the new primary answers for a transaction of its own. Fails with 3 when the
# standby had already passed the number.
fail_over_behind() {
  local pair=$1 port standby_port waiting next
  port=$(cat "$pair/primary.port")
  standby_port=$(cat "$pair/standby.port")
  wait_for_answer "$pair" "$port" 1 "select count(*) from pg_stat_activity where wait_event = 'SyncRep'" || return 1
  waiting=$("${run_as[@]}" "$pg_bin/psql" -h "$pair" -p "$port" -U tarnwick -d postgres -Atc \
    "select backend_xid from pg_stat_activity where wait_event = 'SyncRep'")
  "${run_as[@]}" "$pg_bin/pg_ctl" -D "$pair/standby" -w -t 60 promote >/dev/null
  "${run_as[@]}" "$pg_bin/psql" -h "$pair" -p "$standby_port" -U tarnwick -d postgres -q -v ON_ERROR_STOP=1 \
    -c "alter system set synchronous_standby_names = ''" -c "select pg_reload_conf()" >/dev/null
  wait_for_answer "$pair" "$standby_port" "" "show synchronous_standby_names" || return 1
  next=0
  while [ "$next" -lt "$waiting" ]; do
    next=$("${run_as[@]}" "$pg_bin/psql" -h "$pair" -p "$standby_port" -U tarnwick -d postgres -Atc \
      "select txid_current() % 4294967296")
  done
  "${run_as[@]}" "$pg_bin/pg_ctl" -D "$pair/primary" -m immediate -w stop >/dev/null
  [ "$next" -eq "$waiting" ] || return 3
}

stop_failover_pair() {
  local pair=$1 data
  for data in "$pair/primary" "$pair/standby"; do
    [ ! -f "$data/postmaster.pid" ] || "${run_as[@]}" "$pg_bin/pg_ctl" -D "$data" -m immediate -w stop >/dev/null 2>&1 || true
  done
  rm -rf "$pair"
}

# Run as a command, by the tests:
#   postgresql-server.sh CERTIFICATES pair | fail-over PAIR | detach-standby PAIR | fail-over-behind PAIR | stop PAIR
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  run_as=()
  [ "$(id -u)" -ne 0 ] || run_as=(runuser -u postgres --)
  certificates=$1
  case ${2:-} in
    pair) start_failover_pair "$certificates" ;;
    fail-over) fail_over_pair "$3" ;;
    detach-standby) detach_standby "$3" ;;
    fail-over-behind) fail_over_behind "$3" ;;
    stop) stop_failover_pair "$3" ;;
    *) echo "usage: $0 CERTIFICATES pair | fail-over PAIR | stop PAIR" >&2; exit 2 ;;
  esac
fi
