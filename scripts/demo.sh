#!/usr/bin/env bash
# Builds the native program and lets it do its job on a demo folder: three
# files arrive, the two PDFs are handed to a stand-in program and deleted,
# the text file stays. With --keep it goes on watching until Ctrl-C.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh demo
cmake -S . -B build/demo -G Ninja -DCMAKE_BUILD_TYPE=Release -DBELEGBOTE_TESTS=OFF >/dev/null
cmake --build build/demo --target belegbote >/dev/null

demo=$root/build/demo-run
rm -rf "$demo"
mkdir -p "$demo/Arbeitspuffer"
printf '[Allgemein]\r\nProgramm=%s\r\nScanPfad=%s\r\nScanDateiType=*.pdf\r\nScanTimer=1000\r\nWarteTimer=500\r\n' \
    "$root/scripts/demo-handler.sh" "$demo/Arbeitspuffer" > "$demo/Belegbote.ini"
echo "demo folder: $demo"
cat "$demo/Belegbote.ini" | tr -d '\r'
echo

(cd "$demo" && exec "$root/build/demo/belegbote") &
watcher=$!
trap 'kill -TERM $watcher 2>/dev/null || true' EXIT

echo "Rechnung Nr. 7" > "$demo/Arbeitspuffer/Rechnung 7.pdf"
echo "Lieferschein" > "$demo/Arbeitspuffer/Lieferschein.PDF"
echo "keine PDF-Datei" > "$demo/Arbeitspuffer/notiz.txt"
# Files only just written are left for a later scan (they may still be growing).
touch -d '-5 seconds' "$demo/Arbeitspuffer/"*
echo "three files dropped into Arbeitspuffer/; watching ..."

if [ "${1:-}" = "--keep" ]; then
    echo "Ctrl-C ends the watcher."
    wait "$watcher"
    exit 0
fi
for _ in $(seq 200); do
    compgen -G "$demo/Arbeitspuffer/*.[pP][dD][fF]" >/dev/null || break
    sleep 0.1
done
kill -TERM "$watcher"
rc=0
wait "$watcher" || rc=$?
trap - EXIT

echo
echo "left in Arbeitspuffer/: $(ls "$demo/Arbeitspuffer" | tr '\n' ' ')"
echo "the stand-in program got:"
cat "$demo/Archiv/erhalten.log" 2>/dev/null || echo "  (nothing)"
echo "watcher ended with exit code $rc"
