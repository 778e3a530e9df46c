#!/usr/bin/env bash
# Installs what is missing, builds VELMORA and starts it.
#   --sim [QM1|QM2]  also starts the simulated indicator on a pseudo-terminal and points COM1 at it
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
if [ "${1:-}" = "--sim" ]; then
    model="${2:-QM2}"
    log=$(mktemp)
    ./build/sim/qm-sim --model "$model" >"$log" 2>&1 &
    simpid=$!
    trap 'kill $simpid 2>/dev/null || true' EXIT
    for _ in $(seq 1 50); do grep -q '^/dev/' "$log" && break; sleep 0.1; done
    dev=$(grep -m1 '^/dev/' "$log" || true)
    [ -n "$dev" ] || { echo "the simulated indicator did not start:"; cat "$log"; exit 1; }
    echo "Simulated $model indicator on $dev, as COM1 for this run (choose COM1 in the connection settings if another port is set)"
    ./build/velmora --map-port COM1="$dev"
else
    exec ./build/velmora
fi
