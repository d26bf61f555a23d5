#!/usr/bin/env bash
# Every test tier: native (plain and sanitized), the Windows build, and the
# Windows tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test

# One fresh Wine prefix for this run, shared by the Windows tiers.
export BELEGBOTE_WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/belegbote-wine.XXXXXX")
export WINEPREFIX=$BELEGBOTE_WINEPREFIX
trap 'wineserver -k 2>/dev/null || true; rm -rf "$BELEGBOTE_WINEPREFIX"' EXIT

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

echo "### native"
build native
ctest --preset native

echo "### native with AddressSanitizer + UndefinedBehaviorSanitizer"
build asan
ctest --preset asan
scripts/fuzz.sh

echo "### Windows i686 product"
build win32
scripts/check-exe.sh build/win32/Belegbote.exe

# The Windows tests run under Wine; 32-bit code needs a kernel that runs it.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "### Windows i686 tests under Wine"
    xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset win32
else
    echo "note: this kernel runs no 32-bit code, so the i686 tests run as x86-64 below"
fi

echo "### Windows x86-64 tests under Wine"
build win64
xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset win64
