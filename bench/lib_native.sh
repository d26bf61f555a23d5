# The native measures: P1 idle cost, P2 scan cost, P3 hand-off overhead,
# P4 pause length, P6 configuration reading. Each sets R_* variables that
# run.sh puts into the table. Needs lib_common.sh, $NATIVE (build/bench),
# $WORK (scratch folder), $RUNS, $IDLE_SECONDS, $RT (a chrt prefix or empty).

BENCH_BIN() { printf '%s/bench/bench_%s' "$NATIVE" "$1"; }

# P1 + P5 (RSS): the program, a shell loop and inotifywait watch the same
# empty folder side by side for $IDLE_SECONDS, $RUNS times; beside them the
# program's wake-ups without its work (bench_wake_floor).
measure_idle() {
    local dir=$WORK/p1 round
    mkdir -p "$dir/leer"
    write_bench_ini "$dir" "$(BENCH_BIN quick_exit)" "$dir/leer" 1000 1000
    local loop='while sleep 1; do for f in "$1"/*.pdf; do [ -f "$f" ] && echo "$f"; done; done'
    for ((round = 1; round <= RUNS; round++)); do
        "$(BENCH_BIN proc_meter)" --for "$IDLE_SECONDS" --cwd "$dir" -- "$NATIVE/belegbote" \
            >"$dir/belegbote.$round" &
        "$(BENCH_BIN proc_meter)" --for "$IDLE_SECONDS" -- sh -c "$loop" loop "$dir/leer" \
            >"$dir/loop.$round" &
        "$(BENCH_BIN proc_meter)" --for "$IDLE_SECONDS" -- inotifywait -m -q \
            -e create,moved_to "$dir/leer" >"$dir/inotifywait.$round" &
        "$(BENCH_BIN proc_meter)" --for "$IDLE_SECONDS" -- "$(BENCH_BIN wake_floor)" \
            >"$dir/floor.$round" &
        wait
    done
    local who
    for who in belegbote loop inotifywait floor; do
        # Whole life (start-up included) per minute of wall time.
        R_IDLE_CPU[$who]=$(for f in "$dir/$who".*; do l=$(cat "$f")
            calc "$(field cpu_us "$l") / 1000 / ($(field wall_ms "$l") / 60000)" %.2f; echo; done | median)
        R_IDLE_WAKE[$who]=$(for f in "$dir/$who".*; do l=$(cat "$f")
            calc "$(field switches "$l") / ($(field wall_ms "$l") / 1000)" %.2f; echo; done | median)
        R_RSS[$who]=$(for f in "$dir/$who".*; do field maxrss_kib "$(cat "$f")"; done | median)
    done
    # The program and the floor alone after their start: the main thread in
    # the measured window.
    for who in belegbote floor; do
        R_IDLE_STEADY[$who]=$(for f in "$dir/$who".*; do l=$(cat "$f")
            calc "$(field steady_cpu_us "$l") / 1000 / ($(field steady_s "$l") / 60)" %.2f; echo; done | median)
        R_IDLE_STEADY_WAKE[$who]=$(for f in "$dir/$who".*; do l=$(cat "$f")
            calc "$(field steady_switches "$l") / $(field steady_s "$l")" %.2f; echo; done | median)
    done
}

# P2: CPU per scan of folders with 1k, 10k and 100k entries none of which
# matches, in process; find as a process, with its start-up on an empty
# folder measured too.
measure_scan() {
    local dir=$WORK/p2 n reps
    mkdir -p "$dir/leer"
    for n in 1000 10000 100000; do
        if [ ! -d "$dir/n$n" ]; then
            mkdir -p "$dir/n$n.tmp"
            (cd "$dir/n$n.tmp" && seq -f 'eintrag-%06g.txt' 1 "$n" | xargs touch)
            mv "$dir/n$n.tmp" "$dir/n$n"
        fi
    done
    local find_runs=$((RUNS * 3))
    R_FIND_START=$(for ((i = 0; i < find_runs; i++)); do
        field cpu_us "$("$(BENCH_BIN proc_meter)" -- find "$dir/leer" -maxdepth 1 -iname '*.pdf')"
    done | median)
    for n in 1000 10000 100000; do
        reps=$((2000000 / n + 10))
        R_SCAN[$n]=$("$(BENCH_BIN scan_cost)" "$dir/n$n" "$reps" | median)
        R_FIND[$n]=$(for ((i = 0; i < find_runs; i++)); do
            field cpu_us "$("$(BENCH_BIN proc_meter)" -- find "$dir/n$n" -maxdepth 1 -iname '*.pdf')"
        done | median)
    done
}

# P4: twenty pauses of 250 ms through the platform's clock, with and without
# the real-time priority.
measure_pause() {
    R_PAUSE=$($RT "$(BENCH_BIN pause_length)" 20 250 | sort -g | tr '\n' ' ')
    R_PAUSE_PLAIN=$("$(BENCH_BIN pause_length)" 20 250 | sort -g | tr '\n' ' ')
}

# P6: the program's reader and inih on the same 64 MiB file and on one
# twice its size; wall and CPU time in process, peak memory by /usr/bin/time.
measure_config() {
    local dir=$WORK/p6 lines file who i out
    mkdir -p "$dir"
    for lines in 1048576 2097152; do
        file=$dir/c$lines.ini
        [ -f "$file" ] || awk -v lines="$lines" -f "$BENCH_DIR/config_file.awk" >"$file"
        for who in config_read config_read_inih; do
            for ((i = 0; i < RUNS + 2; i++)); do
                out=$(/usr/bin/time -f 'time_peak_kib=%M' "$(BENCH_BIN "$who")" "$file" 2>&1)
                printf '%s\n' "$out" | tr '\n' ' ' >>"$dir/$who.$lines"
                echo >>"$dir/$who.$lines"
            done
            R_CFG_MS[$who.$lines]=$(while read -r l; do field ms "$l"; done <"$dir/$who.$lines" | median)
            R_CFG_CPU[$who.$lines]=$(while read -r l; do field cpu_ms "$l"; done <"$dir/$who.$lines" | median)
            R_CFG_PEAK[$who.$lines]=$(while read -r l; do field time_peak_kib "$l"; done <"$dir/$who.$lines" | median)
            R_CFG_VALUES[$who.$lines]=$(head -n 1 "$dir/$who.$lines" | sed -n 's/.*values=\([^ ]*\).*/\1/p')
        done
        R_CFG_SIZE[$lines]=$(stat -c %s "$file")
    done
}
