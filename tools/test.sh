#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test: the unit and integration
# tests (the desktop program's on Qt's offscreen platform), then the fuzz targets for a
# bounded time. Ends with ctest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-packages.sh --gui

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz

# The main job's release build (tools/main-job.sh) is held to the same standard.
cmake --preset release >/dev/null
cmake --build --preset release

cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci
