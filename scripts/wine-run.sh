#!/usr/bin/env bash
# Runs a Windows test program under Wine in the project's own prefix.
set -eu
export WINEDEBUG=${WINEDEBUG:--all}
export WINEPREFIX=${WINEPREFIX:-${TMPDIR:-/tmp}/belegbote-wine}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
fi
exec wine "$@"
