#!/usr/bin/env bash
# Builds fendril-cli and runs the main job: the shop example's generation. It builds the
# example's SQLite database, imports its mapping, packs the C++, Python, TypeScript, SQL and
# Markdown template sets with the generation document, and generates every file.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-packages.sh

cmake --preset release >/dev/null
cmake --build --preset release --target fendril-cli
cli=$PWD/build/release/src/cli/fendril-cli

out=$PWD/build/example
examples/shop/make-example.sh "$cli" "$out"
examples/shop/build-generation.sh "$cli" "$out"
"$cli" generate "$out/shop.kgf" --overwrite all
echo "The generated files are in $out/generated (log: $out/generated/log.txt)."
