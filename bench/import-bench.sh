#!/usr/bin/env bash
# Times `fendril-cli import` of every table of generated databases: 500 and 2,000 tables of
# 15 columns with 2 foreign keys each, from SQLite through the native provider and through
# ODBC, and from PostgreSQL on loopback through ODBC.
#   bench/import-bench.sh [FENDRIL_CLI] [SIZES...]
# FENDRIL_CLI defaults to build/release/src/cli/fendril-cli (then build/ci, build/dev).
# Each figure is the best of three runs. Needs sqlite3, the SQLite and PostgreSQL ODBC
# drivers and the PostgreSQL server (tools/packages.txt).
set -euo pipefail
cd "$(dirname "$0")/.."

cli=${1:-}
if [[ -z "$cli" ]]; then
  for candidato in build/release build/ci build/dev; do
    if [[ -x "$candidato/src/cli/fendril-cli" ]]; then
      cli="$candidato/src/cli/fendril-cli"
      break
    fi
  done
fi
[[ -x "$cli" ]] || { echo "fendril-cli not found; give its path" >&2; exit 2; }
shift || true
tamanhos=("$@")
((${#tamanhos[@]})) || tamanhos=(500 2000)

trabalho=$(mktemp -d /tmp/fendril-bench.XXXXXX)
chmod 755 "$trabalho"
pg="$trabalho/pg"
limpa() {
  bash tools/pg-test-server.sh stop "$pg" >/dev/null 2>&1 || true
  rm -rf "$trabalho"
}
trap limpa EXIT

# The SQL of a database of N tables: t00001 .. tN, each with an integer key, two foreign
# keys to earlier tables (the first table refers to itself) and twelve more columns.
gera_sql() {
  local n=$1
  awk -v n="$n" 'BEGIN {
    for (i = 1; i <= n; i++) {
      a = i > 1 ? i - 1 : 1; b = i > 2 ? i - 2 : 1;
      printf "CREATE TABLE t%05d (\n  id integer NOT NULL PRIMARY KEY,\n", i;
      printf "  ref_a integer REFERENCES t%05d (id),\n  ref_b integer REFERENCES t%05d (id),\n", a, b;
      printf "  name varchar(40) NOT NULL,\n  code varchar(12),\n  price numeric(10,2),\n";
      printf "  amount numeric(12,4),\n  quantity integer,\n  born date,\n";
      printf "  created_at timestamp NOT NULL,\n  updated_at timestamp,\n  active boolean,\n";
      printf "  flagged boolean,\n  notes text,\n  extra text\n);\n";
    }
  }'
}

mede() { # best of three runs, in seconds
  local melhor=""
  for _ in 1 2 3; do
    local inicio fim
    inicio=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; "$@" >&2 || true; return 1; }
    fim=$(date +%s.%N)
    melhor=$(awk -v a="$inicio" -v b="$fim" -v m="$melhor" \
      'BEGIN { t = b - a; if (m == "" || t < m) m = t; printf "%.3f", m }')
  done
  echo "$melhor"
}

export FENDRIL_BENCH_PASSWORD=fendril-secret
printf "%-8s %-14s %-14s %-14s\n" tables "sqlite-native" "sqlite-odbc" "postgres-odbc"
for n in "${tamanhos[@]}"; do
  sql="$trabalho/t$n.sql"
  gera_sql "$n" > "$sql"
  banco="$trabalho/t$n.db"
  sqlite3 "$banco" < "$sql"
  bash tools/pg-test-server.sh start "$pg" 55480 "$sql" >/dev/null
  porta=$(cat "$pg/port")
  nativo=$(mede "$cli" import --connection "Provider=SQLite;Data Source=$banco" \
    --author bench -o "$trabalho/native.kmf")
  odbc=$(mede "$cli" import --connection \
    "Driver=/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so;Database=$banco" \
    --author bench -o "$trabalho/odbc.kmf")
  postgres=$(mede "$cli" import --connection \
    "Driver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so;Server=127.0.0.1;Port=$porta;Database=shop" \
    --user fendril --password-env FENDRIL_BENCH_PASSWORD --author bench -o "$trabalho/pg.kmf")
  bash tools/pg-test-server.sh stop "$pg" >/dev/null
  printf "%-8s %-14s %-14s %-14s\n" "$n" "${nativo}s" "${odbc}s" "${postgres}s"
done
