#!/usr/bin/env bash
# The folder watch and the hand-off of the Windows program as a user meets
# them, with the recorder standing in for the program each file goes to:
# exact command lines, deletion only after that program ended, files in use,
# a missing program, a folder that appears late, a name the ANSI code page
# cannot hold. Every run ends on WM_CLOSE with exit code 0 and leaves the
# configuration as it was.
source "$(dirname "$0")/lib_wine.sh"

WM_CLOSE=0x0010

# The Windows path of a host path (Z:\... for anything outside the prefix).
winpath() { "$WINE_LOADER" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

RECORDER_WIN=$(winpath "$BELEGBOTE_HELPERS/recorder.exe")

# begin_case <name> <ScanTimer> <WarteTimer> [<folder>] [<Programm>]: a working
# directory with Belegbote.ini watching <folder> (default "eingang", not yet
# created) for *.pdf, with the recorder as the program unless another is named.
begin_case() {
    CASE=$1
    CASE_DIR=$(new_workdir "$1")
    SCAN="$CASE_DIR/${4:-eingang}"
    LOG="$CASE_DIR/recorder.log"
    SCAN_WIN=$(winpath "$SCAN")
    CWD_WIN=$(winpath "$CASE_DIR")
    # The recorder gets the environment of the program that starts it.
    BELEGBOTE_RECORD_LOG=$(winpath "$LOG")
    export BELEGBOTE_RECORD_LOG
    write_ini "$CASE_DIR" "${5:-$RECORDER_WIN}" "$SCAN_WIN" '*.pdf' "$2" "$3"
    touch -d '2020-01-02 03:04:05' "$CASE_DIR/Belegbote.ini"
    INI_BEFORE=$(fingerprint "$CASE_DIR/Belegbote.ini")
}

run_program() {
    start_program "$CASE_DIR"
    expect "$CASE: host window" "title=$(hex "$TITLE") visible=0" \
        "$(helper window_probe wait WindowClass_0 30000)"
}

# check_ended <what>: exit code and configuration after the program ended.
check_ended() {
    expect "$CASE: exit code after WM_CLOSE$1" 0 "$PROGRAM_RC"
    if [ "$PROGRAM_RC" == timeout ]; then
        # Its window must not catch the next case's WM_CLOSE.
        kill -KILL "$PROGRAM_PID" 2>/dev/null || true
        wait "$PROGRAM_PID" 2>/dev/null || true
    fi
    expect "$CASE: configuration unchanged" "$INI_BEFORE" \
        "$(fingerprint "$CASE_DIR/Belegbote.ini")"
}

# end_program <timeout-s>: WM_CLOSE to the host window, then wait for the end.
end_program() {
    helper window_probe post WindowClass_0 $WM_CLOSE 0 0 >/dev/null
    wait_program "$1"
    check_ended " (within $1 s)"
}

# wait_until <timeout-s> <command...>: polls the command until it succeeds.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.05
    done
}

# The recorder's start lines, one per hand-off, in the order of the hand-offs.
records() { grep -a '^cmdline=' "$LOG" 2>/dev/null || true; }
end_lines() {
    local count=0
    [ ! -f "$LOG" ] || count=$(grep -a -c '^end|' "$LOG") || true
    echo "$count"
}
has_end_lines() { [ "$(end_lines)" -ge "$1" ]; }
presence() { [ -e "$SCAN/$1" ] && echo present || echo gone; }
is_gone() { [ ! -e "$SCAN/$1" ]; }

# record_line <name> <size>: the recorder's start line for a file of the
# watched folder handed off as `"<Programm>" /a "<ScanPfad>\<name>"`.
record_line() {
    printf 'cmdline="%s" /a "%s\\%s"|argc=3|arg1=/a|arg2=%s\\%s|exists=1|size=%s|cwd=%s' \
        "$RECORDER_WIN" "$SCAN_WIN" "$1" "$SCAN_WIN" "$1" "$2" "$CWD_WIN"
}

