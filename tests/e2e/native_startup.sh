#!/usr/bin/env bash
# Start-up and shutdown of the native program.
source "$(dirname "$0")/lib_native.sh"

echo "== no configuration: two messages, the template, exit 0"
wd=$(new_workdir template)
start_program "$wd"
wait_program 10
expect "exit code" 0 "$PROGRAM_RC"
expect "messages on stderr" \
    "$(terminal_text "$TITLE_PROBLEM"; terminal_text "$TEXT_NOT_FOUND"; terminal_text "$TITLE_NOTICE"; terminal_text "$TEXT_WRITTEN")" \
    "$(cat "$wd.err")"
expect "template bytes" "$(template_bytes | od -An -v -tx1 | tr -d ' \n')" "$(hex_file "$wd/Belegbote.ini")"

echo "== template cannot be written: the problem is said, not success"
wd=$(new_workdir blocked)
mkdir "$wd/Belegbote.ini"  # a folder of that name: neither read nor written
start_program "$wd"
wait_program 10
expect "exit code" 0 "$PROGRAM_RC"
expect "messages on stderr" \
    "$(terminal_text "$TITLE_PROBLEM"; terminal_text "$TEXT_NOT_FOUND"; terminal_text "$TITLE_PROBLEM"; terminal_text "$TEXT_NOT_WRITTEN")" \
    "$(cat "$wd.err")"
expect "the folder is left alone" "folder" "$([ -d "$wd/Belegbote.ini" ] && echo folder)"

for signal in TERM INT HUP; do
    echo "== configuration present: SIG$signal ends it with exit 0"
    wd=$(new_workdir "running-$signal")
    mkdir "$wd/eingang"
    write_ini "$wd" '/nirgends/programm' 'eingang' '*.pdf' 100 0
    touch -d '2020-01-02 03:04:05' "$wd/Belegbote.ini"
    before=$(fingerprint "$wd/Belegbote.ini")
    start_program "$wd"
    sleep 0.7
    expect "still running after a few scans" "yes" "$(kill -0 $PROGRAM_PID 2>/dev/null && echo yes)"
    kill -s "$signal" "$PROGRAM_PID"
    wait_program 10
expect "exit code" 0 "$PROGRAM_RC"
    expect "nothing on stderr" "" "$(cat "$wd.err")"
    expect "configuration unchanged" "$before" "$(fingerprint "$wd/Belegbote.ini")"
done

finish
