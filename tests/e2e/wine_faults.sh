#!/usr/bin/env bash
# Faults around the Windows program under Wine: a program that fails, a
# watched folder that vanishes, hostile and unrepresentable file names, a
# read-only file, a killed watcher, odd configuration files. Each case checks
# that no file is lost or changed that should not be. Wine runs as one user
# with every right, so folder permissions are tested natively only.
#
# One case alone:   FAULT_ONLY=<case> bash tests/e2e/wine_faults.sh
source "$(dirname "$0")/lib_wine.sh"
source "$(dirname "$0")/lib_faults.sh"

# The Windows name of a path: drive Z: is the host's root.
winepath_of() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }

RECORDER=$(winepath_of "$BELEGBOTE_HELPERS/recorder.exe")
ONLY=${FAULT_ONLY:-}

wanted() { [ -z "$ONLY" ] || [ "$ONLY" = "$1" ]; }
# WM_CLOSE to the host window; one instance runs at a time.
request_close() { helper window_probe post WindowClass_0 0x0010 0 0 >/dev/null; }
# The file names (without folder) the recorder was handed, sorted.
handed_names() { grep -o '|arg2=[^|]*' "$1" 2>/dev/null | sed 's|.*\\||' | sort | xargs; }

# start_watching <workdir>: starts the program there and waits for its window.
start_watching() {
    start_program "$1"
    helper window_probe wait WindowClass_0 30000 >/dev/null
}

# use_recorder <workdir> [exit code] [sleep ms]: the recorder's log in the
# working folder, and how it behaves.
use_recorder() {
    export BELEGBOTE_RECORD_LOG
    BELEGBOTE_RECORD_LOG=$(winepath_of "$1/recorder.log")
    export BELEGBOTE_RECORD_EXIT=${2:-0} BELEGBOTE_RECORD_SLEEP_MS=${3:-0}
}

case_program_fails() {
    echo "== the program ends with a crash's status: the file is deleted after it ended"
    local wd in
    wd=$(new_workdir fails) in="$wd/eingang"
    mkdir "$in"
    echo a >"$in/absturz.pdf"
    echo b >"$in/fehler.pdf"
    write_ini "$wd" "$RECORDER" eingang '*.pdf' 100 0
    # STATUS_ACCESS_VIOLATION: what an ended process reports after a crash.
    use_recorder "$wd" -1073741819
    start_watching "$wd"
    wait_for 20 gone "$in/absturz.pdf" "$in/fehler.pdf"
    expect "each handed off once" "absturz.pdf fehler.pdf" "$(handed_names "$wd/recorder.log")"
    expect "each still there when its program ended" 2 "$(grep -c '^end|exists=1' "$wd/recorder.log")"
    expect "both deleted afterwards" "" "$(ls "$in")"
    stop_program "$PROGRAM_PID"
}

case_folder_vanishes() {
    echo "== the watched folder is moved away, replaced by a file, brought back"
    local wd in log before
    wd=$(new_workdir vanishing) in="$wd/eingang" log="$wd/recorder.log"
    mkdir "$in"
    for name in a b c; do echo "$name" >"$in/$name.pdf"; done
    write_ini "$wd" "$RECORDER" eingang '*.pdf' 100 0
    use_recorder "$wd" 0 1000
    start_watching "$wd"

    wait_for 15 starts_reach "$log" 1
    mv "$in" "$wd/weg"
    wait_for 10 ends_reach "$log" 1
    sleep 1.5
    expect "moved away: no further hand-off" 1 "$(starts "$log")"
    expect "moved away: every file kept" "a.pdf b.pdf c.pdf" "$(ls "$wd/weg" | xargs)"

    printf 'kein Ordner' >"$in"
    before=$(fingerprint "$in")
    sleep 1.5
    expect "replaced by a file: the file left alone" "$before" "$(fingerprint "$in")"
    expect "replaced by a file: no hand-off" 1 "$(starts "$log")"
    rm "$in"
    mv "$wd/weg" "$in"
    wait_for 20 gone "$in"/{a,b,c}.pdf
    # The file whose hand-off was under way is handed off again, not lost.
    expect "moved back: every file handed off" "a.pdf a.pdf b.pdf c.pdf" "$(handed_names "$log")"
    expect "moved back: every file deleted after its hand-off" "" "$(ls "$in")"
    stop_program "$PROGRAM_PID"
}

