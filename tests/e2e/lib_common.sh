# Shared by every end-to-end script: a scratch folder, checks, and the
# expected texts and template bytes.
set -euo pipefail

: "${BELEGBOTE_EXE:?path of the program under test}"
: "${BELEGBOTE_HELPERS:?folder of the test helper programs}"

E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/belegbote-e2e.XXXXXX")
E2E_FAILURES=0
E2E_CLEANUPS=()

e2e_cleanup() {
    local step
    for step in "${E2E_CLEANUPS[@]}"; do eval "$step" || true; done
    rm -rf "$E2E_WORK"
}
trap e2e_cleanup EXIT

# expect <what> <expected> <actual>
expect() {
    if [ "$2" == "$3" ]; then
        echo "ok: $1"
    else
        echo "FAIL: $1"
        echo "  expected: $2"
        echo "  actual:   $3"
        E2E_FAILURES=$((E2E_FAILURES + 1))
    fi
}

finish() {
    if [ "$E2E_FAILURES" -ne 0 ]; then
        echo "$E2E_FAILURES check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}

hex() { printf '%s' "$1" | od -An -v -tx1 | tr -d ' \n'; }
hex_file() { od -An -v -tx1 "$1" | tr -d ' \n'; }
# Bytes and time of last change, to show that a file was left alone.
fingerprint() { printf '%s %s' "$(sha256sum < "$1" | cut -d' ' -f1)" "$(stat -c %Y.%y "$1")"; }

# wait_program <timeout-s>: sets PROGRAM_RC to the exit code of the program
# started last, or to "timeout". Not in a subshell: only this shell can wait.
wait_program() {
    local waited=0
    PROGRAM_RC=timeout
    while kill -0 "$PROGRAM_PID" 2>/dev/null; do
        [ "$waited" -ge $(($1 * 10)) ] && return 0
        sleep 0.1
        waited=$((waited + 1))
    done
    PROGRAM_RC=0
    wait "$PROGRAM_PID" || PROGRAM_RC=$?
}

# A fresh working directory with its own name.
new_workdir() {
    local dir="$E2E_WORK/$1"
    mkdir -p "$dir"
    printf '%s' "$dir"
}

# The texts the program shows, in Windows-1252.
TITLE='Belegbote V1.0'
TITLE_PROBLEM="$TITLE - Problem:"
TITLE_NOTICE="$TITLE - Meldung:"
TEXT_NOT_FOUND="'Belegbote.ini'-Datei konnte nicht gefunden werden!"
TEXT_WRITTEN=$(printf "'Belegbote.ini'-Datei wurde als Vorlage erzeugt!\r\rBitte Inhalt \xfcberpr\xfcfen/anpassen und Programm/Rechner neu starten!")

TEXT_NOT_WRITTEN=$(printf "'Belegbote.ini'-Datei konnte nicht als Vorlage erzeugt werden!\r\rBitte Schreibrechte im Arbeitsverzeichnis pr\xfcfen und Programm neu starten!")

template_bytes() {
    printf '[Allgemein]\r\nProgramm=C:\\Programme\\Microsoft Office\\Office14\\Outlook.exe\r\nScanPfad=C:\\Arbeitspuffer\r\nScanDateiType=*.pdf\r\nScanTimer=1000\r\nWarteTimer=1000\r\n'
}

# write_ini <dir> <programm> <scanpfad> <pattern> <scantimer> <wartetimer>
write_ini() {
    printf '[Allgemein]\r\nProgramm=%s\r\nScanPfad=%s\r\nScanDateiType=%s\r\nScanTimer=%s\r\nWarteTimer=%s\r\n' \
        "$2" "$3" "$4" "$5" "$6" > "$1/Belegbote.ini"
}
