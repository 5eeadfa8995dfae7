#!/bin/sh
# Rebuilds the sample of `make run` with the project's own code:
#   sample.Cvf        written by make_sample_config.cpp (the record and its file)
#   radio-memory.bin  the 64 KiB memory of a fresh virtual radio after
#                     `t604-cli write sample.Cvf` into it (memory map, codecs
#                     and protocol), dumped by the emulator
# usage: sh samples/make-sample.sh [BUILD_DIR]   (default: build, after `make`)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
core="$build/libt604_core.a"
cli="$build/bin/t604-cli"
[ -f "$core" ] && [ -x "$cli" ] || { echo "make-sample: build first (make)" >&2; exit 1; }

flags=""
if grep -q '^T604_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
    flags="-fsanitize=address,undefined"
fi

tmp=$(mktemp -d)
emulator=""
cleanup() {
    [ -n "$emulator" ] && kill "$emulator" 2>/dev/null && wait "$emulator" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT INT TERM

# shellcheck disable=SC2086
c++ -std=c++20 $flags -I"$root" "$root/samples/make_sample_config.cpp" "$core" \
    -o "$tmp/make_sample_config"
"$tmp/make_sample_config" "$root/samples/sample.Cvf"

"$cli" emulate --link "$tmp/radio" --dump "$tmp/memory.bin" >"$tmp/emulator.log" &
emulator=$!
tries=0
until [ -e "$tmp/radio" ]; do
    tries=$((tries + 1))
    [ "$tries" -le 100 ] || { echo "make-sample: the virtual radio did not start" >&2; exit 1; }
    sleep 0.05
done

"$cli" write --device "$tmp/radio" "$root/samples/sample.Cvf"
tries=0
until grep -q '^saved' "$tmp/emulator.log"; do
    tries=$((tries + 1))
    [ "$tries" -le 100 ] || { echo "make-sample: the radio's memory was not saved" >&2; exit 1; }
    sleep 0.05
done
cp "$tmp/memory.bin" "$root/samples/radio-memory.bin"
echo "wrote samples/sample.Cvf and samples/radio-memory.bin"
