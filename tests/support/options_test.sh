#!/usr/bin/env bash
# Every command line answers --help with its usage, and refuses an unknown option with the usage
# and a non-zero exit, leaving nothing behind.
#   options_test.sh VELMORA VELMORA-RENDER RUN.SH
set -u
fail=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

check() {
    local name=$1
    shift
    local out rc
    out=$(timeout 20 "$@" --help 2>/dev/null)
    rc=$?
    if [ $rc -ne 0 ] || ! grep -q '^usage: ' <<<"$out"; then
        echo "$name --help: exit $rc, stdout: $out"
        fail=1
    fi
    out=$(timeout 20 "$@" --gtest_list_tests 2>&1 >/dev/null)
    rc=$?
    if [ $rc -eq 0 ] || [ $rc -eq 124 ] || ! grep -q '^usage: ' <<<"$out"; then
        echo "$name --gtest_list_tests: exit $rc, stderr: $out"
        fail=1
    fi
}

check velmora "$1"
check velmora-render "$2"
check run.sh bash "$3"
if [ -n "$(ls -A)" ]; then
    echo "left behind: $(ls -A)"
    fail=1
fi
exit $fail
