#!/usr/bin/env bash
# Builds VELMORA with the address and undefined-behaviour sanitizers and runs every test under them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-sanitizers -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build-sanitizers -j "$(nproc)"
# Qt's own allocations outlive main; leaks are not what this run looks for.
QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
    ctest --test-dir build-sanitizers --output-on-failure -LE 'bench|render' -j 4
