#!/bin/sh
# `make run`: starts a virtual radio holding the sample channels
# (samples/radio-memory.bin) on a pseudo-terminal, points COM1 of the
# program's settings file at it with the automatic port search off, and
# starts the desktop program. "Read from radio" then reads the sample
# channels at once. The virtual radio stops when the program quits.
#
# usage: sh scripts/run.sh BIN_DIR   (the folder of t604 and t604-cli)
set -eu

bin=$(cd "${1:-build/bin}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
cli="$bin/t604-cli"
gui="$bin/t604"
image="$root/samples/radio-memory.bin"
settings="$bin/_config.ini"
# A fixed place, so that the settings file names the same device every time;
# the emulator removes the link when it stops.
link="$bin/virtual-radio"

# Without a display there is nothing to show the window on. That is not a
# failure of the build, so say what works instead and exit 0: `make run`
# from an SSH session or a container should not look like a broken build.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat <<EOF
No display (neither DISPLAY nor WAYLAND_DISPLAY is set): the desktop program
cannot open its window here. The same radio can be programmed from the
command line:

  $cli emulate --link /tmp/radio --image $image &
  $cli read --device /tmp/radio -o radio.Cvf
  $cli info radio.Cvf
  $cli write --device /tmp/radio radio.Cvf
EOF
    exit 0
fi

for program in "$cli" "$gui"; do
    [ -x "$program" ] || { echo "run: $program is missing (build first: make)" >&2; exit 1; }
done

# Sets KEY=VALUE in [SECTION] of an INI file, adding the section or the key
# where missing; keeps the file's line endings and every other line.
set_ini() {
    file=$1 section=$2 key=$3 value=$4
    awk -v section="$section" -v key="$key" -v value="$value" '
        function flush() { if (inside && !done) { print key "=" value eol; done = 1 } }
        NR == 1 { eol = ($0 ~ /\r$/) ? "\r" : "" }
        {
            line = $0; sub(/\r$/, "", line)
            if (line ~ /^\[.*\]$/) {
                flush()
                inside = (line == "[" section "]")
            } else if (inside && !done && index(line, key "=") == 1) {
                print key "=" value eol; done = 1; next
            }
            print
        }
        END {
            flush()
            if (!done) print "[" section "]" eol "\n" key "=" value eol
        }' "$file" >"$file.tmp"
    mv "$file.tmp" "$file"
}

# A first start writes the full settings file; let the program write it
# itself (it quits at once with this variable, see ui/startup_probe.h).
if [ ! -f "$settings" ]; then
    QT_QPA_PLATFORM=offscreen T604_QUIT_WHEN_IDLE=1 timeout 30 "$gui" >/dev/null || true
    [ -f "$settings" ] || { echo "run: $gui did not write $settings" >&2; exit 1; }
fi
set_ini "$settings" config Port 1
set_ini "$settings" config AutoSeachPort 0
set_ini "$settings" ports COM1 "$link"

[ -L "$link" ] && rm -f "$link"  # left by a radio that was killed
log=$(mktemp)
"$cli" emulate --link "$link" --image "$image" >"$log" 2>&1 &
radio=$!
stop_radio() {
    kill "$radio" 2>/dev/null && wait "$radio" 2>/dev/null
    rm -f "$log"
}
trap stop_radio EXIT
trap 'exit 130' INT TERM

tries=0
until [ -e "$link" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! kill -0 "$radio" 2>/dev/null; then
        echo "run: the virtual radio did not start:" >&2
        cat "$log" >&2
        exit 1
    fi
    sleep 0.05
done

echo "virtual radio on $link (COM1); press \"Read from radio\" in the window"
"$gui"
