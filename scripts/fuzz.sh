#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UndefinedBehaviorSanitizer)
# and runs each for a fixed number of inputs, starting from its seed corpus in
# fuzz/corpus/<target>/. The seeds are only read; what the run learns goes to
# a scratch folder, and a failing input is kept in build/fuzz/findings/.
#   scripts/fuzz.sh            50000 inputs per target, about half a minute in all
#   scripts/fuzz.sh 2000000    a long run
# For an open-ended run of one target on both cores:
#   build/fuzz/fuzz/config_reader_fuzz -jobs=2 -workers=2 -max_len=65536 \
#       build/fuzz/learned fuzz/corpus/config_reader_fuzz
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-50000}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null

findings=$PWD/build/fuzz/findings
mkdir -p "$findings"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/belegbote-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0
for seeds in fuzz/corpus/*/; do
    target=$(basename "$seeds")
    mkdir -p "$scratch/$target"
    start=$SECONDS
    if build/fuzz/fuzz/"$target" -runs="$runs" -max_len=4096 -timeout=10 \
        -artifact_prefix="$findings/$target-" "$scratch/$target" "$seeds" \
        >"$scratch/$target.log" 2>&1; then
        echo "fuzz $target: $runs inputs, no finding ($((SECONDS - start)) s)"
    else
        echo "FUZZ FINDING in $target (input kept in $findings):"
        tail -n 40 "$scratch/$target.log"
        failed=1
    fi
done
exit "$failed"
