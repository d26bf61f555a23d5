# The table of bench/run.sh, from the R_* results of the measures.

# Statistics of a space-separated list of numbers.
list_median() { tr ' ' '\n' <<<"$1" | grep . | median; }
list_min() { tr ' ' '\n' <<<"$1" | grep . | sort -g | head -n 1; }
list_max() { tr ' ' '\n' <<<"$1" | grep . | maximum; }

machine_lines() {
    local cpu cores kernel wine=""
    cpu=$(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1)
    cores=$(nproc)
    kernel=$(uname -sr)
    [ "$BENCH_WINE" = 1 ] && wine=", $(/usr/lib/wine/wine64 --version 2>/dev/null || echo wine64)"
    echo "Machine: $cpu, $cores cores, $(free -g | awk '/^Mem/ {print $2}') GiB, $kernel$wine."
    echo "Load average (1, 5, 15 min): $LOAD_BEFORE before, $LOAD_AFTER after the measures."
}

method_lines() {
    local policy="normal priority"
    [ -n "$RT" ] && policy="SCHED_FIFO 40 for the program (under Wine also its server and Xvfb), 50 for the observer"
    fold -s -w 100 <<EOF
Method: real processes, figures from the kernel's accounting (wait4 rusage, /proc/PID/schedstat \
and status, /usr/bin/time), medians of several runs. \
P1: the program, a shell loop, inotifywait and a bare loop with the program's wake-ups watch one \
empty folder side by side, $RUNS rounds of $IDLE_SECONDS s; CPU of the whole life, start-up and \
reaped children included, per minute of wall time; wake-ups = context switches per second. \
P2: FolderScan over the real listing, in process, CPU clock per scan; find as a process, its \
start-up measured on an empty folder. \
P3: an inotify observer stamps the scan's opening and closing of the folder; overhead = that span \
- 1000 ms - WarteTimer ($WARTE_MS ms) - 250 ms after the one deletion attempt - the stand-in's own \
run time (it exits at once, so starting it counts as overhead); $HANDOFFS hand-offs. \
P3/P4 scheduling: $policy. Wine: the x86-64 build under wine64, as this kernel runs no 32-bit \
code. P6: wall and CPU time of reading the five values, in process; peak memory by /usr/bin/time.
EOF
}

row() { printf '| %s | %s | %s | %s | %s | %s |\n' "$@"; }

idle_rows() {
    local ours=${R_IDLE_CPU[belegbote]} loop=${R_IDLE_CPU[loop]}
    row P1 "CPU per minute, empty folder, ScanTimer 1000" \
        "$ours ms/min (${R_IDLE_STEADY[belegbote]} ms/min after start-up)" \
        "its wake-ups without its work (poll 250 ms on a 1 s timerfd): ${R_IDLE_CPU[floor]} ms/min (${R_IDLE_STEADY[floor]} after start-up)" \
        "<= 10 ms/min" "$(verdict "$ours <= 10")"
    row P1 "the same against the shell loop" "$ours ms/min" \
        "shell loop $loop ms/min; inotifywait -m ${R_IDLE_CPU[inotifywait]} ms/min" \
        ">= 10x below the loop" "$(calc "$loop / $ours" %.1f)x: $(verdict "$loop >= 10 * $ours")"
    row P1 "wake-ups per second" \
        "${R_IDLE_WAKE[belegbote]}/s (${R_IDLE_STEADY_WAKE[belegbote]}/s after start-up; by design 4 from the 250 ms wait, the tick among them)" \
        "shell loop ${R_IDLE_WAKE[loop]}/s; inotifywait ${R_IDLE_WAKE[inotifywait]}/s; wake-up floor ${R_IDLE_WAKE[floor]}/s" "-" "-"
}

scan_rows() {
    local n ours find net
    for n in 1000 10000 100000; do
        ours=${R_SCAN[$n]} find=${R_FIND[$n]}
        net=$(calc "$find - $R_FIND_START" %.0f)
        row P2 "CPU per scan, $n entries, none matching" \
            "$ours us ($(calc "$ours * 1000 / $n" %.0f) ns/entry)" \
            "find $find us, $net us beyond its start-up ($R_FIND_START us)" "<= find" \
            "$(verdict "$ours <= $net")"
    done
    local growth
    growth=$(calc "(${R_SCAN[100000]} / 100000) / (${R_SCAN[1000]} / 1000)" %.2f)
    row P2 "growth: cost per entry at 100k / at 1k" "$growth" \
        "find $(calc "((${R_FIND[100000]} - $R_FIND_START) / 100000) / ((${R_FIND[1000]} - $R_FIND_START) / 1000)" %.2f)" \
        "linear (about 1)" "$(verdict "$growth <= 1.5")"
}

handoff_row() {
    local where=$1 list=$2 floor=$3 target=$4 med
    med=$(list_median "$list")
    row P3 "overhead of one hand-off, $where" \
        "median $med ms (min $(list_min "$list"), max $(list_max "$list")); $(calc "$med - $floor" %.2f) ms beyond the process start" \
        "floor 0; starting and reaping the stand-in with bare system calls: $floor ms" \
        "median <= $target ms" "$(verdict "$med <= $target")"
}

