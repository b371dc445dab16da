#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. PRESET=asan runs the instrumented build instead.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${PRESET:-default}
scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset"
