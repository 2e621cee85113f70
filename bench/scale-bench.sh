#!/usr/bin/env bash
# Times import, generation and regeneration (nothing changed) as the schema grows, with the
# peak memory of each (maximum resident set from /usr/bin/time -v), beside lower bounds
# measured in the same run on the same machine:
#   - import: one sqlite3 query reading every table's columns, foreign keys and indexes
#     (for PostgreSQL: one psql query over pg_catalog for the same);
#   - generate: `cp -r` of the folder the generation wrote (same files, same bytes), with
#     sync as the generation's figure has.
# Tables have 15 columns (a key, two foreign keys to earlier tables, twelve others); the
# generation writes one C++ class per table plus the Markdown dictionary (N + 3 files, and
# their merge bases under .fendril).
#   bench/scale-bench.sh [FENDRIL_CLI] [SIZES...]
# FENDRIL_CLI defaults to build/release/src/cli/fendril-cli; SIZES to 500 2000 8000 20000.
# PG_SIZES (default "500 2000"; empty to skip) are imported from PostgreSQL on loopback
# through psqlODBC, with a server started by tools/pg-test-server.sh.
# Each figure is the best of RUNS (default 3) runs.
# Everything is made under TMPDIR (default /tmp). On ext4 without a journal the kernel
# steps over every inode freed in the last seconds when it makes a file, so a generation
# right after its folder was emptied measures that scan; TMPDIR=/dev/shm takes it out.
set -euo pipefail
cd "$(dirname "$0")/.."

