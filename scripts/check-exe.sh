#!/usr/bin/env bash
# Checks what a Windows user gets: a 32-bit GUI program that needs no DLL
# beyond those Windows ships.
set -euo pipefail
exe=$1
failures=0
check() {
    if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAIL: $1: expected '$2', got '$3'"; failures=$((failures + 1)); fi
}
headers=$(i686-w64-mingw32-objdump -p "$exe")
check "32-bit PE" "pei-i386" "$(i686-w64-mingw32-objdump -f "$exe" | sed -n 's/.*file format //p')"
check "GUI subsystem" "00000002" "$(awk '/^Subsystem/ {print $2}' <<<"$headers")"
allowed='^(KERNEL32|USER32|GDI32|SHELL32|OLE32|WINMM|ADVAPI32|msvcrt|COMCTL32)\.dll$'
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | sort -u)
check "system DLLs only" "" "$(grep -viE "$allowed" <<<"$imports" || true)"
echo "imports: $(tr '\n' ' ' <<<"$imports")"
echo "size: $(stat -c %s "$exe") bytes"
[ "$failures" -eq 0 ]
