#!/usr/bin/env bash
# Installs what is missing, builds, lays out a Notes program directory and exports the sample
# database's views.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default

# The Notes program directory, with the export entries registered in its notes.ini by the setup program.
demo=build/notes-demo
cmake --install build --prefix "$demo" >/dev/null
[ -f "$demo/notes.ini" ] || printf '[Notes]\r\n' >"$demo/notes.ini"
"$demo/nVorpel" /I
echo
echo "Built. The export of the sample database is not wired up yet."
