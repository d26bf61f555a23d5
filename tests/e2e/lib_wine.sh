# Wine + Xvfb for the end-to-end scripts of the Windows program.
source "$(dirname "${BASH_SOURCE[0]}")/lib_common.sh"

export WINEDEBUG=-all
WINE_LOADER=wine
if file -b "$BELEGBOTE_EXE" | grep -q 'x86-64'; then
    WINE_LOADER=/usr/lib/wine/wine64
fi
# A fresh prefix for this script unless the caller shares one.
export WINEPREFIX=${BELEGBOTE_WINEPREFIX:-$E2E_WORK/prefix}

start_display() {
    local n
    for n in $(seq 91 199); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        E2E_CLEANUPS+=("kill $! 2>/dev/null")
        export DISPLAY=":$n"
        for _ in $(seq 100); do
            [ -e "/tmp/.X11-unix/X$n" ] && return 0
            sleep 0.05
        done
    done
    echo "no display could be started" >&2
    exit 1
}

start_display
E2E_CLEANUPS+=("wineserver -k 2>/dev/null")
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINE_LOADER" wineboot -i >/dev/null 2>&1 || true
fi
wineserver -w

# helper <name> <args...>: runs one of the Win32 test helpers. Their own
# answers are exit codes 0 to 2; any other code means Wine did not get the
# helper going (seen now and then under load), so it is started again.
helper() {
    local name=$1 out rc attempt
    shift
    for attempt in 1 2 3; do
        rc=0
        out=$("$WINE_LOADER" "$BELEGBOTE_HELPERS/$name.exe" "$@" 2>/dev/null) || rc=$?
        [ "$rc" -le 2 ] && break
        echo "(helper $name did not start, exit code $rc; attempt $attempt)" >&2
        sleep 0.5
    done
    [ -n "$out" ] && printf '%s\n' "$out" | tr -d '\r'
    return "$rc"
}

# start_program <workdir>: starts the program there; its pid in PROGRAM_PID.
start_program() {
    (cd "$1" && exec "$WINE_LOADER" "$BELEGBOTE_EXE") >/dev/null 2>&1 &
    PROGRAM_PID=$!
    E2E_CLEANUPS+=("kill $PROGRAM_PID 2>/dev/null")
}
