# Shared by the fault scripts, after lib_native.sh or lib_wine.sh: waiting,
# reading the recorder's log, stopping the program.

# wait_for <timeout-s> <command...>: polls until the command succeeds or the
# time is up; the checks that follow tell which.
wait_for() {
    local limit=$(($1 * 10)) waited=0
    shift
    until "$@"; do
        if [ "$waited" -ge "$limit" ]; then
            echo "(waited $((limit / 10)) s in vain for: $*)"
            return 0
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
}

# Files written just now are left for a later tick (they may still grow).
age() { touch -d '-5 seconds' "$@"; }

# starts <log>: how many hand-offs the recorder saw begin; ends <log>: end.
starts() { local n; n=$(grep -c '^cmdline=' "$1" 2>/dev/null) || true; echo "${n:-0}"; }
ends() { local n; n=$(grep -c '^end|' "$1" 2>/dev/null) || true; echo "${n:-0}"; }
starts_reach() { [ "$(starts "$1")" -ge "$2" ]; }
ends_reach() { [ "$(ends "$1")" -ge "$2" ]; }
gone() { local file; for file in "$@"; do [ -e "$file" ] && return 1; done; return 0; }
running() { kill -0 "$1" 2>/dev/null; }

# stop_program <pid>: the script's close request (request_close), then exit
# code 0 within 20 s.
stop_program() {
    PROGRAM_PID=$1
    request_close "$PROGRAM_PID"
    wait_program 20
    expect "exit code after the close request" 0 "$PROGRAM_RC"
}
