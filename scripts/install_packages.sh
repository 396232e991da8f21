#!/usr/bin/env bash
# Installs the Debian packages listed in packages/debian.txt that are not installed yet.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
wanted=$(grep -vE '^\s*(#|$)' "$root/packages/debian.txt")
missing=()
for package in $wanted; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
