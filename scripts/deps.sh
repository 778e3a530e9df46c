#!/usr/bin/env bash
# Installs what building and testing VELMORA needs, when it is missing (Debian, as root).
set -euo pipefail
pkgs=(build-essential cmake ninja-build qt6-base-dev qt6-serialport-dev libgtest-dev libgmock-dev)
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
