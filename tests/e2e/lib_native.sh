# The native program, run as a user runs it.
source "$(dirname "${BASH_SOURCE[0]}")/lib_common.sh"

# start_program <workdir>: stderr goes to <workdir>/../<name>.err
start_program() {
    (cd "$1" && exec "$BELEGBOTE_EXE") </dev/null >"$1.out" 2>"$1.err" &
    PROGRAM_PID=$!
    E2E_CLEANUPS+=("kill -KILL $PROGRAM_PID 2>/dev/null")
}


# The messages as the terminal shows them: UTF-8, line feeds.
terminal_text() { printf '%s\n' "$1" | iconv -f WINDOWS-1252 -t UTF-8 | tr '\r' '\n'; }
