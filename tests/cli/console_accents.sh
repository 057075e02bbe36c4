#!/usr/bin/env bash
# The Windows command line in a console (Wine makes one of a terminal): its Spanish text shows
# with its accents, not as the two letters of each UTF-8 byte in the console's code page; in a
# pipe it stays UTF-8 bytes.
#
#   console_accents.sh WINDOWS_CLI WINE
set -euo pipefail
cli=$1 wine=$2
export WINEDEBUG=-all
# `script` gives the program a terminal; the terminal's escape codes and CRs are dropped.
shown=$(script -qec "$wine $cli --help" /dev/null | sed 's/\x1b\[[?0-9;]*[a-zA-Z]//g' | tr -d '\r')
grep -qx 'Órdenes:' <<<"$shown" || { echo "en la consola: $(sed -n 3p <<<"$shown")"; exit 1; }
piped=$("$wine" "$cli" --help | tr -d '\r')
grep -qx 'Órdenes:' <<<"$piped" || { echo "por tubería: $(sed -n 3p <<<"$piped")"; exit 1; }
echo "ok"
