#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, with the
# loader that fits it (64-bit programs need wine64).
set -eu
export WINEDEBUG=${WINEDEBUG:--all}
export WINEPREFIX=${WINEPREFIX:-${TMPDIR:-/tmp}/belegbote-wine}
loader=wine
if [ -x /usr/lib/wine/wine64 ] && file -b "$1" | grep -q 'x86-64'; then
    loader=/usr/lib/wine/wine64
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || "$loader" wineboot -i >/dev/null 2>&1 || true
fi
exec "$loader" "$@"
