#!/usr/bin/env bash
# Installs what is missing, builds, lays out a Notes program directory and exports the sample
# database's views.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
echo "Built. The export of the sample database is not wired up yet."
