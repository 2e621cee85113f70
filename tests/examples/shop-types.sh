#!/usr/bin/env bash
# Imports the shop and checks that the example's types tables (C++, Python, TypeScript) give
# every column of the mapping a type:
#   shop-types.sh FENDRIL_CLI OUTDIR            the shop in SQLite, built from shop.sql
#   shop-types.sh FENDRIL_CLI OUTDIR PG_DIR     the shop on the test PostgreSQL server
set -euo pipefail

cli=$(realpath "${1:?path to fendril-cli}")
out=$(realpath -m "${2:?output directory}")
examples=$(cd "$(dirname "$0")/../../examples/shop" && pwd)

rm -rf "$out"
mkdir -p "$out"
if [[ $# -ge 3 ]]; then
  port=$(cat "$3/port")
  export FENDRIL_PG_PASSWORD=fendril-secret
  "$cli" import --connection "Driver=PostgreSQL Unicode;Server=127.0.0.1;Port=$port;Database=shop" \
    --user fendril --password-env FENDRIL_PG_PASSWORD --schema public --author Fendril \
    -o "$out/shop.kmf" 2>/dev/null
else
  sqlite3 "$out/shop.db" <"$examples/shop.sql"
  "$cli" import --connection "Provider=SQLite;Data Source=$out/shop.db" --author Fendril \
    -o "$out/shop.kmf" 2>/dev/null
fi

# The provider type of every column, from the column lines of the mapping.
"$cli" dump "$out/shop.kmf" |
  sed -n 's/^tabelasecolunas||TColuna||[^|]*|>TTipoDado||\([^=]*\)=>.*/\1/p' | sort -u >"$out/types"
[[ -s "$out/types" ]] || { echo "no column types in the mapping" >&2; exit 1; }

missing=0
for table in cpp/types.txt python/python-types.txt typescript/typescript-types.txt; do
  while read -r type; do
    if ! grep -q "^$type;" "$examples/templates/$table"; then
      echo "$table has no line for the provider type \"$type\"" >&2
      missing=1
    fi
  done <"$out/types"
done
exit $missing
