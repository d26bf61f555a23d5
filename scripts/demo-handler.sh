#!/bin/sh
# Stands in for the program each file is handed to: it is started as
# `demo-handler.sh /a <file>` in the watcher's working directory, files a copy
# in Archiv/ and notes what it got.
[ "$1" = "/a" ] || exit 2
mkdir -p Archiv
cp -- "$2" Archiv/
echo "$(date +%T) erhalten: $2" >> Archiv/erhalten.log
sleep 0.3
