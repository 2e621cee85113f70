#!/usr/bin/env bash
# Packs the shop's template sets and its generation document into OUTDIR, beside the
# mapping that make-example.sh writes there:
#   examples/shop/build-generation.sh FENDRIL_CLI OUTDIR
# Afterwards `fendril-cli generate OUTDIR/shop.kgf` writes OUTDIR/generated/.
set -euo pipefail

cli=${1:?path to fendril-cli}
saida=${2:?output directory}
aqui=$(cd "$(dirname "$0")" && pwd)

mkdir -p "$saida/templates" "$saida/generated"
"$cli" compose "$aqui/templates/cpp/classes.desc" -o "$saida/templates/cpp-classes.tpt"
"$cli" compose "$aqui/templates/python/modules.desc" -o "$saida/templates/python-modules.tpg"
"$cli" compose "$aqui/templates/python/package.desc" -o "$saida/templates/python-package.tpg"
"$cli" compose "$aqui/templates/typescript/interfaces.desc" -o "$saida/templates/typescript-interfaces.tpg"
"$cli" compose "$aqui/templates/typescript/index.desc" -o "$saida/templates/typescript-index.tpg"
"$cli" compose "$aqui/templates/sql/sqlite.desc" -o "$saida/templates/sql-sqlite.tpg"
"$cli" compose "$aqui/templates/sql/postgresql.desc" -o "$saida/templates/sql-postgresql.tpg"
"$cli" compose "$aqui/templates/markdown/dictionary.desc" -o "$saida/templates/markdown-dictionary.tpg"
# A general template names its types file relative to itself.
cp "$aqui/templates/python/python-types.txt" "$aqui/templates/typescript/typescript-types.txt" \
  "$saida/templates/"
# The desktop program's generation window shows OUTDIR itself as its directory tree: the
# mounted root is OUTDIR's own name, in the folder above the document.
descricao=$(mktemp)
trap 'rm -f "$descricao"' EXIT
{ cat "$aqui/shop.gen.desc"; echo "pathraiz = .."; echo "pathmontado = $(basename "$(cd "$saida" && pwd)")"; } >"$descricao"
"$cli" compose "$descricao" -o "$saida/shop.kgf"
