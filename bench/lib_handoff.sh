# P3: the overhead of a hand-off, natively and under Wine, and P4 under Wine.
#
# Method: bench_folder_events watches the folder with inotify, at a real-time
# priority above the program's, and stamps each event as it arrives. A
# hand-off runs inside one scan, so its duration is taken from the scan's
# opening of the folder to the scan's closing of it after the file's
# deletion. From that come off 1000 ms of animation, WarteTimer, one 250 ms
# pause after the (single) deletion attempt, and the stand-in program's own
# run time as it measured it (main to exit). What is left is the overhead:
# listing, readiness check, starting and reaping the program, the deletion,
# and every pause's excess. bench_launch_floor gives, in the same run, what
# starting and reaping the same stand-in costs with the bare system calls.

WARTE_MS=100

# scan_closed <events> <name>: the folder was closed after the name's deletion.
scan_closed() {
    awk -v name="$2" '$2 == "DELETE" && $3 == name { gone = 1 }
        gone && $2 == "CLOSE_NOWRITE" && $3 == "-" { found = 1 } END { exit !found }' "$1"
}

# run_handoffs <work> <count> <command...>: the program, started by the
# command in <work>, hands off <count> files one after the other.
run_handoffs() {
    local work=$1 count=$2 i
    shift 2
    mkdir -p "$work/in" "$work/stage"
    : >"$work/quick_exit.log"
    $RT_PROBE "$(BENCH_BIN folder_events)" "$work/in" >"$work/events.log" &
    local probe=$!
    wait_for 5 grep -qs ready "$work/events.log"
    (cd "$work" && exec $RT "$@") >"$work/program.out" 2>&1 &
    local program=$!
    # The first scan of the empty folder shows that the program is up.
    wait_for 120 grep -qs "OPEN -" "$work/events.log"
    for ((i = 1; i <= count; i++)); do
        age_file "$work/stage/beleg-$i.pdf"
        mv "$work/stage/beleg-$i.pdf" "$work/in/"
        wait_for 30 test ! -e "$work/in/beleg-$i.pdf" || echo "beleg-$i.pdf not handed off" >&2
        wait_for 5 scan_closed "$work/events.log" "beleg-$i.pdf"
    done
    kill -TERM "$program" 2>/dev/null
    wait "$program" 2>/dev/null || true
    kill "$probe"
    wait "$probe" 2>/dev/null || true
}

# handoff_overheads <work>: one overhead in ms a line, in hand-off order.
handoff_overheads() {
    tr -d '\r' <"$1/quick_exit.log" >"$1/runs.txt"
    awk -v warte="$WARTE_MS" 'NR == FNR { run[NR] = $1; next }
        $2 == "OPEN" && $3 == "-" { open = $1 }
        $2 == "DELETE" { deleted = 1; from = open }
        deleted && $2 == "CLOSE_NOWRITE" && $3 == "-" {
            n++; deleted = 0
            printf "%.3f\n", ($1 - from) / 1e6 - (1000 + warte + 250) - run[n] / 1e6 }' \
        "$1/runs.txt" "$1/events.log"
}

measure_handoff_native() {
    local work=$WORK/p3
    rm -rf "$work"
    mkdir -p "$work"
    write_bench_ini "$work" "$(BENCH_BIN quick_exit)" "$work/in" 1000 "$WARTE_MS"
    run_handoffs "$work" "$HANDOFFS" "$NATIVE/belegbote"
    R_HANDOFF_NATIVE=$(handoff_overheads "$work" | sort -g | tr '\n' ' ')
    mkdir -p "$work/floor"
    R_FLOOR_NATIVE=$(cd "$work/floor" &&
        $RT "$(BENCH_BIN launch_floor)" "$(BENCH_BIN quick_exit)" 20 | median)
}

# Windows paths for the host's files: Wine's drive Z: is the root.
wine_path() { printf 'Z:%s' "${1//\//\\}"; }

start_wine_display() {
    local n
    for n in $(seq 91 199); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        $RT Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        wait_for 5 test -e "/tmp/.X11-unix/X$n" && return 0
    done
    return 1
}

# P3 and P4 for the x86-64 build under wine64 (this kernel runs no 32-bit
# code, so the i686 product itself cannot be measured here).
measure_wine() {
    local work=$WORK/p3-wine bin=$ROOT/build/bench-win64
    local wine=/usr/lib/wine/wine64
    export WINEDEBUG=-all
    export WINEPREFIX=${BELEGBOTE_WINEPREFIX:-${WINEPREFIX:-$WORK/wineprefix}}
    start_wine_display
    # A fresh wine server, started by the first program below, so that it
    # runs at the same priority as the program it serves.
    wineserver -k 2>/dev/null || true
    [ -f "$WINEPREFIX/system.reg" ] || $RT "$wine" wineboot -i >/dev/null 2>&1 || true
    rm -rf "$work"
    mkdir -p "$work/floor"
    R_PAUSE_WINE=$($RT "$wine" "$bin/bench/bench_pause_length.exe" 20 250 | tr -d '\r' |
        sort -g | tr '\n' ' ')
    R_FLOOR_WINE=$(cd "$work/floor" && $RT "$wine" "$bin/bench/bench_launch_floor.exe" \
        "$(wine_path "$bin/bench/bench_quick_exit.exe")" 20 | tr -d '\r' | median)
    write_bench_ini "$work" "$(wine_path "$bin/bench/bench_quick_exit.exe")" \
        "$(wine_path "$work/in")" 1000 "$WARTE_MS"
    run_handoffs "$work" "$HANDOFFS" "$wine" "$bin/Belegbote.exe"
    R_HANDOFF_WINE=$(handoff_overheads "$work" | sort -g | tr '\n' ' ')
    wineserver -k 2>/dev/null || true
    kill "$XVFB_PID" 2>/dev/null || true
}
