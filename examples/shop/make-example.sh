#!/usr/bin/env bash
# Builds the example shop: the SQLite database from shop.sql and its mapping document,
# loaded with `fendril-cli import` from every table and view.
#   examples/shop/make-example.sh FENDRIL_CLI OUTDIR
# writes OUTDIR/shop.db, OUTDIR/shop.kmf and the load log OUTDIR/shop-load.log.
set -euo pipefail

cli=${1:?path to fendril-cli}
saida=${2:?output directory}
aqui=$(cd "$(dirname "$0")" && pwd)

mkdir -p "$saida"
rm -f "$saida/shop.db"
sqlite3 "$saida/shop.db" < "$aqui/shop.sql"
"$cli" import --connection "Provider=SQLite;Data Source=$saida/shop.db" --database main \
  --author "Fendril" --name "Shop" -o "$saida/shop.kmf" --log "$saida/shop-load.log" 2>/dev/null

# The mapping holds every column of the eight tables and the view.
colunas=$("$cli" dump "$saida/shop.kmf" | grep -c '^tabelasecolunas||')
if [[ "$colunas" -ne 50 ]]; then
  echo "make-example: expected 50 columns in shop.kmf, found $colunas" >&2
  exit 1
fi
echo "$saida/shop.kmf: $colunas columns"
