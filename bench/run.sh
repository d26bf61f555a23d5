#!/usr/bin/env bash
# Measures what Belegbote costs around its fixed pauses and prints one table:
# the machine, the method, and every figure beside its peer from the same run.
#   bench/run.sh
# Environment (all optional):
#   BENCH_RUNS=3          rounds of the idle and reading measures (medians)
#   BENCH_IDLE_SECONDS=60 length of one idle round
#   BENCH_HANDOFFS=7      hand-offs measured, natively and under Wine
#   BENCH_WINE=1          0 skips the Wine figures
#   BENCH_RT=1            0 runs the latency measures (P3, P4) at normal priority
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BENCH_DIR=$ROOT/bench
NATIVE=$ROOT/build/bench
RUNS=${BENCH_RUNS:-3}
IDLE_SECONDS=${BENCH_IDLE_SECONDS:-60}
HANDOFFS=${BENCH_HANDOFFS:-7}
BENCH_WINE=${BENCH_WINE:-1}
source "$BENCH_DIR/lib_common.sh"
source "$BENCH_DIR/lib_native.sh"
source "$BENCH_DIR/lib_handoff.sh"
source "$BENCH_DIR/lib_table.sh"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/belegbote-bench.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

# The latency measures run at a real-time priority when they may: on a
# shared machine they would otherwise time the other processes' work.
RT="" RT_PROBE=""
if [ "${BENCH_RT:-1}" = 1 ] && chrt -f 40 true 2>/dev/null; then
    RT="chrt -f 40" RT_PROBE="chrt -f 50"
fi

ensure_packages
echo "building ..." >&2
build_all
LOAD_BEFORE=$(cut -d' ' -f1-3 /proc/loadavg)

declare -A R_IDLE_CPU R_IDLE_WAKE R_IDLE_STEADY R_IDLE_STEADY_WAKE R_RSS R_SCAN R_FIND R_CFG_MS R_CFG_CPU R_CFG_PEAK R_CFG_VALUES \
    R_CFG_SIZE
echo "P1/P5: idle, $RUNS x ${IDLE_SECONDS}s ..." >&2
measure_idle
echo "P2: scans ..." >&2
measure_scan
echo "P3/P4: hand-offs and pauses ..." >&2
measure_pause
measure_handoff_native
R_HANDOFF_WINE="" R_FLOOR_WINE="" R_PAUSE_WINE=""
if [ "$BENCH_WINE" = 1 ]; then
    echo "P3/P4 under Wine ..." >&2
    measure_wine
fi
echo "P6: configuration reading ..." >&2
measure_config
LOAD_AFTER=$(cut -d' ' -f1-3 /proc/loadavg)

print_table
