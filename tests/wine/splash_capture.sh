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
# shellcheck source=capture_env.sh
. "$(dirname "$0")/capture_env.sh" "splash capture" splash_capture "$@"

status=0
for style in 0 1 2 3 4; do
  "$ZAVRIN" splash --style "$style" -o "$WORK/linux-$style.png" || die "zavrin splash --style $style failed"
  out=$(run_win "$BIN/tests/wine/splash_capture.exe" "$style" \
        "$(winpath "$WORK/win32-$style.bmp")")
  echo "$out"
  [ -s "$WORK/win32-$style.bmp" ] || { note "style $style: no capture"; status=1; continue; }
  "$COMPARE" "$style" "$WORK/linux-$style.png" "$WORK/win32-$style.bmp" || status=1
done
# A host's picture as the logo: the program checks the round trip and that the
# capture holds the logo's pixels (no Linux counterpart to compare with).
out=$(run_win "$BIN/tests/wine/splash_capture.exe" 0 \
      "$(winpath "$WORK/win32-logo.bmp")" "$(winpath "$WORK/logo-fixture.bmp")")
echo "$out"
case $out in *FAIL*|"") note "the host's logo: FAILED"; status=1 ;; esac
[ $status = 0 ] && note "passed" || note "FAILED"
exit $status
