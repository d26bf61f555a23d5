#!/usr/bin/env bash
# Faults around the native program: a program that fails, a watched folder
# that vanishes or cannot be read, hostile file names, many files, a file
# that cannot be deleted, a killed watcher, odd configuration files. Each
# case checks that no file is lost or changed that should not be.
#
# One case alone:   FAULT_ONLY=<case> bash tests/e2e/native_faults.sh
# The long run of many files in one tick (about 21 minutes for 1000):
#   FAULT_ONLY=many FAULT_MANY=1000 BELEGBOTE_EXE=build/native/belegbote \
#       BELEGBOTE_HELPERS=build/native/tests bash tests/e2e/native_faults.sh
source "$(dirname "$0")/lib_native.sh"
source "$(dirname "$0")/lib_faults.sh"

RECORDER="$BELEGBOTE_HELPERS/recorder"
MANY=${FAULT_MANY:-20}
ONLY=${FAULT_ONLY:-}

request_close() { kill -TERM "$1" 2>/dev/null || true; }
wanted() { [ -z "$ONLY" ] || [ "$ONLY" = "$1" ]; }
# The file names (without folder) the recorder was handed, sorted.
handed_names() { grep -o '|arg2=[^|]*' "$1" 2>/dev/null | sed 's|.*/||' | sort | xargs; }

# Permissions do not bind root: the cases that need them run the program as
# nobody. UNPRIVILEGED is empty when that is not possible.
UNPRIVILEGED=()
if [ "$(id -u)" -ne 0 ]; then
    UNPRIVILEGED=(env)
elif command -v setpriv >/dev/null; then
    UNPRIVILEGED=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi

# start_unprivileged <workdir>: like start_program, as nobody when root.
start_unprivileged() {
    chmod o+x "$E2E_WORK"
    [ "$(id -u)" -eq 0 ] && chown -R 65534:65534 "$1"
    (cd "$1" && exec "${UNPRIVILEGED[@]}" "$BELEGBOTE_EXE") </dev/null >"$1.out" 2>"$1.err" &
    PROGRAM_PID=$!
    E2E_CLEANUPS+=("kill -KILL $PROGRAM_PID 2>/dev/null")
}

case_program_fails() {
    echo "== the program crashes or exits non-zero: the file is deleted after it ended"
    local wd in log pid
    wd=$(new_workdir fails) in="$wd/eingang" log="$wd/recorder.log"
    mkdir "$in"
    cat >"$wd/programm.sh" <<EOF
#!/bin/sh
"$RECORDER" "\$@"
ulimit -c 0
case "\$2" in
    *absturz*) kill -SEGV \$\$ ;;
    *fehler*) exit 3 ;;
