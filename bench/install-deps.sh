#!/usr/bin/env bash
# Installs what the benchmarks need beyond the build: Debian's Python with lxml, for the script
# bench/pipeline_bench compares the export with.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
if /usr/bin/python3 -c 'import lxml' 2>/dev/null; then
  echo "    python3-lxml there"
else
  SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends python3 python3-lxml
fi
