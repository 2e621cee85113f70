#!/usr/bin/env bash
# Builds fendril-cli and runs the main job on the example the repository ships: packs the
# sample document from its text form and prints it back.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-packages.sh

cmake --preset release >/dev/null
cmake --build --preset release --target fendril-cli
cli=build/release/src/cli/fendril-cli

out=build/example
mkdir -p "$out"
"$cli" pack examples/sample/mapping.kmf.txt -o "$out/mapping.kmf"
echo "Packed examples/sample/mapping.kmf.txt into $out/mapping.kmf; its content:"
"$cli" dump "$out/mapping.kmf"
