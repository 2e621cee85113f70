#!/usr/bin/env bash
# A throw-away PostgreSQL server for the tests.
#   pg-test-server.sh start DIR PORT SQL...  initdb into DIR/server, start on 127.0.0.1 at
#                                            PORT (or the next free port), create the role
#                                            fendril (password "fendril-secret") and the
#                                            database shop owned by it, and run each SQL
#                                            file in it; an argument NAME=SQL runs SQL in
#                                            the database NAME instead, made for it. The
#                                            port used is written to DIR/port.
#   pg-test-server.sh stop DIR               stop the server and remove what start made.
# Run as root, the server runs as the postgres user; otherwise as the calling user. When the
# server's user cannot reach DIR (a build tree under a private home), the server's files go
# to a fresh directory under /tmp, named in DIR/server-dir.
set -euo pipefail

BIN=${PG_BIN:-/usr/lib/postgresql/15/bin}
accion=${1:?start or stop}
dir=$(realpath -m "${2:?directory}")

como_pg() {
  if [[ $(id -u) -eq 0 ]]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

case "$accion" in
start)
  porta=${3:?port}
  shift 3
  sqls=()
  bases=()
  for sql in "$@"; do
    base=shop
    if [[ $sql == *=* ]]; then
      base=${sql%%=*}
      sql=${sql#*=}
    fi
    bases+=("$base")
    sqls+=("$(realpath "$sql")")
  done
  # The server's user may not be allowed into the caller's directory.
  cd /
  "$0" stop "$dir" >/dev/null 2>&1 || true
  mkdir -p "$dir"
  srv="$dir/server"
  mkdir -p "$srv"
  [[ $(id -u) -eq 0 ]] && chown postgres: "$srv"
  if ! como_pg test -w "$srv"; then
    rm -rf "$srv"
    srv=$(mktemp -d /tmp/fendril-pg.XXXXXX)
    [[ $(id -u) -eq 0 ]] && chown postgres: "$srv"
  fi
  echo "$srv" > "$dir/server-dir"
  echo "postgres-secret" > "$srv/senha"
  [[ $(id -u) -eq 0 ]] && chown postgres: "$srv/senha"
  como_pg "$BIN/initdb" -D "$srv/data" -U postgres --pwfile="$srv/senha" \
    --auth-local=trust --auth-host=scram-sha-256 -E UTF8 --locale=C.UTF-8 >"$srv/initdb.log"
  # The first free port from the one asked for.
  while (exec 3<>"/dev/tcp/127.0.0.1/$porta") 2>/dev/null; do
    porta=$((porta + 1))
  done
  if ! como_pg "$BIN/pg_ctl" -D "$srv/data" -l "$srv/server.log" -w \
    -o "-p $porta -k $srv -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null; then
    cat "$srv/server.log" >&2
    exit 1
  fi
  echo "$porta" > "$dir/port"
  psql() { como_pg /usr/bin/psql -X -q -v ON_ERROR_STOP=1 -h "$srv" -p "$porta" "$@"; }
  psql -U postgres -d postgres \
    -c "CREATE ROLE fendril LOGIN PASSWORD 'fendril-secret'" \
    -c "CREATE DATABASE shop OWNER fendril"
  for i in "${!sqls[@]}"; do
    base=${bases[$i]}
    if [[ -z $(psql -U postgres -d postgres -At -c "SELECT 1 FROM pg_database WHERE datname = '$base'") ]]; then
      psql -U postgres -d postgres -c "CREATE DATABASE \"$base\" OWNER fendril"
    fi
    psql -U fendril -d "$base" -f - < "${sqls[$i]}" >/dev/null
  done
  echo "PostgreSQL ready on 127.0.0.1:$porta"
  ;;
stop)
  cd /
  srv=$(cat "$dir/server-dir" 2>/dev/null || echo "$dir/server")
  if [[ -f "$srv/data/postmaster.pid" ]]; then
    como_pg "$BIN/pg_ctl" -D "$srv/data" -m fast -w stop >/dev/null
  fi
  rm -rf "$srv" "$dir"
  ;;
*)
  echo "usage: $0 start DIR PORT [SQL...] | stop DIR" >&2
  exit 2
  ;;
esac