pause_row() {
    local where=$1 list=$2 target=$3 med max
    med=$(calc "$(list_median "$list") - 250" %.3f)
    max=$(calc "$(list_max "$list") - 250" %.3f)
    row P4 "length of a 250 ms pause, $where" "+$med ms median, +$max ms max (20 pauses)" "-" \
        "$target" "$([ "$target" = report ] && echo "-" || verdict "$med <= 2")"
}

size_rows() {
    local exe=$ROOT/build/win32/Belegbote.exe size imports odd
    size=$(stat -c %s "$exe")
    imports=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | sort -u | tr '\n' ' ')
    odd=$(tr ' ' '\n' <<<"$imports" | grep . |
        grep -viE '^(KERNEL32|USER32|GDI32|SHELL32|OLE32|WINMM|ADVAPI32|msvcrt|COMCTL32)\.dll$' || true)
    row P5 "peak RSS of the native program (idle run)" "${R_RSS[belegbote]} KiB" \
        "inotifywait ${R_RSS[inotifywait]} KiB; shell loop ${R_RSS[loop]} KiB" "<= inotifywait" \
        "$(verdict "${R_RSS[belegbote]} <= ${R_RSS[inotifywait]}")"
    row P5 "size of Belegbote.exe (i686, build/win32)" "$size bytes ($(calc "$size / 1024" %.0f) KiB)" \
        "-" "<= 256 KiB" "$(verdict "$size <= 262144")"
    row P5 "DLL imports of Belegbote.exe" "$imports" "-" "system DLLs only" \
        "$([ -z "$odd" ] && echo met || echo "**missed** ($odd)")"
}

config_rows() {
    local small=1048576 big=2097152 ours inih mb
    ours=config_read inih=config_read_inih
    mb=$(calc "${R_CFG_SIZE[$small]} / 1048576" %.0f)
    row P6 "reading a $mb MiB, $small-line configuration: CPU (wall) time" \
        "${R_CFG_CPU[$ours.$small]} ms ($(calc "$mb * 1000 / ${R_CFG_CPU[$ours.$small]}" %.0f) MiB/s), wall ${R_CFG_MS[$ours.$small]} ms" \
        "inih ${R_CFG_CPU[$inih.$small]} ms ($(calc "$mb * 1000 / ${R_CFG_CPU[$inih.$small]}" %.0f) MiB/s), wall ${R_CFG_MS[$inih.$small]} ms" \
        "throughput >= inih" "$(verdict "${R_CFG_CPU[$ours.$small]} <= ${R_CFG_CPU[$inih.$small]}")"
    local peak=${R_CFG_PEAK[$ours.$small]}
    row P6 "peak memory reading it" \
        "$(calc "$peak / 1024" %.0f) MiB ($(calc "$peak * 1024 / ${R_CFG_SIZE[$small]}" %.2f)x the file)" \
        "inih $(calc "${R_CFG_PEAK[$inih.$small]} / 1024" %.1f) MiB" "<= 3x the file" \
        "$(verdict "$peak * 1024 <= 3 * ${R_CFG_SIZE[$small]}")"
    local ratio
    ratio=$(calc "${R_CFG_CPU[$ours.$big]} / ${R_CFG_CPU[$ours.$small]}" %.2f)
    row P6 "twice the size ($(calc "${R_CFG_SIZE[$big]} / 1048576" %.0f) MiB): CPU time / CPU time at $mb MiB" \
        "${ratio}x (${R_CFG_CPU[$ours.$big]} ms; $(calc "${R_CFG_PEAK[$ours.$big]} / 1024" %.0f) MiB peak)" \
        "inih $(calc "${R_CFG_CPU[$inih.$big]} / ${R_CFG_CPU[$inih.$small]}" %.2f)x" "<= 2.2x" \
        "$(verdict "$ratio <= 2.2")"
    local same="the same five values"
    [ "${R_CFG_VALUES[$ours.$small]}" = "${R_CFG_VALUES[$inih.$small]}" ] ||
        same="DIFFERENT values: ${R_CFG_VALUES[$ours.$small]} / ${R_CFG_VALUES[$inih.$small]}"
    echo
    echo "P6: both readers delivered $same (${R_CFG_VALUES[$ours.$small]})."
}

print_table() {
    machine_lines
    method_lines
    echo
    row "#" Measure Belegbote "Peer in the same run" Target Verdict
    row --- --- --- --- --- ---
    idle_rows
    scan_rows
    handoff_row "native" "$R_HANDOFF_NATIVE" "$R_FLOOR_NATIVE" 2
    [ -n "$R_HANDOFF_WINE" ] && handoff_row "Wine (x86-64 build, wine64)" "$R_HANDOFF_WINE" \
        "$R_FLOOR_WINE" 20
    pause_row "native" "$R_PAUSE" "<= +2 ms"
    pause_row "native, normal priority" "$R_PAUSE_PLAIN" report
    [ -n "$R_PAUSE_WINE" ] && pause_row "Wine" "$R_PAUSE_WINE" report
    size_rows
    config_rows
}
