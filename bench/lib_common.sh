# Shared by the benchmark scripts: packages, builds, small statistics.

# The Debian packages the benchmark needs; only missing ones are installed.
# (perf, strace and valgrind served to find causes; the table needs none.)
BENCH_PACKAGES=(cmake ninja-build g++ pkg-config googletest libgtest-dev libinih-dev
    inotify-tools time g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine wine64 xvfb)

ensure_packages() {
    local missing=() pkg
    for pkg in "${BENCH_PACKAGES[@]}"; do
        dpkg -s "$pkg" >/dev/null 2>&1 || missing+=("$pkg")
    done
    [ "${#missing[@]}" -eq 0 ] && return 0
    echo "installing: ${missing[*]}" >&2
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq >&2
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

# Builds what the measures run: the native program and bench programs (the
# native preset's flags, in build/bench), the i686 product (win32 preset),
# and the x86-64 program with its bench programs for Wine (build/bench-win64).
build_all() {
    cmake --preset native -B build/bench -DBELEGBOTE_BENCH=ON -DBELEGBOTE_TESTS=OFF >/dev/null
    cmake --build build/bench >/dev/null
    cmake --preset win32 >/dev/null
    cmake --build --preset win32 --target belegbote >/dev/null
    if [ "$BENCH_WINE" = 1 ]; then
        cmake --preset win64 -B build/bench-win64 -DBELEGBOTE_BENCH=ON -DBELEGBOTE_TESTS=OFF \
            >/dev/null
        cmake --build build/bench-win64 >/dev/null
    fi
}

# median: the median of the numbers on standard input, one a line.
median() {
    sort -g | awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "nan"; exit }
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# maximum: the largest number on standard input.
maximum() { sort -g | tail -n 1; }

# field <key> <line>: the value of key=value in a line of bench_proc_meter.
field() { sed -n "s/.*\b$1=\([^ ]*\).*/\1/p" <<<"$2"; }

# calc <awk expression>: prints it with the given printf format (default %.1f).
calc() { awk "BEGIN { printf \"${2:-%.1f}\", $1 }"; }

# A yes/no verdict for the table.
verdict() { if awk "BEGIN { exit !($1) }"; then echo "met"; else echo "**missed**"; fi; }

# age_file <path>: a file the program may take at once (it leaves files
# changed in the last 2 s for a later tick).
age_file() { printf 'Beleg\n' >"$1" && touch -d '-5 seconds' "$1"; }

# wait_for <seconds> <command...>: polls every 20 ms until the command succeeds.
wait_for() {
    local limit=$(($1 * 50)) i
    shift
    for ((i = 0; i < limit; i++)); do
        "$@" && return 0
        sleep 0.02
    done
    return 1
}

# write_bench_ini <dir> <programm> <scanpfad> <scantimer> <wartetimer>
write_bench_ini() {
    printf '[Allgemein]\r\nProgramm=%s\r\nScanPfad=%s\r\nScanDateiType=*.pdf\r\nScanTimer=%s\r\nWarteTimer=%s\r\n' \
        "$2" "$3" "$4" "$5" >"$1/Belegbote.ini"
}
