#!/usr/bin/env bash
# The Win32 about dialogs and the suite about window under Wine on an X server
# of the test's own (Xvfb picks a free display number; never the user's
# display): about_capture.exe shows each dialog and the suite about window
# through automation on its own message loop, checks the window, captures it
# at rest (a dialog also with the pointer on the web link), clicks the links
# and closes it every way; branding_capture_compare compares the captures
# region by region with the Linux rendering (`zavrin about`, `zavrin splash
# --about`). The prefix's http, https and mailto handlers are
# launch_recorder.exe, which appends what the shell gave it to launches.txt
# beside itself (no browser or mail program runs).
# The 64-bit route only: under WoW64, 32-bit programs have no display driver.
#
# usage: about_capture.sh <source-dir> <work-dir> <zavrin> <compare> <Xvfb>
#   ZS_WINE64, ZS_WINESERVER  the Wine loader and server (set by CTest)
#   ZS_WINE_SKIP_BUILD=1      use the existing build/win64
# shellcheck source=capture_env.sh
. "$(dirname "$0")/capture_env.sh" "about capture" "about_capture launch_recorder" "$@"

cp "$BIN/tests/wine/launch_recorder.exe" "$WORK/" || die "launch_recorder.exe was not built"
record=$WORK/launches.txt
: >"$record"
recorder=$(winpath "$WORK/launch_recorder.exe")
# reg.exe has once failed to write a key in a prefix made moments before, with
# nothing on standard error: a write is tried up to three times, and what
# reg.exe answered to each failed try is shown.
register_handler() {
  local scheme=$1 try answer
  run_win "$WIN_SYS\\reg.exe" delete "HKCR\\$scheme\\shell\\open\\ddeexec" /f >/dev/null 2>&1
  for try in 1 2 3; do
    answer=$(run_win "$WIN_SYS\\reg.exe" add "HKCR\\$scheme\\shell\\open\\command" /ve /f \
      /d "\"$recorder\" \"%1\"" 2>&1) && return 0
    note "registering the $scheme handler, try $try: $answer"
    sleep 1
  done
  return 1
}
for scheme in http https mailto; do
  register_handler "$scheme" || die "cannot register the $scheme handler"
done

status=0
out=$(run_win "$BIN/tests/wine/about_capture.exe" "$(winpath "$WORK")" "$(winpath "$record")")
rc=$?
echo "$out"
case $out in *" passed, 0 failed"*) [ $rc = 0 ] || status=1 ;; *) status=1 ;; esac
note "the shell was given: $(tr -d '\r' <"$record" | tr '\n' ' ')"
for style in 0 1; do
  for hover in "" lblUrl; do
    suffix=${hover:+-hover}
    "$ZAVRIN" about --style "$style" ${hover:+--hover "$hover"} -o "$WORK/linux-about-$style$suffix.png" ||
      die "zavrin about --style $style failed"
    [ -s "$WORK/win32-about-$style$suffix.bmp" ] || { note "style $style$suffix: no capture"; status=1; continue; }
    "$COMPARE" --about "$style" ${hover:+--hover "$hover"} "$WORK/linux-about-$style$suffix.png" \
      "$WORK/win32-about-$style$suffix.bmp" || status=1
  done
done
"$ZAVRIN" splash --about -o "$WORK/linux-suite-about.png" || die "zavrin splash --about failed"
if [ -s "$WORK/win32-suite-about.bmp" ]; then
  "$COMPARE" --suite "$WORK/linux-suite-about.png" "$WORK/win32-suite-about.bmp" || status=1
else
  note "suite about: no capture"
  status=1
fi
note "win32 (WoW64): skipped: 32-bit programs have no display driver under WoW64"
[ $status = 0 ] && note "passed" || note "FAILED"
exit $status
