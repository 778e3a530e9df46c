#!/usr/bin/env bash
# Installs what is missing, builds VELMORA and starts it.
set -euo pipefail
usage() {
    cat <<'USAGE'
usage: scripts/run.sh [--sim [QM1|QM2]]
  --sim [QM1|QM2]  also start the simulated indicator (QM2 unless QM1 is given) on a
                   pseudo-terminal and point COM1 at it for this run
  --help           show this text
USAGE
}
sim=""
while [ $# -gt 0 ]; do
    case "$1" in
    --sim)
        sim=QM2
        if [ $# -gt 1 ] && { [ "$2" = QM1 ] || [ "$2" = QM2 ]; }; then
            sim=$2
            shift
        fi
        ;;
    --help | -h)
        usage
        exit 0
        ;;
    *)
        echo "scripts/run.sh: unknown option $1" >&2
        usage >&2
        exit 2
        ;;
    esac
    shift
done
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
if [ -n "$sim" ]; then
    log=$(mktemp)
    ./build/sim/qm-sim --model "$sim" >"$log" 2>&1 &
    simpid=$!
    trap 'kill $simpid 2>/dev/null || true' EXIT
    for _ in $(seq 1 50); do grep -q '^/dev/' "$log" && break; sleep 0.1; done
    dev=$(grep -m1 '^/dev/' "$log" || true)
    [ -n "$dev" ] || { echo "the simulated indicator did not start:"; cat "$log"; exit 1; }
    echo "Simulated $sim indicator on $dev, as COM1 for this run (choose COM1 in the connection settings if another port is set)"
    ./build/velmora --map-port COM1="$dev"
else
    exec ./build/velmora
fi
