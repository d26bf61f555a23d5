#!/usr/bin/env bash
# `cmake --install` of the native build: what lands where, the systemd user
# unit, and the installed program doing its job from the install prefix.
source "$(dirname "$0")/lib_native.sh"

# The build directory is the one whose program is under test.
build=$(dirname "$BELEGBOTE_EXE")
while [ ! -f "$build/CMakeCache.txt" ] && [ "$build" != / ]; do build=$(dirname "$build"); done
template_hex=$(template_bytes | od -An -v -tx1 | tr -d ' \n')
unit_path=share/systemd/user/belegbote.service

files_under() { (cd "$1" && find . -type f -o -type l | sed 's|^\./||' | sort | tr '\n' ' '); }

echo "== install into a prefix"
prefix=$E2E_WORK/prefix
cmake --install "$build" --prefix "$prefix" >"$E2E_WORK/install.log"
expect "installed files" "bin/belegbote share/belegbote/Belegbote.ini $unit_path " \
    "$(files_under "$prefix")"
expect "the program is executable" yes "$([ -x "$prefix/bin/belegbote" ] && echo yes)"
expect "the sample ini is the template, byte for byte" "$template_hex" \
    "$(hex_file "$prefix/share/belegbote/Belegbote.ini")"
unit=$prefix/$unit_path
expect "the unit starts the installed program" "ExecStart=$prefix/bin/belegbote" \
    "$(grep '^ExecStart=' "$unit")"
expect "the unit runs where the ini lives" "WorkingDirectory=%h/.config/belegbote" \
    "$(grep '^WorkingDirectory=' "$unit")"
expect "the unit restarts a crashed program only" "Restart=on-failure" "$(grep '^Restart=' "$unit")"
expect "the unit's comment names the installed sample" yes \
    "$(grep -qF "cp $prefix/share/belegbote/Belegbote.ini ~/.config/belegbote/" "$unit" && echo yes)"
if command -v systemd-analyze >/dev/null; then
    # It also refuses an ExecStart that names no executable file.
    runtime=$(mktemp -d "$E2E_WORK/runtime.XXXXXX")
    verdict=$(XDG_RUNTIME_DIR=$runtime systemd-analyze verify --user "$unit" 2>&1 && echo valid || true)
    expect "systemd accepts the unit" valid "$verdict"
else
    echo "note: systemd-analyze is missing, the unit is not verified by systemd"
fi

echo "== staged install: the unit names the final place, not the staging folder"
stage=$E2E_WORK/stage
DESTDIR=$stage cmake --install "$build" --prefix /opt/belegbote >"$E2E_WORK/stage.log"
expect "staged files" "opt/belegbote/bin/belegbote opt/belegbote/share/belegbote/Belegbote.ini opt/belegbote/$unit_path " \
    "$(files_under "$stage")"
expect "the staged unit starts /opt/belegbote/bin/belegbote" "ExecStart=/opt/belegbote/bin/belegbote" \
    "$(grep '^ExecStart=' "$stage/opt/belegbote/$unit_path")"

echo "== the installed program hands off a file and ends on SIGTERM"
wd=$(new_workdir run)
mkdir "$wd/eingang"
recorder=$BELEGBOTE_HELPERS/recorder
write_ini "$wd" "$recorder" "$wd/eingang" '*.pdf' 100 0
file="$wd/eingang/Rechnung 7.pdf"
printf 'Rechnung Nr. 7' >"$file"
touch -d '-5 seconds' "$file"
export BELEGBOTE_RECORD_LOG=$wd/recorder.log
BELEGBOTE_EXE=$prefix/bin/belegbote start_program "$wd"
for _ in $(seq 100); do
    [ -e "$file" ] || break
    sleep 0.1
done
expect "the file is gone" gone "$([ -e "$file" ] || echo gone)"
expect "the recorder got the file once, with /a" \
    "cmdline=$recorder /a $file|argc=3|arg1=/a|arg2=$file|exists=1|size=14|cwd=$wd
end|exists=1" \
    "$(cat "$BELEGBOTE_RECORD_LOG" 2>/dev/null)"
kill -TERM "$PROGRAM_PID"
wait_program 10
expect "exit code" 0 "$PROGRAM_RC"
expect "nothing on stderr" "" "$(cat "$wd.err")"

finish