esac
EOF
    chmod +x "$wd/programm.sh"
    echo a >"$in/absturz.pdf"
    echo b >"$in/fehler.pdf"
    age "$in"/*
    write_ini "$wd" "$wd/programm.sh" "$in" '*.pdf' 100 0
    export BELEGBOTE_RECORD_LOG=$log BELEGBOTE_RECORD_SLEEP_MS=0
    start_program "$wd"
    pid=$PROGRAM_PID
    wait_for 15 gone "$in/absturz.pdf" "$in/fehler.pdf"
    expect "each handed off once" "absturz.pdf fehler.pdf" "$(handed_names "$log")"
    expect "each still there when its program ended" 2 "$(grep -c '^end|exists=1' "$log")"
    expect "both deleted afterwards" "" "$(ls "$in")"
    expect "the watcher goes on" yes "$(running "$pid" && echo yes)"
    stop_program "$pid"
}

case_folder_vanishes() {
    echo "== the watched folder is moved away, deleted, replaced by a file during a scan"
    local wd in log pid before
    wd=$(new_workdir vanishing) in="$wd/eingang" log="$wd/recorder.log"
    mkdir "$in"
    for name in a b c; do echo "$name" >"$in/$name.pdf"; done
    age "$in"/*
    write_ini "$wd" "$RECORDER" "$in" '*.pdf' 100 0
    export BELEGBOTE_RECORD_LOG=$log BELEGBOTE_RECORD_SLEEP_MS=700
    start_program "$wd"
    pid=$PROGRAM_PID

    wait_for 10 starts_reach "$log" 1
    mv "$in" "$wd/weg"
    wait_for 10 ends_reach "$log" 1
    sleep 1.5  # the deletion, the rest of the listing, ticks without the folder
    expect "moved away: no further hand-off" 1 "$(starts "$log")"
    expect "moved away: every file kept" "a.pdf b.pdf c.pdf" "$(ls "$wd/weg" | xargs)"
    mv "$wd/weg" "$in"
    wait_for 20 gone "$in"/{a,b,c}.pdf
    # The file whose hand-off was under way is handed off again, not lost.
    expect "moved back: every file handed off" "a.pdf a.pdf b.pdf c.pdf" "$(handed_names "$log")"
    expect "moved back: every file deleted after its hand-off" "" "$(ls "$in")"

    echo d >"$in/d.pdf"
    echo e >"$in/e.pdf"
    age "$in"/*
    wait_for 10 starts_reach "$log" 5
    rm -rf "$in"
    wait_for 10 ends_reach "$log" 5
    sleep 1.5
    expect "deleted: nothing handed off that went with the folder" 5 "$(starts "$log")"
    expect "deleted: the watcher goes on" yes "$(running "$pid" && echo yes)"

    printf 'kein Ordner' >"$in"
    age "$in"
    before=$(fingerprint "$in")
    sleep 1.5
    expect "replaced by a file: the file left alone" "$before" "$(fingerprint "$in")"
    expect "replaced by a file: no hand-off" 5 "$(starts "$log")"
    rm "$in"
    mkdir "$in"
    echo f >"$in/f.pdf"
    age "$in/f.pdf"
    wait_for 10 gone "$in/f.pdf"
    expect "folder back: its new file handed off" 6 "$(starts "$log")"
    expect "the watcher never stopped" yes "$(running "$pid" && echo yes)"
    stop_program "$pid"
}

# Both permission cases run at the same time; their checks follow.
case_permissions() {
    echo "== a folder without read permission; a file in a folder without write permission"
    if [ ${#UNPRIVILEGED[@]} -eq 0 ]; then
        echo "skip: running as root without setpriv, permissions cannot be tested"
        return 0
    fi
    local closed shut closed_pid shut_pid closed_before shut_before
    closed=$(new_workdir unreadable) shut=$(new_workdir undeletable)
    mkdir "$closed/eingang" "$shut/eingang"
    echo x >"$closed/eingang/x.pdf"
    echo y >"$shut/eingang/y.pdf"
    age "$closed/eingang/x.pdf" "$shut/eingang/y.pdf"
    write_ini "$closed" "$RECORDER" eingang '*.pdf' 100 0
    write_ini "$shut" "$RECORDER" eingang '*.pdf' 100 0
    export BELEGBOTE_RECORD_LOG=recorder.log BELEGBOTE_RECORD_SLEEP_MS=0
    chmod 0300 "$closed/eingang"  # may be entered, not listed
    chmod 0555 "$shut/eingang"    # may be listed, nothing in it deleted
    closed_before=$(fingerprint "$closed/eingang/x.pdf")
    shut_before=$(fingerprint "$shut/eingang/y.pdf")
    start_unprivileged "$closed"
    closed_pid=$PROGRAM_PID
    start_unprivileged "$shut"
    shut_pid=$PROGRAM_PID

    wait_for 10 ends_reach "$shut/recorder.log" 1
    # Refused deletions are retried for 5 s; then the file stays, set aside.
    sleep 7.5
    expect "unreadable: nothing handed off" 0 "$(starts "$closed/recorder.log")"
    expect "unreadable: the file unchanged" "$closed_before" "$(fingerprint "$closed/eingang/x.pdf")"
    expect "undeletable: handed off once in this run" 1 "$(starts "$shut/recorder.log")"
    expect "undeletable: left in place unchanged" "$shut_before" "$(fingerprint "$shut/eingang/y.pdf")"
    stop_program "$closed_pid"

    # A changed file is a new file: once the folder allows it, it is handed
    # off again and deleted.
    chmod 0755 "$shut/eingang"
    touch -d '-4 seconds' "$shut/eingang/y.pdf"
    wait_for 10 gone "$shut/eingang/y.pdf"
    expect "undeletable, then changed: handed off again and deleted" "2 gone" \
        "$(starts "$shut/recorder.log") $(gone "$shut/eingang/y.pdf" && echo gone)"
    stop_program "$shut_pid"
}

case_names() {
    echo "== hostile file names reach the program as one argument each, and no shell"
    local wd in log pid name names skipped before handed=0 bare bare_pid
    wd=$(new_workdir names) in="$wd/eingang" log="$wd/recorder.log"
    mkdir "$in"
    names=("Rechnung 7 .pdf" "-rf.pdf" "--help" '$(touch pwned).pdf' '`touch pwned`.pdf'
        'a;b&c|d.pdf' '*.pdf' "it's.pdf" $'tab\there.pdf' 'back\slash.pdf' '%PATH%.pdf'
        '> umleitung.pdf' '$HOME')
    # No safe quoting exists for these: they are set aside, left unchanged.
    # (A POSIX name cannot hold the slash of 'x" /b "y.pdf'.)
    skipped=('x" -b "y.pdf' 'x" \b "y.pdf' 'ende\')
    for name in "${names[@]}" "${skipped[@]}"; do printf '%s' "$name" >"$in/$name"; done
    age "$in"/*
    before=$(for name in "${skipped[@]}"; do fingerprint "$in/$name"; done)
    write_ini "$wd" "$RECORDER" "$in" '*' 100 0
    export BELEGBOTE_RECORD_LOG=$log BELEGBOTE_RECORD_SLEEP_MS=0
    start_program "$wd"
    pid=$PROGRAM_PID

    # An empty folder text: the path starts with "./", never with the dash.
    bare=$(new_workdir bare)
    echo r >"$bare/-rf.pdf"
    age "$bare/-rf.pdf"
    write_ini "$bare" "$RECORDER" '' '*.pdf' 100 0
    export BELEGBOTE_RECORD_LOG=$bare/recorder.log
    start_program "$bare"
    bare_pid=$PROGRAM_PID

    wait_for 30 starts_reach "$log" ${#names[@]}
    wait_for 5 gone "$bare/-rf.pdf"
    sleep 1  # the last deletion, and ticks that must not take the skipped ones
    for name in "${names[@]}"; do
        if [ "$(grep -cF "|argc=3|arg1=/a|arg2=$in/$name|exists=1|" "$log")" -eq 1 ]; then
            handed=$((handed + 1))
        else
            echo "not handed off exactly once as one argument: [$name]"
        fi
    done
    expect "each name handed off once, exactly, as one argument" ${#names[@]} "$handed"
    expect "no other hand-off" ${#names[@]} "$(starts "$log")"
    expect "handed-off files deleted, the unquotable ones kept" \
        "$(printf '%s\n' "${skipped[@]}" | sort)" "$(ls -A "$in" | sort)"
    expect "the unquotable ones unchanged" "$before" \
        "$(for name in "${skipped[@]}"; do fingerprint "$in/$name"; done)"
    expect "no shell ran: nothing named pwned anywhere" "" "$(find "$E2E_WORK" -name 'pwned*')"
    expect "empty folder text: the path begins with ./" 1 \
        "$(grep -cF '|argc=3|arg1=/a|arg2=./-rf.pdf|exists=1|' "$bare/recorder.log")"
    stop_program "$pid"
    stop_program "$bare_pid"
}

MANY_PID= MANY_DIR=
start_many() {
    echo "== $MANY matching files in one tick (checked at the end)"
    local i
    MANY_DIR=$(new_workdir many)
    mkdir "$MANY_DIR/eingang"
    for i in $(seq -w "$MANY"); do echo "$i" >"$MANY_DIR/eingang/beleg-$i.pdf"; done
    age "$MANY_DIR"/eingang/*
    write_ini "$MANY_DIR" "$RECORDER" "$MANY_DIR/eingang" '*.pdf' 100 0
    export BELEGBOTE_RECORD_LOG=$MANY_DIR/recorder.log BELEGBOTE_RECORD_SLEEP_MS=0
    start_program "$MANY_DIR"
    MANY_PID=$PROGRAM_PID
}

check_many() {
    echo "== $MANY matching files in one tick"
    local log=$MANY_DIR/recorder.log
    wait_for $((MANY * 2 + 10)) gone "$MANY_DIR"/eingang/*.pdf
    expect "every file handed off exactly once" \
        "$(seq -w "$MANY" | sed 's/.*/beleg-&.pdf/' | xargs)" "$(handed_names "$log")"
    expect "each still there when its program ended" "$MANY" "$(grep -c '^end|exists=1' "$log")"
    expect "every file deleted" "" "$(ls -A "$MANY_DIR/eingang")"
    stop_program "$MANY_PID"
}

