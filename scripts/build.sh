#!/usr/bin/env bash
# Configures and builds the three presets: native (with the tests and
# tools), win64 (the one that runs under Wine) and win32 (the release).
set -euo pipefail
cd "$(dirname "$0")/.."
for preset in native win64 win32; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