# The file name at the end of a start line's last argument.
record_name() {
    local arg=${1#*|arg2=}
    arg=${arg%%|*}
    printf '%s' "${arg##*\\}"
}

# complete_lines <array>: the log's finished lines; one still being written
# is taken at the next look.
complete_lines() {
    local -n into=$1
    local content
    into=()
    content=$(cat "$LOG" 2>/dev/null; printf x)
    content=${content%x}
    content=${content%"${content##*$'\n'}"}
    [ -n "$content" ] || return 0
    mapfile -t into < <(printf '%s' "$content")
}

# follow_handoffs <count> <timeout-s>: watches the log while the program hands
# files off. For each end line it prints whether that file was still in the
# folder ("end present <name>"); at each further start, whether the file
# before it was gone by then ("next gone <name>").
follow_handoffs() {
    local want=$1 deadline=$((SECONDS + $2)) taken=0 ends=0 current="" line
    local lines=()
    while [ "$ends" -lt "$want" ] && [ "$SECONDS" -lt "$deadline" ]; do
        complete_lines lines
        while [ "$taken" -lt "${#lines[@]}" ]; do
            line=${lines[$taken]}
            taken=$((taken + 1))
            case "$line" in
                cmdline=*)
                    [ -z "$current" ] || echo "next $(presence "$current") $current"
                    current=$(record_name "$line")
                    ;;
                end\|*)
                    echo "end $(presence "$current") $current"
                    ends=$((ends + 1))
                    ;;
            esac
        done
        sleep 0.05
    done
}

# Posts WM_CLOSE as soon as the first hand-off has started, from the background.
close_at_first_start() {
    (
        wait_until 60 grep -q '^cmdline=' "$LOG" 2>/dev/null || exit 0
        helper window_probe post WindowClass_0 $WM_CLOSE 0 0 >/dev/null
    ) &
    CLOSER_PID=$!
    E2E_CLEANUPS+=("kill $CLOSER_PID 2>/dev/null")
}

echo "== three files in one scan: exact command lines, each deleted after its program ended"
begin_case three 300 1000
mkdir -p "$SCAN/ordner.pdf"
printf 'Rechnung sieben' >"$SCAN/Rechnung 7.pdf"
printf 'Brief in grossen Buchstaben' >"$SCAN/BRIEF.PDF"
printf 'Lieferschein' >"$SCAN/lieferschein.pdf"
printf 'passt nicht' >"$SCAN/beleg.pdf.txt"
printf 'im Unterordner' >"$SCAN/ordner.pdf/innen.pdf"
bystanders() {
    fingerprint "$SCAN/beleg.pdf.txt"
    fingerprint "$SCAN/ordner.pdf/innen.pdf"
    stat -c %y "$SCAN/ordner.pdf"
}
bystanders_before=$(bystanders)
expected_records=$(for name in 'BRIEF.PDF' 'Rechnung 7.pdf' 'lieferschein.pdf'; do
    record_line "$name" "$(stat -c %s "$SCAN/$name")"
    echo
done | sort)
# Each run outlasts WarteTimer: a file deleted without waiting for the program
# would be gone before the program's end.
export BELEGBOTE_RECORD_SLEEP_MS=1500
run_program
# The loop takes the close request only once the scan is over, so the program
# ending with all three files handed off shows they were all in that one scan.
close_at_first_start
follow_handoffs 3 60 >"$CASE_DIR/observed"
wait "$CLOSER_PID" || true
wait_program 30
check_ended " posted during the scan"
unset BELEGBOTE_RECORD_SLEEP_MS
expect "$CASE: start lines, byte for byte" "$expected_records" "$(records | sort)"
expect "$CASE: the recorder saw each file to its end" "3" "$(grep -c '^end|exists=1$' "$LOG")"
expect "$CASE: each file still there right after its program ended" \
    "$(printf 'end present %s\n' 'BRIEF.PDF' 'Rechnung 7.pdf' 'lieferschein.pdf')" \
    "$(grep '^end' "$CASE_DIR/observed" | sort)"
expect "$CASE: each file gone before the next hand-off began" "next gone
next gone" "$(grep '^next' "$CASE_DIR/observed" | cut -d' ' -f1,2)"
expect "$CASE: handed-off files gone, the rest left" "beleg.pdf.txt ordner.pdf" \
    "$(ls "$SCAN" | sort | tr '\n' ' ' | sed 's/ $//')"
expect "$CASE: non-matching file and matching subfolder untouched" "$bystanders_before" \
    "$(bystanders)"

echo "== a file still held open after its program ended: deleted at a later attempt, handed off once"
begin_case held 300 0
mkdir "$SCAN"
printf 'gehalten' >"$SCAN/gehalten.pdf"
expected_records=$(record_line gehalten.pdf 8)
export BELEGBOTE_RECORD_HOLD_MS=1000
run_program
wait_until 30 has_end_lines 1 || true
# With WarteTimer 0 the first attempt comes at once; the hold makes it fail.
sleep 0.4
expect "$CASE: still there while held after its program ended" present "$(presence gehalten.pdf)"
wait_until 15 is_gone gehalten.pdf || true
sleep 1  # a few more ticks, which must find nothing to hand off
expect "$CASE: deleted once released" gone "$(presence gehalten.pdf)"
expect "$CASE: handed off exactly once" "$expected_records" "$(records)"
end_program 20
unset BELEGBOTE_RECORD_HOLD_MS

