#!/usr/bin/env bash
# Start-up and shutdown of the Windows program as a user meets them.
source "$(dirname "$0")/lib_wine.sh"

echo "== no configuration: two messages, the template, exit 0"
wd=$(new_workdir template)
start_program "$wd"
boxes=$(cd "$wd" && helper msgbox_answer 2 60000 Belegbote.ini)
wait_program 30
expect "exit code" 0 "$PROGRAM_RC"
expect "first message" \
    "title=$(hex "$TITLE_PROBLEM") text=$(hex "$TEXT_NOT_FOUND") file=0 hostwindow=0" \
    "$(sed -n 1p <<<"$boxes")"
expect "second message" \
    "title=$(hex "$TITLE_NOTICE") text=$(hex "$TEXT_WRITTEN") file=1 hostwindow=0" \
    "$(sed -n 2p <<<"$boxes")"
expect "template bytes" "$(template_bytes | od -An -v -tx1 | tr -d ' \n')" \
    "$(hex_file "$wd/Belegbote.ini" 2>/dev/null || echo missing)"

echo "== configuration present: hidden host window, WM_CLOSE ends it"
wd=$(new_workdir running)
mkdir "$wd/eingang"
write_ini "$wd" 'C:\nirgends\programm.exe' 'eingang' '*.pdf' 1000 0
touch -d '2020-01-02 03:04:05' "$wd/Belegbote.ini"
before=$(fingerprint "$wd/Belegbote.ini")
start_program "$wd"
expect "host window, never shown" "title=$(hex "$TITLE") visible=0" \
    "$(helper window_probe wait WindowClass_0 30000)"
sleep 1.5
expect "still running after a few scans" "yes" "$(kill -0 $PROGRAM_PID 2>/dev/null && echo yes)"
helper window_probe post WindowClass_0 0x0010 0 0 >/dev/null
wait_program 20
expect "exit code after WM_CLOSE" 0 "$PROGRAM_RC"
expect "configuration unchanged" "$before" "$(fingerprint "$wd/Belegbote.ini")"

finish
