#!/usr/bin/env bash
# Generates every template set of the shop example from a database and checks that what
# comes out is real code: the C++ headers compile and configure, the Python package imports
# with Optional exactly for the nullable columns, the TypeScript type-checks, and the DDL,
# loaded into a fresh database, gives back the original schema (compare-schemas.py).
#   generation-check.sh FENDRIL_CLI OUTDIR SQL...                   from SQLite
#   generation-check.sh --postgres PG_DIR FENDRIL_CLI OUTDIR SQL... from the test server
# The SQL scripts build the original database.
set -euo pipefail

pg=""
if [[ ${1:-} == --postgres ]]; then
  pg=$(realpath "${2:?PostgreSQL test server directory}")
  shift 2
fi
cli=$(realpath "${1:?path to fendril-cli}")
out=$(realpath -m "${2:?output directory}")
shift 2
sqls=()
for sql in "$@"; do sqls+=("$(realpath "$sql")"); done
((${#sqls[@]})) || { echo "no SQL script" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
examples=$(cd "$here/../../examples/shop" && pwd)

rm -rf "$out"
mkdir -p "$out"

# --- The original database and its mapping ----------------------------------------------
if [[ -n $pg ]]; then
  port=$(cat "$pg/port")
  export PGUSER=fendril PGPASSWORD=fendril-secret FENDRIL_PG_PASSWORD=fendril-secret
  prefix=gen_$(basename "$out" | tr -c 'a-z0-9\n' '_')
  original=${prefix}_original
  copy=${prefix}_ddl
  # The test role owns the databases the superuser makes for it.
  for db in "$original" "$copy"; do
    PGUSER=postgres PGPASSWORD=postgres-secret psql -X -q -h 127.0.0.1 -p "$port" -d postgres \
      -c "DROP DATABASE IF EXISTS $db" -c "CREATE DATABASE $db OWNER fendril"
  done
  for sql in "${sqls[@]}"; do
    psql -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$port" -d "$original" -f "$sql" >/dev/null
  done
  "$cli" import --connection "Driver=PostgreSQL Unicode;Server=127.0.0.1;Port=$port;Database=$original" \
    --user fendril --password-env FENDRIL_PG_PASSWORD --database "$original" --schema public \
    --author Fendril -o "$out/shop.kmf" 2>/dev/null
else
  cat "${sqls[@]}" | sqlite3 -bail "$out/original.db"
  "$cli" import --connection "Provider=SQLite;Data Source=$out/original.db" --database main \
    --author Fendril -o "$out/shop.kmf" 2>/dev/null
fi
"$examples/build-generation.sh" "$cli" "$out"

# Every template checks clean, warnings included.
for template in "$out"/templates/*.tp?; do
  "$cli" check --strict "$template" >/dev/null
done

# --- The generation ----------------------------------------------------------------------
# The document refers to everything by relative paths: generate from a moved copy.
mv "$out" "$out.moved"
mv "$out.moved" "$out"
files=$("$cli" generate "$out/shop.kgf" --list | wc -l)
"$cli" generate "$out/shop.kgf" --overwrite all >"$out/generate.txt"
tail -n 1 "$out/generate.txt" | grep -qx "$files written, 0 unchanged, 0 skipped, 0 failed" ||
  { cat "$out/generate.txt"; echo "expected $files files written" >&2; exit 1; }
gen=$out/generated
cd "$gen"

# The nullable columns of every table, as the original database declares them:
# table and column separated by a tab, tables by their short name.
if [[ -n $pg ]]; then
  psql -X -At -F $'\t' -h 127.0.0.1 -p "$port" -d "$original" -c \
    "SELECT table_name, column_name FROM information_schema.columns WHERE table_schema = 'public' AND is_nullable = 'YES'" \
    >"$out/nullable.txt"
else
  sqlite3 -separator $'\t' "$out/original.db" \
    "SELECT m.name, p.name FROM sqlite_master m, pragma_table_info(m.name) p WHERE m.type IN ('table', 'view') AND NOT p.\"notnull\" AND NOT p.pk" \
    >"$out/nullable.txt"
fi
nullable=$(wc -l <"$out/nullable.txt")

# --- C++: every header compiles on its own and together, and the make file configures ----
for header in *.h; do
  g++ -std=c++17 -Wall -Wextra -Werror -fsyntax-only -x c++ - <<<"#include \"$header\""
done
{
  for header in *.h; do echo "#include \"$header\""; done
  echo 'int main() {'
  for header in *.h; do
    [[ $header == Record.h ]] || echo "    { ${header%.h} row; (void)row.table(); }"
  done
  echo '}'
} | g++ -std=c++17 -Wall -Wextra -Werror -fsyntax-only -x c++ -I. -
[[ $(grep -c 'std::optional<' ./*.h | awk -F: '{ n += $2 } END { print n }') -eq $nullable ]] ||
  { echo "C++: expected $nullable std::optional members" >&2; exit 1; }
cmake -S . -B "$out/cmake-check" >/dev/null

# --- Python: the package imports, Optional exactly for the nullable columns ---------------
python3 -m py_compile ./*.py
mkdir -p "$out/pkg/model"
cp ./*.py "$out/pkg/model/"
(cd "$out/pkg" && python3 - "$out/nullable.txt" <<'PYTHON'
import dataclasses, sys, model
nullable = {}
for line in open(sys.argv[1]):
    table, column = line.rstrip("\n").split("\t", 1)
    nullable[table] = nullable.get(table, 0) + 1
assert len(model.__all__) == len({t.TABLE for t in map(lambda n: getattr(model, n), model.__all__)})
for name in model.__all__:
    row = getattr(model, name)
    fields = dataclasses.fields(row)
    optional = sum(1 for f in fields if str(f.type).startswith("Optional["))
    table = row.TABLE.split(".", 1)[-1]
    assert optional == nullable.get(table, 0), (name, optional, nullable.get(table, 0))
PYTHON
)

# --- TypeScript: the interfaces type-check, "| null" exactly for the nullable columns -----
tsc --noEmit --strict --target es2020 --module es2020 --moduleResolution node ./*.ts
[[ $(grep -c ' | null;' ./*.ts | awk -F: '{ n += $2 } END { print n }') -eq $nullable ]] ||
  { echo "TypeScript: expected $nullable nullable properties" >&2; exit 1; }

# --- SQL: the DDL gives back the original schema --------------------------------------------
if [[ -n $pg ]]; then
  psql -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$port" -d "$copy" -f schema-postgresql.sql >/dev/null
  python3 "$here/compare-schemas.py" postgres "$port" "$original" "$copy"
else
  sqlite3 -bail "$out/ddl.db" <schema-sqlite.sql
  python3 "$here/compare-schemas.py" sqlite "$out/original.db" "$out/ddl.db"
fi

# --- Markdown: a section per table or view --------------------------------------------------
tables=$(grep -c '^## ' dictionary.md)
[[ $tables -eq $(grep -c '^from \.' __init__.py) ]] ||
  { echo "the dictionary has $tables sections" >&2; exit 1; }

# Running again finds every file as it would write it: nothing is written, nothing asked,
# and the output passes the check a CI pipeline runs.
"$cli" generate "$out/shop.kgf" </dev/null >"$out/again.txt" 2>&1 ||
  { cat "$out/again.txt"; echo "a second run over unchanged files should succeed" >&2; exit 1; }
grep -q "0 written, $files unchanged, 0 skipped, 0 failed" "$out/again.txt"
"$cli" generate "$out/shop.kgf" --check >"$out/check.txt" ||
  { cat "$out/check.txt"; echo "the check should find every file unchanged" >&2; exit 1; }
echo "generation from $(basename "${sqls[0]}"): $files files written and checked"