echo "== a missing program: the file stays where it is, unchanged, tick after tick"
begin_case missing 200 0 eingang "$(winpath "$E2E_WORK/nirgends/fehlt.exe")"
mkdir "$SCAN"
printf 'wartet' >"$SCAN/wartet.pdf"
touch -d '2020-01-02 03:04:05' "$SCAN/wartet.pdf"
waiting_before=$(fingerprint "$SCAN/wartet.pdf")
run_program
sleep 4  # every tick tries again: a second of signal, then the failed start
expect "$CASE: file kept, unchanged" "$waiting_before" \
    "$(fingerprint "$SCAN/wartet.pdf" 2>/dev/null || echo gone)"
end_program 20

echo "== a watched folder that appears after start is served once it exists"
begin_case later 200 0 spaeter
run_program
sleep 1  # several ticks find no folder
mkdir "$CASE_DIR/bau"
printf 'spaet' >"$CASE_DIR/bau/spaet.pdf"
mv "$CASE_DIR/bau" "$SCAN"
wait_until 30 is_gone spaet.pdf || true
wait_until 5 has_end_lines 1 || true
expect "$CASE: handed off" "$(record_line spaet.pdf 5)" "$(records)"
expect "$CASE: deleted" gone "$(presence spaet.pdf)"
end_program 20

echo "== a file still being written: handed off once, complete, after the writer closed it"
begin_case slow 200 0
mkdir "$SCAN"
run_program
"$WINE_LOADER" "$BELEGBOTE_HELPERS/slow_writer.exe" "$SCAN_WIN\\langsam.pdf" 8 400 >/dev/null 2>&1 &
writer_pid=$!
E2E_CLEANUPS+=("kill $writer_pid 2>/dev/null")
writer_rc=0
wait "$writer_pid" || writer_rc=$?
expect "$CASE: writer wrote every block and closed the file" 0 "$writer_rc"
# A hand-off starts its program only after a second of signal, so a start
# line now would mean the file was taken while still open.
expect "$CASE: nothing handed off while the writer held it" "" "$(records)"
wait_until 30 is_gone langsam.pdf || true
sleep 1
expect "$CASE: handed off once, at its full size" "$(record_line langsam.pdf $((8 * 4096)))" \
    "$(records)"
expect "$CASE: deleted" gone "$(presence langsam.pdf)"
end_program 20

echo "== a name the ANSI code page cannot hold: short name or left alone, never a hang"
begin_case unicode 200 0
mkdir "$SCAN"
omega='Ω-Beleg.pdf'  # UTF-8 here; Wine shows it as Unicode
printf 'omega' >"$SCAN/$omega"
printf 'erste' >"$SCAN/erste.pdf"
printf 'zweite' >"$SCAN/zweite.pdf"
touch -d '2020-01-02 03:04:05' "$SCAN/$omega"
omega_before=$(fingerprint "$SCAN/$omega")
others_expected=$(printf '%s\n%s' "$(record_line erste.pdf 5)" "$(record_line zweite.pdf 6)")
run_program
wait_until 40 is_gone erste.pdf || true
wait_until 40 is_gone zweite.pdf || true
sleep 1.5  # more ticks, in which the odd name may come up again
end_program 10
expect "$CASE: the other files handed off" "$others_expected" \
    "$(records | grep -F -e '\erste.pdf"' -e '\zweite.pdf"' | sort)"
expect "$CASE: the other files deleted" "gone gone" \
    "$(presence erste.pdf) $(presence zweite.pdf)"
omega_records=$(records | grep -v -F -e '\erste.pdf"' -e '\zweite.pdf"' || true)
if [ -e "$SCAN/$omega" ]; then
    echo "(left in place)"
    expect "$CASE: kept file unchanged" "$omega_before" "$(fingerprint "$SCAN/$omega")"
    expect "$CASE: kept file never handed off" "" "$omega_records"
else
    short=$(record_name "$omega_records")
    echo "(handed off as $short)"
    expect "$CASE: handed off once, through an 8.3 name" "$(record_line "$short" 5) 8.3" \
        "$omega_records $(grep -qE '^[^?*"\\ ]{1,8}(\.[^?*"\\ ]{1,3})?$' <<<"$short" && echo 8.3)"
fi

finish
