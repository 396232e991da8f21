#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install_packages.sh"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
export CCACHE_BASEDIR="$root"
cd "$root/build"
ctest --output-on-failure -j "$(nproc)"