cli=$(realpath "${1:-build/release/src/cli/fendril-cli}")
[[ -x "$cli" ]] || { echo "fendril-cli not found; build the release preset or give its path" >&2; exit 2; }
shift || true
tamanhos=("$@")
((${#tamanhos[@]})) || tamanhos=(500 2000 8000 20000)
read -r -a tamanhosPg <<<"${PG_SIZES-500 2000}"
execucoes=${RUNS:-3}

trabalho=$(mktemp -d "${TMPDIR:-/tmp}/fendril-scale.XXXXXX")
chmod 755 "$trabalho"
pg="$trabalho/pg"
limpa() {
  bash tools/pg-test-server.sh stop "$pg" >/dev/null 2>&1 || true
  rm -rf "$trabalho"
}
trap limpa EXIT

gera_sql() { bench/synthetic-schema.sh "$1"; }

# Runs a command RUNS times; prints "seconds peak-MiB" of the fastest run. PREPARA, when
# set, is run before each run (untimed).
mede() {
  local melhor="" memoria="" arquivo="$trabalho/time.txt"
  for ((r = 0; r < execucoes; r++)); do
    [[ -n "${PREPARA:-}" ]] && eval "$PREPARA"
    local inicio fim
    inicio=$(date +%s.%N)
    /usr/bin/time -v -o "$arquivo" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; return 1; }
    fim=$(date +%s.%N)
    local kb
    kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$arquivo")
    read -r melhor memoria < <(awk -v a="$inicio" -v b="$fim" -v m="$melhor" -v k="$kb" \
      -v mm="$memoria" 'BEGIN { t = b - a;
        if (m == "" || t < m) { m = t; mm = k / 1024 }
        printf "%.3f %.0f\n", m, mm }')
  done
  echo "$melhor $memoria"
}

# Like mede, for a shell text, without memory: the lower bounds.
mede_texto() {
  local melhor=""
  for ((r = 0; r < execucoes; r++)); do
    [[ -n "${PREPARA:-}" ]] && eval "$PREPARA"
    local inicio fim
    inicio=$(date +%s.%N)
    bash -c "$1" >/dev/null 2>&1
    fim=$(date +%s.%N)
    melhor=$(awk -v a="$inicio" -v b="$fim" -v m="$melhor" \
      'BEGIN { t = b - a; if (m == "" || t < m) m = t; printf "%.3f", m }')
  done
  echo "$melhor"
}

catalogo_sqlite="SELECT m.name, p.* FROM sqlite_schema m, pragma_table_info(m.name) p
  WHERE m.type IN ('table', 'view');
SELECT m.name, f.* FROM sqlite_schema m, pragma_foreign_key_list(m.name) f
  WHERE m.type = 'table';
SELECT m.name, l.* FROM sqlite_schema m, pragma_index_list(m.name) l WHERE m.type = 'table';"

catalogo_pg="SELECT n.nspname, c.relname, a.attname, t.typname, a.atttypmod, a.attnotnull,
  pg_get_expr(d.adbin, d.adrelid), col_description(c.oid, a.attnum)
  FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid
  JOIN pg_namespace n ON n.oid = c.relnamespace JOIN pg_type t ON t.oid = a.atttypid
  LEFT JOIN pg_attrdef d ON d.adrelid = c.oid AND d.adnum = a.attnum
  WHERE a.attnum > 0 AND NOT a.attisdropped AND c.relkind IN ('r', 'v', 'm', 'f', 'p')
  AND n.nspname NOT IN ('pg_catalog', 'information_schema');
SELECT con.conrelid::regclass, con.confrelid::regclass, con.conkey, con.confkey, con.contype
  FROM pg_constraint con WHERE con.contype IN ('p', 'f', 'u');"

examples/shop/build-generation.sh "$cli" "$trabalho" >/dev/null

echo "SQLite (native provider); best of $execucoes; seconds, peak MiB"
printf "%-7s | %-16s %-8s | %-16s %-8s | %-16s\n" tables import catalog generate "cp -r" \
  regenerate
for n in "${tamanhos[@]}"; do
  banco="$trabalho/t$n.db"
  gera_sql "$n" | sqlite3 "$banco"
  mapa="$trabalho/t$n.kmf"
  saida="$trabalho/out$n"
  read -r ti mi < <(PREPARA="rm -f '$mapa'" mede "$cli" import \
    --connection "Provider=SQLite;Data Source=$banco" --database main --author bench -o "$mapa")
  [[ -f "$mapa" ]] || "$cli" import --connection "Provider=SQLite;Data Source=$banco" \
    --database main --author bench -o "$mapa" >/dev/null 2>&1
  lq=$(PREPARA="" mede_texto "sqlite3 '$banco' \"$catalogo_sqlite\"")
  gera=("$cli" generate --mapping "$mapa" --out "$saida" --overwrite all
    --table-template "$trabalho/templates/cpp-classes.tpt"
    --general-template "$trabalho/templates/markdown-dictionary.tpg")
  read -r tg mg < <(PREPARA="rm -rf '$saida' && mkdir -p '$saida' && sync" mede bash -c \
    '"$@" && sync' _ "${gera[@]}")
  lc=$(PREPARA="rm -rf '$trabalho/copia' && sync" mede_texto "cp -r '$saida' '$trabalho/copia' && sync")
  read -r tr mr < <(PREPARA="" mede "${gera[@]}")
  printf "%-7s | %6.3f s %4d MiB %6.3f s | %6.3f s %4d MiB %6.3f s | %6.3f s %4d MiB\n" \
    "$n" "$ti" "$mi" "$lq" "$tg" "$mg" "$lc" "$tr" "$mr"
  rm -rf "$saida" "$trabalho/copia" "$banco"
done

if ((${#tamanhosPg[@]})); then
  export FENDRIL_BENCH_PASSWORD=fendril-secret
  echo
  echo "PostgreSQL (psqlODBC, loopback); best of $execucoes; seconds, peak MiB"
  printf "%-7s | %-16s %-8s\n" tables import catalog
  for n in "${tamanhosPg[@]}"; do
    sql="$trabalho/pg$n.sql"
    gera_sql "$n" >"$sql"
    bash tools/pg-test-server.sh start "$pg" 55490 "$sql" >/dev/null
    porta=$(cat "$pg/port")
    mapa="$trabalho/pg$n.kmf"
    read -r ti mi < <(PREPARA="rm -f '$mapa'" mede "$cli" import --connection \
      "Driver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so;Server=127.0.0.1;Port=$porta;Database=shop" \
      --user fendril --password-env FENDRIL_BENCH_PASSWORD --author bench -o "$mapa")
    lq=$(PREPARA="" mede_texto "PGPASSWORD=fendril-secret psql -h 127.0.0.1 -p $porta -U fendril \
      -d shop -At -c \"$catalogo_pg\"")
    bash tools/pg-test-server.sh stop "$pg" >/dev/null
    printf "%-7s | %6.3f s %4d MiB %6.3f s\n" "$n" "$ti" "$mi" "$lq"
  done
fi
