#!/usr/bin/env bash
# The Win32 splash windows under Wine on an X server of the test's own (Xvfb
# picks a free display number; never the user's display): for each style,
# splash_capture.exe shows the window through automation and captures its
# client area in-process, and branding_capture_compare compares it region by
# region with the Linux rendering of the same style (`zavrin splash`); then a
# host's picture (a bitmap fixture the program writes) shown as the logo.
#
# usage: splash_capture.sh <source-dir> <work-dir> <zavrin> <compare> <Xvfb>
#   ZS_WINE64, ZS_WINESERVER  the Wine loader and server (set by CTest)
#   ZS_WINE_SKIP_BUILD=1      use the existing build/win64
set -u
SRC=$(cd "${1:?source dir}" && pwd)
WORK=${2:?work dir}
ZAVRIN=${3:?zavrin}
COMPARE=${4:?compare program}
XVFB=${5:?Xvfb}
mkdir -p "$WORK"
WORK=$(cd "$WORK" && pwd)/splash-capture
LOG=$WORK/log
mkdir -p "$LOG"
note() { echo "splash capture: $*"; }
die() { echo "splash capture: FAILED: $*" >&2; exit 1; }
# shellcheck source=wine_env.sh
. "$SRC/tests/wine/wine_env.sh"

if [ "${ZS_WINE_SKIP_BUILD:-0}" != 1 ]; then
  (cd "$SRC" && cmake --preset win64 && cmake --build --preset win64 -j 2 --target VQZavrinStudio splash_capture) \
    >"$LOG/build-win64.txt" 2>&1 || { tail -40 "$LOG/build-win64.txt"; die "the win64 build failed"; }
fi

use_win64
make_prefix || die "wineboot failed (see $LOG/wineboot-win64.txt)"

# The X server: it writes its display number on the pipe once it accepts clients.
exec {fd}< <(exec "$XVFB" -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -nocursor 2>/dev/null)
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; "$ZS_WINESERVER" -k >/dev/null 2>&1' EXIT
read -r -t 60 -u "$fd" display || die "Xvfb did not start"
# Every Wine process from here on, the server's desktop included, uses it.
"$ZS_WINESERVER" -k >/dev/null 2>&1
export DISPLAY=:$display

run_win "$WIN_SYS\\regsvr32.exe" /s "$(winpath "$SRC/build/win64/server/VQZavrinStudio.dll")" ||
  die "regsvr32 failed"
status=0
for style in 0 1 2 3 4; do
  "$ZAVRIN" splash --style "$style" -o "$WORK/linux-$style.png" || die "zavrin splash --style $style failed"
  out=$(run_win "$SRC/build/win64/tests/wine/splash_capture.exe" "$style" \
        "$(winpath "$WORK/win32-$style.bmp")")
  echo "$out"
  [ -s "$WORK/win32-$style.bmp" ] || { note "style $style: no capture"; status=1; continue; }
  "$COMPARE" "$style" "$WORK/linux-$style.png" "$WORK/win32-$style.bmp" || status=1
done
# A host's picture as the logo: the program checks the round trip and that the
# capture holds the logo's pixels (no Linux counterpart to compare with).
out=$(run_win "$SRC/build/win64/tests/wine/splash_capture.exe" 0 \
      "$(winpath "$WORK/win32-logo.bmp")" "$(winpath "$WORK/logo-fixture.bmp")")
echo "$out"
case $out in *FAIL*|"") note "the host's logo: FAILED"; status=1 ;; esac
[ $status = 0 ] && note "passed" || note "FAILED"
exit $status
