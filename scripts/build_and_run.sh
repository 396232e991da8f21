#!/usr/bin/env bash
# Installs what is missing, builds, and starts Image Vaskolen 32+.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install_packages.sh"
"$root/scripts/build.sh"
exec "$root/build/PROGRAM/vask32v1" "$@"
