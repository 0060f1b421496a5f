#!/bin/bash
# Idle CPU of the real program with two 100,000-book catalogues open.
#
#   bench/catalogue/idle-cpu.sh BUILD_DIR [SECONDS] [SCREENSHOT.png]
#
# Copies BUILD_DIR/Ordex2000 (the executable with its program directory) to
# a temporary folder, writes the standard catalogue and optional catalogue 1
# with BOOKS books each (100000 unless set) by bench_catalogue_windows --fill,
# starts the program under Xvfb, opens both catalogues the way a user does
# (Ctrl+O, a click on the entry in the open dialog), waits until it has
# settled and reads utime+stime of the process from /proc over SECONDS
# (30 unless told). Prints the share of one core; target under 0.5 %.
# Exit status 1 when a catalogue did not open, 77 when Xvfb or xdotool is
# missing.
set -euo pipefail

build=$(cd "${1:?usage: idle-cpu.sh BUILD_DIR [SECONDS] [SCREENSHOT.png]}" && pwd)
seconds=${2:-30}
shot=${3:-}
books=${BOOKS:-100000}
for tool in Xvfb xdotool; do
    command -v $tool >/dev/null || { echo "$tool is missing" >&2; exit 77; }
done

work=$(mktemp -d /tmp/ordex-idle-XXXXXX)
xvfb_pid=
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cp -r "$build/Ordex2000" "$work/Ordex2000"
QT_QPA_PLATFORM=offscreen "$build/bin/bench_catalogue_windows" --fill "$work/Ordex2000" --books "$books"

display=
for n in $(seq 231 299); do
    [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    sleep 1
    if kill -0 $xvfb_pid 2>/dev/null; then display=:$n; break; fi
    xvfb_pid=
done
[ -n "$display" ] || { echo "no free display for Xvfb" >&2; exit 2; }
export DISPLAY=$display

# A runtime folder of its own, as a separate login would have: the program
# runs one instance per user, and another copy may be running meanwhile.
mkdir -m 700 "$work/runtime"
(cd "$work/Ordex2000" && XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb exec ./Ordex2000 >/dev/null 2>&1) &
program_pid=$!
main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Ordex 2000$' | head -1)
sleep 2

# The open dialog is the visible 203 x 221 window of the program.
open_dialog() {
    local w
    for _ in $(seq 50); do
        for w in $(xdotool search --onlyvisible --pid $program_pid 2>/dev/null); do
            if xdotool getwindowgeometry "$w" | grep -q 'Geometry: 203x221'; then
                echo "$w"; return 0
            fi
        done
        sleep 0.2
    done
    return 1
}

# Opens slot 1..4 as the user does: Ctrl+O, then a click on entry N.
open_catalogue() {
    local slot=$1 dialog x y
    xdotool windowfocus --sync "$main" 2>/dev/null || true
    xdotool key --clearmodifiers ctrl+o
    dialog=$(open_dialog) || { echo "the open dialog did not show" >&2; exit 1; }
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    x=$((X + 40)); y=$((Y + 42 + (slot - 1) * 33 + 16))
    xdotool mousemove $x $y click 1
    local key=Databaze$slot
    for _ in $(seq 100); do
        grep -q "^$key=1" "$work/Ordex2000/Ordex2000.ini" && return 0
        sleep 0.1
    done
    echo "catalogue $slot did not open" >&2; exit 1
}

open_catalogue 1
sleep 2
open_catalogue 2
sleep 5  # let it settle: window shown, refresh done, sounds played

[ -n "$shot" ] && import -window root "$shot"

ticks() { awk '{ sub(/.*\) /, ""); print $12 + $13 }' /proc/$program_pid/stat; }
# Context switches of each of the program's threads ("tid count" lines): a
# timer that wakes the program shows here even when its CPU time rounds to
# nothing. Threads that come or go meanwhile are left out.
switches() {
    for t in /proc/$program_pid/task/*; do
        awk -v tid="${t##*/}" '/ctxt_switches/ { n += $2 } END { print tid, n }' "$t/status" 2>/dev/null || true
    done
}
hz=$(getconf CLK_TCK)
before=$(ticks)
switches >"$work/switches.before"
sleep "$seconds"
after=$(ticks)
switches >"$work/switches.after"
woken=$(awk 'NR == FNR { before[$1] = $2; next } ($1 in before) { n += $2 - before[$1] } END { print n + 0 }' \
        "$work/switches.before" "$work/switches.after")
kill -0 $program_pid 2>/dev/null || { echo "the program ended during the measurement" >&2; exit 1; }
awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" -v b="$books" 'BEGIN {
    printf "idle CPU, two catalogues of %d books open: %.3f %% of one core (%d ticks of 1/%d s in %d s; target < 0.5 %%)\n",
           b, 100.0 * t / hz / s, t, hz, s }'
echo "context switches of its threads meanwhile: $woken ($(awk -v w=$woken -v s="$seconds" 'BEGIN { printf "%.1f", w / s }') per second)"