case_killed() {
    echo "== the watcher is killed (SIGKILL) during a hand-off: the file stays for the next run"
    local wd in log before
    wd=$(new_workdir killed) in="$wd/eingang" log="$wd/recorder.log"
    mkdir "$in"
    echo k >"$in/k.pdf"
    age "$in/k.pdf"
    before=$(fingerprint "$in/k.pdf")
    write_ini "$wd" "$RECORDER" "$in" '*.pdf' 100 0
    export BELEGBOTE_RECORD_LOG=$log BELEGBOTE_RECORD_SLEEP_MS=1500
    start_program "$wd"
    wait_for 10 starts_reach "$log" 1
    kill -KILL "$PROGRAM_PID"
    wait_program 5 2>/dev/null  # no "Killed" report
    wait_for 10 ends_reach "$log" 1
    expect "after the kill the file is still there, unchanged" "$before" "$(fingerprint "$in/k.pdf")"
    export BELEGBOTE_RECORD_SLEEP_MS=0
    start_program "$wd"
    wait_for 10 gone "$in/k.pdf"
    expect "the next run hands it off again and deletes it" "2 gone" \
        "$(starts "$log") $(gone "$in/k.pdf" && echo gone)"
    stop_program "$PROGRAM_PID"
}

# config_dir <name>: a working folder with eingang/x.pdf and the recorder log.
config_dir() {
    local wd
    wd=$(new_workdir "$1")
    mkdir "$wd/eingang"
    echo x >"$wd/eingang/x.pdf"
    age "$wd/eingang/x.pdf" "$wd/eingang"
    printf '%s' "$wd"
}

