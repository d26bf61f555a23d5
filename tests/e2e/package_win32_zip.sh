#!/usr/bin/env bash
# The ZIP an administrator hands out: builds the i686 product in its own tree
# (the programs only, no tests), runs cpack there and checks what is inside.
# Registered by cmake/Packaging.cmake for the native build.
#   package_win32_zip.sh <source dir> <tree for the i686 build>
source "$(dirname "$0")/lib_common.sh"
source_dir=$1
tree=$2

if ! command -v i686-w64-mingw32-g++-posix >/dev/null; then
    echo "skipped: no i686 mingw-w64 cross compiler (scripts/setup.sh test installs it)"
    exit 77
fi

echo "== cpack in the i686 build"
cmake -S "$source_dir" -B "$tree" -G Ninja --toolchain "$source_dir/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DBELEGBOTE_TESTS=OFF >"$E2E_WORK/configure.log"
cmake --build "$tree" --target package >"$E2E_WORK/build.log"
zip=$tree/Belegbote-1.0-win32.zip
expect "the package exists" yes "$([ -f "$zip" ] && echo yes)"
expect "file list, all at the top" "Belegbote.exe Belegbote.ini LIESMICH.txt " \
    "$(unzip -Z1 "$zip" | sort | tr '\n' ' ')"
unpacked=$E2E_WORK/unpacked
unzip -q "$zip" -d "$unpacked"

echo "== Belegbote.exe"
if "$source_dir/scripts/check-exe.sh" "$unpacked/Belegbote.exe" >"$E2E_WORK/check-exe.log"; then
    expect "32-bit GUI program with system DLLs only" ok ok
else
    expect "32-bit GUI program with system DLLs only" ok "$(grep FAIL "$E2E_WORK/check-exe.log")"
fi

echo "== Belegbote.ini: what the program writes as its template"
expect "the 155 template bytes" "$(template_bytes | od -An -v -tx1 | tr -d ' \n')" \
    "$(hex_file "$unpacked/Belegbote.ini")"
# The native program, started without a configuration, writes its template.
empty=$(new_workdir empty)
(cd "$empty" && "$BELEGBOTE_EXE") </dev/null >/dev/null 2>&1
expect "the same bytes as the program's own template" "$(hex_file "$empty/Belegbote.ini")" \
    "$(hex_file "$unpacked/Belegbote.ini")"

echo "== LIESMICH.txt: Windows-1252 with CR LF"
readme=$unpacked/LIESMICH.txt
count() { LC_ALL=C grep -c "$1" "$readme" || true; }
expect "every line ends in CR LF" "$(wc -l <"$readme")" "$(count $'\r$')"
expect "no CR without LF" "$(wc -l <"$readme")" "$(tr -cd '\r' <"$readme" | wc -c)"
expect "ends with CR LF" "0d0a" "$(tail -c 2 "$readme" | od -An -tx1 | tr -d ' \n')"
expect "not UTF-8 (umlauts are single bytes)" no \
    "$(iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null 2>&1 && echo yes || echo no)"
expect "read back as Windows-1252 it is the source text" "$(sha256sum <"$source_dir/packaging/LIESMICH.txt")" \
    "$(iconv -f WINDOWS-1252 -t UTF-8 "$readme" | tr -d '\r' | sha256sum)"
# What the office user must find in it, in the bytes the file holds.
while IFS= read -r phrase; do
    bytes=$(printf '%s' "$phrase" | iconv -f UTF-8 -t WINDOWS-1252)
    expect "mentions: $phrase" yes "$(LC_ALL=C grep -qF -- "$bytes" "$readme" && echo yes)"
done <<'EOF'
Belegbote.ini
[Allgemein]
Programm=
ScanPfad=
ScanDateiType=
ScanTimer=
WarteTimer=
"Ausführen in"
Semikolon ;
Groß- und Kleinschreibung
Anführungszeichen werden nicht entfernt
Zeilenenden
"UTF-8 mit BOM"
rot
grün/blau
blau
"Belegbote V1.0 beenden"
Dateien, die liegen bleiben
Administratorrechte
'Belegbote.ini'-Datei konnte nicht gefunden werden!
EOF

finish
