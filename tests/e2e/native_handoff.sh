#!/usr/bin/env bash
# The native program's core job on real folders, with the recorder as the
# program each file is handed to.
source "$(dirname "$0")/lib_native.sh"

RECORDER="$BELEGBOTE_HELPERS/recorder"

# until_gone <timeout-s> <files...>: waits until none of the files exists.
until_gone() {
    local limit=$(($1 * 10)) waited=0 file
    shift
    while [ "$waited" -lt "$limit" ]; do
        for file in "$@"; do [ -e "$file" ] && break; done
        [ -e "$file" ] || return 0
        sleep 0.1
        waited=$((waited + 1))
    done
}

# start lines of the recorder's log, without the folder part that varies.
started() { grep -v '^end|' "$1" 2>/dev/null | sed 's/|size=[0-9]*//; s/|cwd=.*//' || true; }

stop_program() {
    kill -TERM "$PROGRAM_PID"
    wait_program 10
    expect "exit code after SIGTERM" 0 "$PROGRAM_RC"
}

echo "== three matching files in one tick; the rest untouched"
wd=$(new_workdir three)
in="$wd/eingang"
mkdir -p "$in/ordner.pdf"
for name in "Rechnung 7.pdf" "BRIEF.PDF" "a.pdf" "notiz.txt"; do echo "$name" > "$in/$name"; done
touch -d '-5 seconds' "$in"/*
write_ini "$wd" "$RECORDER" "$in" '*.pdf' 300 1000
before=$(fingerprint "$wd/Belegbote.ini")
export BELEGBOTE_RECORD_LOG="$wd/recorder.log" BELEGBOTE_RECORD_SLEEP_MS=200
start_program "$wd"
# Each file must still be there when its program has ended: the recorder's
# "end" line comes before the WarteTimer pause and the deletion.
still_there_at_end=""
for _ in $(seq 300); do
    ends=$(grep -c '^end|' "$wd/recorder.log" 2>/dev/null || true)
    if [ "${ends:-0}" -gt "$(wc -w <<<"$still_there_at_end")" ]; then
        last=$(grep -v '^end|' "$wd/recorder.log" | sed -n "${ends}p" | sed 's/.*|arg2=\([^|]*\)|.*/\1/')
        [ -e "$last" ] && still_there_at_end+="yes " || still_there_at_end+="no "
    fi
    [ "$(wc -w <<<"$still_there_at_end")" -ge 3 ] && break
    sleep 0.05
done
until_gone 15 "$in/Rechnung 7.pdf" "$in/BRIEF.PDF" "$in/a.pdf"
stop_program
expect "each file present after its program ended" "yes yes yes" "${still_there_at_end% }"
expect "recorder saw each file once, whole, as one argument" \
    "$(for name in "BRIEF.PDF" "Rechnung 7.pdf" "a.pdf"; do
        echo "cmdline=$RECORDER /a $in/$name|argc=3|arg1=/a|arg2=$in/$name|exists=1"; done)" \
    "$(started "$wd/recorder.log" | sort)"
expect "started in the program's working directory" "$wd" \
    "$(grep -v '^end|' "$wd/recorder.log" | sed 's/.*|cwd=//' | sort -u)"
expect "matching files gone" "" "$(ls "$in" | grep -i '\.pdf$' | grep -v '^ordner.pdf$' || true)"
expect "the rest untouched" "notiz.txt ordner.pdf" "$(ls "$in" | tr '\n' ' ' | sed 's/ $//')"
expect "configuration unchanged" "$before" "$(fingerprint "$wd/Belegbote.ini")"

echo "== a missing program: the file stays"
wd=$(new_workdir missing)
mkdir "$wd/eingang"
echo "Beleg" > "$wd/eingang/beleg.pdf"
touch -d '-5 seconds' "$wd/eingang/beleg.pdf"
kept=$(fingerprint "$wd/eingang/beleg.pdf")
write_ini "$wd" "$wd/nirgends/programm" "$wd/eingang" '*.pdf' 100 0
start_program "$wd"
sleep 3
expect "responsive after failed starts" "yes" "$(kill -0 "$PROGRAM_PID" 2>/dev/null && echo yes)"
stop_program
expect "file kept as it was" "$kept" "$(fingerprint "$wd/eingang/beleg.pdf")"

echo "== a watched folder that appears after start"
wd=$(new_workdir later)
write_ini "$wd" "$RECORDER" "$wd/spaeter" '*.pdf' 200 0
export BELEGBOTE_RECORD_LOG="$wd/recorder.log" BELEGBOTE_RECORD_SLEEP_MS=0
start_program "$wd"
sleep 0.6
mkdir "$wd/spaeter"
echo "x" > "$wd/spaeter/neu.pdf"
touch -d '-5 seconds' "$wd/spaeter/neu.pdf"
until_gone 10 "$wd/spaeter/neu.pdf"
stop_program
expect "handed off once the folder exists" "1" "$(started "$wd/recorder.log" | grep -c 'neu.pdf')"
expect "and deleted" "absent" "$([ -e "$wd/spaeter/neu.pdf" ] && echo present || echo absent)"

echo "== a name with a double quote is set aside; the others go on"
wd=$(new_workdir quote)
mkdir "$wd/eingang"
echo q > "$wd/eingang/x\" \"y.pdf"
echo ok > "$wd/eingang/ok.pdf"
touch -d '-5 seconds' "$wd/eingang/"*
write_ini "$wd" "$RECORDER" "$wd/eingang" '*.pdf' 200 0
export BELEGBOTE_RECORD_LOG="$wd/recorder.log"
start_program "$wd"
until_gone 10 "$wd/eingang/ok.pdf"
sleep 1
stop_program
expect "only the safe name was handed off" "arg2=$wd/eingang/ok.pdf" \
    "$(started "$wd/recorder.log" | grep -o 'arg2=[^|]*')"
expect "the quoted name is still there" "present" "$([ -e "$wd/eingang/x\" \"y.pdf" ] && echo present)"

echo "== no group Allgemein: defaults, and nothing is deleted"
wd=$(new_workdir nogroup)
printf '[Andere]\r\nProgramm=%s\r\n' "$RECORDER" > "$wd/Belegbote.ini"
for name in a.pdf b.txt; do echo "$name" > "$wd/$name"; done
touch -d '-5 seconds' "$wd"/*
listing=$(ls -A "$wd" | sort)
before=$(fingerprint "$wd/Belegbote.ini")
start_program "$wd"
sleep 3
stop_program
expect "every file still there" "$listing" "$(ls -A "$wd" | sort)"
expect "configuration unchanged" "$before" "$(fingerprint "$wd/Belegbote.ini")"

finish
