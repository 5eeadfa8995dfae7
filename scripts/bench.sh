#!/bin/sh
# `make bench`: the start-up benchmark of the desktop program and, when it
# has been built, the transfer benchmark of the programming protocol. Both
# print their figures against the targets; neither fails on them.
#
# usage: sh scripts/bench.sh BIN_DIR   (the folder of t604 and the benchmarks)
set -eu

bin=$(cd "${1:-build/bin}" && pwd)
status=0

if [ -x "$bin/startup_bench" ] && [ -x "$bin/t604" ]; then
    "$bin/startup_bench" "$bin/t604" || status=1
else
    echo "bench: startup_bench or t604 not built in $bin" >&2
    status=1
fi

if [ -x "$bin/transfer_bench" ]; then
    echo
    "$bin/transfer_bench" || status=1
fi
exit $status
