#!/usr/bin/env bash
# Generates the shop example into OUTDIR and checks what came out:
#   shop-generation.sh FENDRIL_CLI OUTDIR
set -euo pipefail

cli=$(realpath "${1:?path to fendril-cli}")
out=$(realpath -m "${2:?output directory}")
examples=$(cd "$(dirname "$0")/../../examples/shop" && pwd)

rm -rf "$out"
"$examples/make-example.sh" "$cli" "$out" >/dev/null
"$examples/build-generation.sh" "$cli" "$out"

# The document refers to everything by relative paths: generate from a moved copy.
mv "$out" "$out.moved"
mv "$out.moved" "$out"
"$cli" generate "$out/shop.kgf" --overwrite all >"$out/generate.txt"
tail -n 1 "$out/generate.txt" | grep -qx "23 written, 0 unchanged, 0 skipped, 0 failed" ||
  { cat "$out/generate.txt"; echo "unexpected summary" >&2; exit 1; }

gen=$out/generated
cd "$gen"

# C++: every header compiles on its own and together, and the make file configures.
for header in *.h; do
  g++ -std=c++17 -Wall -Wextra -Werror -fsyntax-only -x c++ - <<<"#include \"$header\""
done
{ for header in *.h; do echo "#include \"$header\""; done; echo 'int main() { orders o; return static_cast<int>(o.id); }'; } |
  g++ -std=c++17 -Wall -Wextra -Werror -fsyntax-only -x c++ -I. -
grep -q "    order_lines.h" CMakeLists.txt
cmake -S . -B "$out/cmake-check" >/dev/null

# Python: every module compiles and the package imports.
python3 -m py_compile ./*.py
mkdir -p "$out/pkg/shop"
cp ./*.py "$out/pkg/shop/"
(cd "$out/pkg" && python3 -c 'import shop; assert shop.order_lines().quantity == 0; assert len(shop.__all__) == 9')

# SQL: the DDL loads into a fresh SQLite database with every table.
rm -f "$out/ddl.db"
sqlite3 -bail "$out/ddl.db" <schema.sql
tables=$(sqlite3 "$out/ddl.db" "select count(*) from sqlite_master where type = 'table'")
[[ "$tables" -eq 9 ]] || { echo "expected 9 tables in the DDL, found $tables" >&2; exit 1; }

# Markdown: every table has its section.
[[ $(grep -c '^## ' dictionary.md) -eq 9 ]]
grep -q '| unit_price | numeric | 10 | 10 | 2 | |' dictionary.md

# Running again finds every file as it would write it: nothing is written, nothing asked,
# and the committed output passes the check a CI pipeline runs.
"$cli" generate "$out/shop.kgf" </dev/null >"$out/again.txt" 2>&1 ||
  { cat "$out/again.txt"; echo "a second run over unchanged files should succeed" >&2; exit 1; }
grep -q "0 written, 23 unchanged, 0 skipped, 0 failed" "$out/again.txt"
"$cli" generate "$out/shop.kgf" --check >"$out/check.txt" ||
  { cat "$out/check.txt"; echo "the check should find every file unchanged" >&2; exit 1; }
echo "shop generation: 23 files written and checked"
