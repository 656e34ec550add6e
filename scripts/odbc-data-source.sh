# An ODBC data source for the tests, leading through the PostgreSQL ODBC driver to the server
# of TARNWICK_TEST_POSTGRESQL. The driver list and the data source lie in the build folder;
# ODBCSYSINI points unixODBC there, so nothing system-wide is read or written. Sourced by
# test.sh after the server has started.

write_odbc_data_source() {
  local build=$1 url=$2 role=${3:-}
  local driver
  driver=$(ls /usr/lib/*/odbc/psqlodbcw.so 2>/dev/null | head -n 1)
  [ -n "$driver" ] || { echo "The PostgreSQL ODBC driver (odbc-postgresql) is not installed" >&2; return 1; }
  # postgresql://[USER[:PASSWORD]@]HOST[:PORT]/NAME[?sslmode=...&sslrootcert=...]
  local rest=${url#postgresql://} query=
  [[ $rest == *\?* ]] && { query=${rest#*\?}; rest=${rest%%\?*}; }
  local credentials= address=$rest
  [[ $rest == *@* ]] && { credentials=${rest%%@*}; address=${rest#*@}; }
  local user=${credentials%%:*} password=
  [ "$credentials" != "$user" ] && password=${credentials#*:}
  local hostport=${address%%/*}
  local host=${hostport%%:*} port=5432
  [ "$hostport" != "$host" ] && port=${hostport#*:}
  local sslmode=disable sslrootcert= option
  for option in ${query//&/ }; do
    case $option in
      sslmode=*) sslmode=${option#sslmode=} ;;
      sslrootcert=*) sslrootcert=${option#sslrootcert=} ;;
    esac
  done
  # The program's role, as in the native run: its password is only in the password file, which
  # libpq reads for the driver as for Qt's own.
  if [ -n "$role" ]; then user=$role; password=; fi
  mkdir -p "$build/odbc"
  cat >"$build/odbc/odbcinst.ini" <<INI
[PostgreSQL Unicode]
Description=PostgreSQL ODBC driver (Unicode)
Driver=$driver
INI
  cat >"$build/odbc/odbc.ini" <<INI
[tarnwick-test]
Driver=PostgreSQL Unicode
Servername=$host
Port=$port
Database=postgres
Username=$user
Password=$password
SSLmode=$sslmode
INI
  [ -n "$sslrootcert" ] && echo "pqopt=sslrootcert=$sslrootcert" >>"$build/odbc/odbc.ini"
  # Absolute, as unixODBC reads it from wherever a test runs; the build folder may be either.
  ODBCSYSINI=$(cd "$build/odbc" && pwd)
  ODBCINI=$ODBCSYSINI/odbc.ini
  TARNWICK_TEST_ODBC=tarnwick-test
  export ODBCSYSINI ODBCINI TARNWICK_TEST_ODBC
}
