#!/usr/bin/env bash
# Runs the Variant-versus-runtime benchmark under Wine in a private prefix and
# writes its JSON document.
#
# usage: run.sh <variant_runtime_bench.exe> <work-dir> <output.json>
#   the prefix is <work-dir>/prefix (created on first use); Wine's own
#   messages go to <work-dir>/wine-stderr.txt
set -euo pipefail

EXE=${1:?path of variant_runtime_bench.exe}
WORK=${2:?work dir}
OUT=${3:?output file}

# Wine's own 64-bit loader and server (package wine64), as the Wine tests use them.
WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
WINESERVER=$(command -v wineserver64 || echo /usr/lib/wine/wineserver64)
for tool in "$WINE" "$WINESERVER"; do
  [ -x "$tool" ] || { echo "wine bench: '$tool' is missing (scripts/install-deps.sh installs Wine)" >&2; exit 1; }
done
[ -f "$EXE" ] || { echo "wine bench: $EXE was not built (build the win64 preset)" >&2; exit 1; }

mkdir -p "$WORK"
WORK=$(cd "$WORK" && pwd)
export WINEPREFIX=$WORK/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="  # no Mono or Gecko installers in this prefix
unset DISPLAY

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine bench: creating the Wine prefix $WINEPREFIX" >&2
  "$WINE" wineboot -i >"$WORK/wineboot.txt" 2>&1 || { echo "wine bench: wineboot failed (see $WORK/wineboot.txt)" >&2; exit 1; }
  "$WINESERVER" -w
fi

status=0
"$WINE" "$EXE" 2>"$WORK/wine-stderr.txt" | tr -d '\r' >"$OUT" || status=$?
"$WINESERVER" -k >/dev/null 2>&1 || true
[ $status -eq 0 ] || { echo "wine bench: the benchmark failed (exit $status, see $WORK/wine-stderr.txt)" >&2; exit 1; }
