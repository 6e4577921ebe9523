#!/usr/bin/env bash
# Start-up time and peak memory of the editor next to a bare Qt dialog built in the same tree:
#   bench/startup.sh build/<preset> [runs]
# Both run in a virtual X server, alternately, the given number of times each (7 by default),
# after one untimed run each to warm the file cache. Start-up is the time from starting the
# program to the mapping of its window, which is when it can draw its first frame; peak memory
# is VmHWM a second later, once the window has been drawn and the program is idle. Prints every
# run, the medians and the editor's ratio and difference to the yardstick, and the processor
# time each used, which a busy machine disturbs less. Builds nothing, and
# installs what it needs when missing (as root, or through sudo).
set -euo pipefail

readonly SETTLE_SECONDS=1
readonly WINDOW_TIMEOUT=20

usage() {
    echo "usage: $0 build/<preset> [runs]" >&2
    exit 2
}

if [ "${1:-}" != --in-display ]; then
    if [ $# -lt 1 ] || [ $# -gt 2 ]; then usage; fi
    build=$(realpath "$1")
    runs=${2:-7}
    [[ $runs =~ ^[1-9][0-9]*$ ]] || usage
    for program in "$build/app/SnapfoldEditor" "$build/bench/snapfold_minimal_dialog"; do
        [ -x "$program" ] || { echo "startup: $program is missing; build with SNAPFOLD_BUILD_BENCH" >&2; exit 1; }
    done
    root=$(cd "$(dirname "$0")/.." && pwd)
    # shellcheck source=scripts/lib.sh
    . "$root/scripts/lib.sh"
    install_missing xvfb xauth x11-utils qt6-qpa-plugins

    work=$(mktemp -d "${TMPDIR:-/tmp}/snapfold-startup.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    trap 'exit 130' INT TERM HUP
    status=0
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        bash "$0" --in-display "$build" "$runs" "$work" || status=$?
    # xvfb-run stops its server without waiting for it.
    server_pid=$(cat "$work/server.pid" 2>/dev/null || true)
    if [ -n "$server_pid" ]; then
        for _ in $(seq 50); do
            kill -0 "$server_pid" 2>/dev/null || break
            sleep 0.1
        done
    fi
    exit "$status"
fi

build=$2
runs=$3
work=$4
program_pid=
pgrep -P "$PPID" -x Xvfb >"$work/server.pid" || true

stop_program() {
    if [ -n "$program_pid" ]; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
        program_pid=
    fi
}
cleanup() {
    stop_program
    if [ -n "${XEV_PID:-}" ]; then kill "$XEV_PID" 2>/dev/null || true; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# Every window that the server maps is reported by xev, one line at a time, as it happens.
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
coproc XEV { exec stdbuf -oL xev -root -event substructure; }
sleep 0.5

# Reads xev's report up to the mapping of a top-level window that is not a pop-up.
wait_for_map() {
    local line event=
    while IFS= read -r -t "$WINDOW_TIMEOUT" line <&"${XEV[0]}"; do
        case $line in
        [A-Za-z]*" event, "*) event=${line%% *} ;;
        esac
        if [ "$event" = MapNotify ] && [[ $line == *"override NO"* ]]; then
            return 0
        fi
    done
    return 1
}

# The processor time of every thread of the process so far, in milliseconds.
cpu_ms() {
    cat "/proc/$1"/task/*/schedstat 2>/dev/null |
        awk '{ ns += $1 } END { printf "%.1f", ns / 1e6 }'
}

# Runs the program once and sets ms to the time its window took to be mapped, kib to its peak
# resident memory and cpu to the processor time it had used by then. On a busy machine the
# processor time varies less than the start-up time, and tells whether a slower start-up is
# the program's own doing.
measure() {
    local started mapped
    started=$EPOCHREALTIME
    env -i PATH=/usr/bin:/bin LANG=C.UTF-8 DISPLAY="$DISPLAY" XAUTHORITY="$XAUTHORITY" \
        HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
        "$1" >/dev/null 2>&1 &
    program_pid=$!
    wait_for_map || { echo "startup: no window from $1 within $WINDOW_TIMEOUT s" >&2; exit 1; }
    mapped=$EPOCHREALTIME
    sleep "$SETTLE_SECONDS"
    kib=$(sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$program_pid/status")
    [ -n "$kib" ] || { echo "startup: $1 ended before it was measured" >&2; exit 1; }
    cpu=$(cpu_ms "$program_pid")
    stop_program
    ms=$(awk -v s="$started" -v m="$mapped" 'BEGIN { printf "%.1f", (m - s) * 1000 }')
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

editor=$build/app/SnapfoldEditor
minimal=$build/bench/snapfold_minimal_dialog
measure "$minimal"
measure "$editor"
: >"$work/minimal.txt"
: >"$work/editor.txt"
printf '%-4s %28s %28s\n' run "minimal: ms  KiB  cpu ms" "editor: ms  KiB  cpu ms"
for run in $(seq "$runs"); do
    measure "$minimal"
    echo "$ms $kib $cpu" >>"$work/minimal.txt"
    printf '%-4s %12s %7s %7s' "$run" "$ms" "$kib" "$cpu"
    measure "$editor"
    echo "$ms $kib $cpu" >>"$work/editor.txt"
    printf ' %12s %7s %7s\n' "$ms" "$kib" "$cpu"
done

column_median() { cut -d' ' -f"$1" "$2" | median; }
awk -v mm="$(column_median 1 "$work/minimal.txt")" -v em="$(column_median 1 "$work/editor.txt")" \
    -v mk="$(column_median 2 "$work/minimal.txt")" -v ek="$(column_median 2 "$work/editor.txt")" \
    -v mc="$(column_median 3 "$work/minimal.txt")" -v ec="$(column_median 3 "$work/editor.txt")" \
    -v n="$runs" 'BEGIN {
    printf "medians of %d runs:\n", n
    printf "  minimal dialog: %6.1f ms to its window, %5.1f MiB peak, %6.1f ms of processor time\n",
           mm, mk / 1024, mc
    printf "  editor:         %6.1f ms to its window, %5.1f MiB peak, %6.1f ms of processor time\n",
           em, ek / 1024, ec
    ratio = em / mm
    extra = (ek - mk) / 1024
    printf "start-up: editor %.2fx the minimal dialog (goal 1.15x or less): %s\n",
           ratio, ratio <= 1.15 ? "met" : "missed"
    printf "peak memory: editor %+.1f MiB over the minimal dialog (goal +5 MiB or less): %s\n",
           extra, extra <= 5 ? "met" : "missed"
    printf "processor time: editor %.2fx the minimal dialog\n", ec / mc
}'