case_names() {
    echo "== hostile file names reach the program as one argument each"
    local wd in log name names odd handed=0 folder
    wd=$(new_workdir names) in="$wd/eingang" log="$wd/recorder.log"
    folder=$(winepath_of "$in")
    mkdir "$in"
    names=("Rechnung 7 .pdf" "-rf.pdf" '$(touch pwned).pdf' '`touch pwned`.pdf' 'a;b&c.pdf'
        "it's.pdf" '%PATH%.pdf' '^caret!.pdf' '(klammer) [x].pdf')
    # Names Windows cannot hold: Wine lists them under a made-up short name.
    odd=('x" -b "y.pdf' 'p|q.pdf' 'stern*.pdf' 'back\slash.pdf')
    for name in "${names[@]}" "${odd[@]}"; do printf '%s' "$name" >"$in/$name"; done
    write_ini "$wd" "$RECORDER" "$folder" '*.pdf' 100 0
    use_recorder "$wd"
    start_watching "$wd"
    wait_for 40 starts_reach "$log" $((${#names[@]} + ${#odd[@]}))
    wait_for 5 gone "$in"/*
    for name in "${names[@]}"; do
        local path="$folder\\$name"
        if [ "$(grep -cxF "cmdline=\"$RECORDER\" /a \"$path\"|argc=3|arg1=/a|arg2=$path|exists=1|size=${#name}|cwd=$(winepath_of "$wd")" "$log")" -eq 1 ]; then
            handed=$((handed + 1))
        else
            echo "not handed off exactly once as one argument: [$name]"
        fi
    done
    expect "each name handed off once, as one argument, command line exact" ${#names[@]} "$handed"
    # Those go by their short name: one argument without a quote, naming the
    # file (each file holds its own name, so the sizes tell which was seen).
    expect "unrepresentable names: by short name, one argument each, the right file" \
        "$(for name in "${odd[@]}"; do echo "${#name}"; done | sort -n | xargs)" \
        "$(grep -F "|argc=3|arg1=/a|arg2=$folder\\" "$log" | grep '~[^\\|"]*|exists=1|' |
            sed 's/.*|size=\([0-9]*\)|.*/\1/' | sort -n | xargs)"
    expect "no other hand-off" $((${#names[@]} + ${#odd[@]})) "$(starts "$log")"
    expect "every file deleted after its hand-off" "" "$(ls -A "$in")"
    expect "no shell ran: nothing named pwned anywhere" "" "$(find "$E2E_WORK" -name 'pwned*')"
    stop_program "$PROGRAM_PID"
}

case_read_only() {
    echo "== a read-only file: deletion refused, retried for 5 s, left, not handed off again"
    local wd in log before
    wd=$(new_workdir read-only) in="$wd/eingang" log="$wd/recorder.log"
    mkdir "$in"
    echo r >"$in/r.pdf"
    chmod a-w "$in/r.pdf"  # Wine shows this as the read-only attribute
    before=$(fingerprint "$in/r.pdf")
    write_ini "$wd" "$RECORDER" eingang '*.pdf' 100 0
    use_recorder "$wd"
    start_watching "$wd"
    wait_for 15 ends_reach "$log" 1
    sleep 7.5
    expect "handed off once in this run" 1 "$(starts "$log")"
    expect "left in place unchanged" "$before" "$(fingerprint "$in/r.pdf")"
    # A changed file is a new file: handed off again, and deleted now that it may be.
    chmod u+w "$in/r.pdf"
    echo "r, neu" >"$in/r.pdf"
    wait_for 10 gone "$in/r.pdf"
    expect "changed and writable: handed off again and deleted" "2 gone" \
        "$(starts "$log") $(gone "$in/r.pdf" && echo gone)"
    stop_program "$PROGRAM_PID"
}

case_killed() {
    echo "== the watcher is killed during a hand-off: the file stays for the next run"
    local wd in log before
    wd=$(new_workdir killed) in="$wd/eingang" log="$wd/recorder.log"
    mkdir "$in"
    echo k >"$in/k.pdf"
    before=$(fingerprint "$in/k.pdf")
    write_ini "$wd" "$RECORDER" eingang '*.pdf' 100 0
    use_recorder "$wd" 0 2000
    start_watching "$wd"
    wait_for 15 starts_reach "$log" 1
    kill -KILL "$PROGRAM_PID"
    wait_program 5 2>/dev/null  # no "Killed" report
    wait_for 10 ends_reach "$log" 1
    helper window_probe gone WindowClass_0 10000 >/dev/null
    expect "after the kill the file is still there, unchanged" "$before" "$(fingerprint "$in/k.pdf")"
    use_recorder "$wd"
    start_watching "$wd"
    wait_for 15 gone "$in/k.pdf"
    expect "the next run hands it off again and deletes it" "2 gone" \
        "$(starts "$log") $(gone "$in/k.pdf" && echo gone)"
    stop_program "$PROGRAM_PID"
}

# config_dir <name>: a working folder with eingang/x.pdf.
config_dir() {
    local wd
    wd=$(new_workdir "$1")
    mkdir "$wd/eingang"
    echo x >"$wd/eingang/x.pdf"
    printf '%s' "$wd"
}

case_config_nul() {
    echo "== NUL bytes in the configuration: ordinary bytes; a program text cut short starts nothing"
    local plain program before
    plain=$(config_dir nul-elsewhere) program=$(config_dir nul-program)
    printf '[Allgemein]\0Rest\r\n; Kommentar \0\r\nSchl\0ssel=\0\r\nProgramm=%s\r\nScanPfad=eingang\r\nScanDateiType=*.pdf\r\nScanTimer=100\r\nWarteTimer=0\r\n' \
        "$RECORDER" >"$plain/Belegbote.ini"
    # Cut at the NUL, the command line would start the program without the path.
    printf '[Allgemein]\r\nProgramm=%s\0 /x "\r\nScanPfad=eingang\r\nScanDateiType=*.pdf\r\nScanTimer=100\r\nWarteTimer=0\r\n' \
        "$RECORDER" >"$program/Belegbote.ini"
    before=$(fingerprint "$program/eingang/x.pdf")
    use_recorder "$plain"
    start_watching "$plain"
    wait_for 15 gone "$plain/eingang/x.pdf"
    expect "NUL elsewhere: handed off and deleted" "1 gone" \
        "$(starts "$plain/recorder.log") $(gone "$plain/eingang/x.pdf" && echo gone)"
    stop_program "$PROGRAM_PID"
    use_recorder "$program"
    start_watching "$program"
    sleep 3
    expect "NUL in the program: nothing started, the file unchanged" "0 $before" \
        "$(starts "$program/recorder.log") $(fingerprint "$program/eingang/x.pdf")"
    stop_program "$PROGRAM_PID"
}

case_config_utf16() {
    echo "== a UTF-16 configuration: every value its default, nothing deleted"
    local wd before
    wd=$(config_dir utf16)
    echo y >"$wd/y.pdf"
    write_ini "$wd" "$RECORDER" eingang '*.pdf' 100 0
    iconv -f UTF-8 -t UTF-16 "$wd/Belegbote.ini" >"$wd/utf16" && mv "$wd/utf16" "$wd/Belegbote.ini"
    before=$(for file in "$wd"/Belegbote.ini "$wd"/y.pdf "$wd"/eingang/x.pdf; do fingerprint "$file"; done)
    use_recorder "$wd"
    start_watching "$wd"
    sleep 3
    expect "no program started" 0 "$(starts "$wd/recorder.log")"
    expect "every file unchanged" "$before" \
        "$(for file in "$wd"/Belegbote.ini "$wd"/y.pdf "$wd"/eingang/x.pdf; do fingerprint "$file"; done)"
    stop_program "$PROGRAM_PID"
}

case_config_huge() {
    echo "== a 64 MB configuration of short lines: the watcher still starts within seconds"
    local wd started before
    wd=$(config_dir huge)
    {
        { yes 'Zeile=1' || true; } | head -c $((64 * 1024 * 1024))  # yes ends on SIGPIPE
        printf '[Allgemein]\r\nProgramm=%s\r\nScanPfad=eingang\r\nScanDateiType=*.pdf\r\nScanTimer=100\r\nWarteTimer=0\r\n' \
            "$RECORDER"
    } >"$wd/Belegbote.ini"
    before=$(fingerprint "$wd/Belegbote.ini")
    use_recorder "$wd"
    started=$SECONDS
    start_program "$wd"
    wait_for 30 starts_reach "$wd/recorder.log" 1
    # Reading, one tick, 1 s of signal, and Wine's own start of two programs.
    echo "(first hand-off after $((SECONDS - started)) s)"
    expect "first hand-off began within 15 s" yes "$([ $((SECONDS - started)) -le 15 ] && echo yes)"
    wait_for 5 gone "$wd/eingang/x.pdf"
    expect "the file handed off and deleted" "1 gone" \
        "$(starts "$wd/recorder.log") $(gone "$wd/eingang/x.pdf" && echo gone)"
    stop_program "$PROGRAM_PID"
    expect "configuration unchanged" "$before" "$(fingerprint "$wd/Belegbote.ini")"
}

case_config_directory() {
    echo "== a folder named Belegbote.ini: the template branch says so and touches nothing"
    local wd before boxes
    wd=$(config_dir ini-folder)
    mkdir "$wd/Belegbote.ini"
    echo inside >"$wd/Belegbote.ini/inhalt.txt"
    before=$(cd "$wd" && find . -exec stat -c '%n %s %Y' {} + | sort)
    start_program "$wd"
    boxes=$(cd "$wd" && helper msgbox_answer 2 60000 Belegbote.ini)
    wait_program 30
    expect "exit code" 0 "$PROGRAM_RC"
    expect "second message: the template could not be written" \
        "title=$(hex "$TITLE_PROBLEM") text=$(hex "$TEXT_NOT_WRITTEN")" \
        "$(sed -n 2p <<<"$boxes" | sed 's/ file=.*//')"
    expect "nothing touched" "$before" "$(cd "$wd" && find . -exec stat -c '%n %s %Y' {} + | sort)"
}

wanted fails && case_program_fails
wanted vanishes && case_folder_vanishes
wanted names && case_names
wanted readonly && case_read_only
wanted killed && case_killed
wanted nul && case_config_nul
wanted utf16 && case_config_utf16
wanted huge && case_config_huge
wanted directory && case_config_directory
finish
