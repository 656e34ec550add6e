# A throwaway PostgreSQL server for the tests: its own data folder, UTF-8 (C.UTF-8) like a real
# installation, a free port on loopback, TLS only, with a certificate from an authority made for
# the run. The tests connect as a role that may only read and write rows, with its password in
# a password file, as a site would set it up. Sourced by test.sh.

pg_bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)

free_port() {
  local port
  for port in $(seq 54320 54420); do
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

free_port_after() {
  local port
  for port in $(seq $(($1 + 1)) 54420); do
    if ! (exec 3<>/dev/tcp/127.0.0.1/"$port") 2>/dev/null; then
      echo "$port"
      return 0
    fi
  done
  return 1
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
  pg_port=$(free_port)
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
  echo "PostgreSQL test server on 127.0.0.1:$pg_port (TLS)"
}

# A second server without TLS, for the test that sslmode=require refuses it.
start_plain_test_server() {
  plain_data="$pg_data/plain"
  "${run_as[@]}" mkdir -p "$plain_data"
  plain_port=$(free_port_after "$pg_port")
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