case_config_nul() {
    echo "== NUL bytes in the configuration: ordinary bytes; a text cut short names nothing"
    local plain folder program pids=() wd before
    plain=$(config_dir nul-elsewhere) folder=$(config_dir nul-folder) program=$(config_dir nul-program)
    printf '[Allgemein]\0Rest\r\n; Kommentar \0\r\nSchl\0ssel=\0\r\nProgramm=%s\r\nScanPfad=eingang\r\nScanDateiType=*.pdf\r\nScanTimer=100\r\nWarteTimer=0\r\n' \
        "$RECORDER" >"$plain/Belegbote.ini"
    printf '[Allgemein]\r\nProgramm=%s\r\nScanPfad=eingang\0anders\r\nScanDateiType=*.pdf\r\nScanTimer=100\r\nWarteTimer=0\r\n' \
        "$RECORDER" >"$folder/Belegbote.ini"
    printf '[Allgemein]\r\nProgramm=%s\0anders\r\nScanPfad=eingang\r\nScanDateiType=*.pdf\r\nScanTimer=100\r\nWarteTimer=0\r\n' \
        "$RECORDER" >"$program/Belegbote.ini"
    before=$(fingerprint "$folder/eingang/x.pdf")$(fingerprint "$program/eingang/x.pdf")
    export BELEGBOTE_RECORD_LOG=recorder.log BELEGBOTE_RECORD_SLEEP_MS=0
    for wd in "$plain" "$folder" "$program"; do
        start_program "$wd"
        pids+=("$PROGRAM_PID")
    done
    wait_for 10 gone "$plain/eingang/x.pdf"
    sleep 1.5
    expect "NUL elsewhere: handed off and deleted" "1 gone" \
        "$(starts "$plain/recorder.log") $(gone "$plain/eingang/x.pdf" && echo gone)"
    expect "NUL in the folder: nothing listed; NUL in the program: nothing started" "0 0" \
        "$(starts "$folder/recorder.log") $(starts "$program/recorder.log")"
    expect "both files unchanged" "$before" \
        "$(fingerprint "$folder/eingang/x.pdf")$(fingerprint "$program/eingang/x.pdf")"
    for pid in "${pids[@]}"; do stop_program "$pid"; done
}

