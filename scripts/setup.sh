#!/usr/bin/env bash
# Installs the Debian packages listed in the given list files (packages.txt
# unless told otherwise; as root). Runs apt-get only when something is
# missing, so a second run costs nothing.
#   bash scripts/setup.sh [LIST...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
lists=("$@")
if [ ${#lists[@]} -eq 0 ]; then
  lists=("$here/packages.txt")
fi
mapfile -t wanted < <(cat "${lists[@]}" | grep -v '^#' | sed '/^\s*$/d')
missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all ${#wanted[@]} packages are installed"
  exit 0
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
