# A large configuration for the reading benchmark: `lines` lines of 64 bytes
# with CR LF, in groups of 100 lines with a comment in each, and the group
# Allgemein with the five values at the very end, so that finding it takes a
# pass over the whole file. Every line stays short for inih's line buffer.
#   awk -v lines=1048576 -f config_file.awk > big.ini
BEGIN {
    pad = "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz0123456789"
    for (n = 0; n < lines - 6; n++) {
        if (n % 100 == 0) {
            s = sprintf("[Abschnitt%07d]", n / 100)
        } else if (n % 100 == 50) {
            s = sprintf("; Kommentar %07d", n)
        } else {
            s = sprintf("Schluessel%07d=Wert %07d ", n, n)
        }
        printf "%s%s\r\n", s, substr(pad, 1, 62 - length(s))
    }
    printf "[Allgemein]\r\n"
    printf "Programm=C:\\Programme\\Beleg\\Annahme.exe\r\n"
    printf "ScanPfad=C:\\Arbeitspuffer\r\n"
    printf "ScanDateiType=*.pdf\r\n"
    printf "ScanTimer=1000\r\n"
    printf "WarteTimer=1000\r\n"
}
