#!/usr/bin/env bash
# Times `fendril-cli generate` of the shop's C++ and Markdown templates over a mapping of
# N tables (15 columns each: a key, two foreign keys, a date, eleven others), and compares
# it with `cp -r` of the folder it produced; both times include writing the files to disk
# (sync). Then times the same generation again, over files that already hold their output.
#   bench/generation-bench.sh [FENDRIL_CLI] [TABLES]
# FENDRIL_CLI defaults to build/release/src/cli/fendril-cli; TABLES to 2000.
set -euo pipefail
cd "$(dirname "$0")/.."

cli=$(realpath "${1:-build/release/src/cli/fendril-cli}")
n=${2:-2000}
[[ -x "$cli" ]] || { echo "fendril-cli not found; build the release preset or give its path" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/fendril-gen-bench.XXXXXX")
[[ -n "${KEEP:-}" ]] || trap 'rm -rf "$work"' EXIT

bench/synthetic-schema.sh "$n" | sqlite3 "$work/big.db"
"$cli" import --connection "Provider=SQLite;Data Source=$work/big.db" --database main \
  --author bench -o "$work/big.kmf" 2>/dev/null

examples/shop/build-generation.sh "$cli" "$work" >/dev/null
mkdir -p "$work/out"
start=$(date +%s.%N)
"$cli" generate --mapping "$work/big.kmf" --out "$work/out" \
  --table-template "$work/templates/cpp-classes.tpt" \
  --general-template "$work/templates/markdown-dictionary.tpg" --overwrite all >/dev/null
sync
end=$(date +%s.%N)
# The same run again: every file already holds its output, so nothing is written.
again_start=$(date +%s.%N)
"$cli" generate --mapping "$work/big.kmf" --out "$work/out" \
  --table-template "$work/templates/cpp-classes.tpt" \
  --general-template "$work/templates/markdown-dictionary.tpg" --overwrite all >/dev/null
again_end=$(date +%s.%N)
copy_start=$(date +%s.%N)
cp -r "$work/out" "$work/copy"
sync
copy_end=$(date +%s.%N)

files=$(find "$work/out" -type f | wc -l)
bytes=$(du -sb "$work/out" | cut -f1)
awk -v g="$(echo "$end - $start" | bc)" -v c="$(echo "$copy_end - $copy_start" | bc)" \
    -v a="$(echo "$again_end - $again_start" | bc)" \
    -v f="$files" -v b="$bytes" -v n="$n" 'BEGIN {
  printf "%d tables: generate %.3f s (%d files, %d bytes); cp -r %.3f s; ratio %.2f\n", n, g, f, b, c, g / c
  printf "%d tables: generate again, nothing changed, %.3f s\n", n, a
}'