case_config_utf16() {
    echo "== a UTF-16 configuration: every value its default, nothing deleted"
    local wd before
    wd=$(config_dir utf16)
    echo y >"$wd/y.pdf"
    write_ini "$wd" "$RECORDER" eingang '*.pdf' 100 0
    iconv -f UTF-8 -t UTF-16 "$wd/Belegbote.ini" >"$wd/utf16" && mv "$wd/utf16" "$wd/Belegbote.ini"
    age "$wd"/* "$wd"/eingang/*
    before=$(for file in "$wd"/Belegbote.ini "$wd"/y.pdf "$wd"/eingang/x.pdf; do fingerprint "$file"; done)
    export BELEGBOTE_RECORD_LOG=$wd/recorder.log BELEGBOTE_RECORD_SLEEP_MS=0
    start_program "$wd"
    # The defaults list the working folder with *.*: each file is flashed
    # for, but with no program nothing is started or deleted.
    sleep 3
    expect "no program started" 0 "$(starts "$wd/recorder.log")"
    expect "every file unchanged" "$before" \
        "$(for file in "$wd"/Belegbote.ini "$wd"/y.pdf "$wd"/eingang/x.pdf; do fingerprint "$file"; done)"
    stop_program "$PROGRAM_PID"
}

case_config_huge() {
    echo "== a 64 MB configuration of short lines: the watcher still starts within seconds"
    local wd started=$SECONDS before
    wd=$(config_dir huge)
    {
        { yes 'Zeile=1' || true; } | head -c $((64 * 1024 * 1024))  # yes ends on SIGPIPE
        printf '[Allgemein]\r\nProgramm=%s\r\nScanPfad=eingang\r\nScanDateiType=*.pdf\r\nScanTimer=100\r\nWarteTimer=0\r\n' \
            "$RECORDER"
    } >"$wd/Belegbote.ini"
    before=$(fingerprint "$wd/Belegbote.ini")
    export BELEGBOTE_RECORD_LOG=$wd/recorder.log BELEGBOTE_RECORD_SLEEP_MS=0
    started=$SECONDS
    start_program "$wd"
    wait_for 20 starts_reach "$wd/recorder.log" 1
    # The first hand-off begins after reading, one tick and 1 s of signal.
    echo "(first hand-off after $((SECONDS - started)) s)"
    expect "first hand-off began within 10 s" yes "$([ $((SECONDS - started)) -le 10 ] && echo yes)"
    wait_for 5 gone "$wd/eingang/x.pdf"
    expect "the file handed off and deleted" "1 gone" \
        "$(starts "$wd/recorder.log") $(gone "$wd/eingang/x.pdf" && echo gone)"
    stop_program "$PROGRAM_PID"
    expect "configuration unchanged" "$before" "$(fingerprint "$wd/Belegbote.ini")"
}

case_config_directory() {
    echo "== a folder named Belegbote.ini: the template branch says so and touches nothing"
    local wd before
    wd=$(config_dir ini-folder)
    mkdir "$wd/Belegbote.ini"
    echo inside >"$wd/Belegbote.ini/inhalt.txt"
    before=$(cd "$wd" && find . -exec stat -c '%n %s %Y' {} + | sort)
    start_program "$wd"
    wait_program 10
    expect "exit code" 0 "$PROGRAM_RC"
    expect "the problem is said" 2 "$(grep -c "^$TITLE_PROBLEM\$" "$wd.err")"
    expect "nothing touched" "$before" "$(cd "$wd" && find . -exec stat -c '%n %s %Y' {} + | sort)"
}

wanted many && start_many
wanted fails && case_program_fails
wanted vanishes && case_folder_vanishes
wanted permissions && case_permissions
wanted names && case_names
wanted killed && case_killed
wanted nul && case_config_nul
wanted utf16 && case_config_utf16
wanted huge && case_config_huge
wanted directory && case_config_directory
wanted many && check_many
finish
