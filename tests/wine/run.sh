#!/usr/bin/env bash
# Runs the Windows server under Wine, both architectures:
#   builds the win64 and win32 presets, then for each DLL, in its own private
#   Wine prefix under <work-dir> (win64 and win32 side by side): registers it,
#   checks the registry keys, runs every VBScript suite under cscript (each
#   must end with "N passed, 0 failed" and exit 0), an early-bound C++ client
#   of the dual vtables, compares the registered type library with the
#   catalogue listing of the Linux build, runs the Variant differential test,
#   a control container of our own and Wine's ATL hosting every control (on a
#   private Xvfb display), unregisters and checks that the keys are gone.
# The 32-bit DLL runs under wine64's WoW64 mode, else under a private native
# 32-bit Wine (tests/wine/wine_env.sh); it is skipped, saying why, only when
# neither can start a 32-bit program. Each architecture ends with one line
#   wine tests: <arch>: passed|FAILED|SKIPPED ...
#
# usage: run.sh <source-dir> <work-dir> <catalogue-listing>
#   ZS_WINE64, ZS_WINESERVER  the Wine loader and server (set by CTest)
#   ZS_XVFB                   the virtual X server of the ATL step (set by CTest)
#   ZS_WINE_SKIP_BUILD=1      use the existing build/win64 and build/win32
#   ZS_WINE_JOBS=n            parallel build jobs (default 2)
#   ZS_WINE_SERIAL=1          run the two architectures one after the other
#   ZS_WINE32_ROUTE="wow64 native"  the 32-bit routes to try, in order
set -u

SRC=$(cd "${1:?source dir}" && pwd)
WORK=${2:?work dir}
CATALOGUE=${3:?catalogue listing from the Linux build}
JOBS=${ZS_WINE_JOBS:-2}
mkdir -p "$WORK"
WORK=$(cd "$WORK" && pwd)
LOG=$WORK/log
mkdir -p "$LOG"
STATUS=0
WIN_LABEL=wine

die() { echo "wine tests: FAILED: $*" >&2; exit 1; }
fail() { echo "wine tests: $WIN_LABEL: FAIL: $*"; STATUS=1; }
note() { echo "wine tests: $*"; }

[ -x "${ZS_WINE64:-}" ] && [ -x "${ZS_WINESERVER:-}" ] && [ -x "${ZS_XVFB:-}" ] ||
  die "ZS_WINE64, ZS_WINESERVER and ZS_XVFB must name the Wine loader and server and Xvfb (CTest sets them from cmake/tools.txt)"
[ -s "$CATALOGUE" ] || die "catalogue listing '$CATALOGUE' is missing (build the catalogue_dump target)"
# shellcheck source=wine_env.sh
. "$SRC/tests/wine/wine_env.sh"

# --- build -------------------------------------------------------------------
if [ "${ZS_WINE_SKIP_BUILD:-0}" != 1 ]; then
  for preset in win64 win32; do
    note "building preset $preset"
    (cd "$SRC" && cmake --preset "$preset" && cmake --build --preset "$preset" -j "$JOBS") \
      >"$LOG/build-$preset.txt" 2>&1 || { tail -40 "$LOG/build-$preset.txt"; die "the $preset build failed"; }
  done
fi

# The registry keys that registration must create and unregistration remove:
# every coclass of the catalogue listing, its ProgID and the type library.
clsids=$(sed -n 's/^coclass \([A-Za-z_]*\) \({[0-9A-F-]*}\).*/\1 \2/p' "$CATALOGUE")
libid=$(sed -n 's/^library [A-Za-z]* \({[0-9A-F-]*}\).*/\1/p' "$CATALOGUE")

# Queries go through the reg.exe of the DLL's bitness, so they read the
# registry view its regsvr32 wrote (Wow6432Node for a 32-bit DLL under WoW64).
reg_has() { "$WINE" "$WIN_SYS\\reg.exe" query "$1" >/dev/null 2>&1; }

check_registered() {  # <expect: present|absent>
  local expect=$1 name clsid key bad=0
  local keys=("HKCR\\TypeLib\\$libid\\1.0\\0\\$WIN_ARCH")
  while read -r name clsid; do
    keys+=("HKCR\\CLSID\\$clsid\\InprocServer32" "HKCR\\VQZavrinStudio.$name\\CLSID")
  done <<<"$clsids"
  for key in "${keys[@]}"; do
    if reg_has "$key"; then [ "$expect" = absent ] && { fail "$key still present"; bad=1; }
    else [ "$expect" = present ] && { fail "$key missing"; bad=1; }; fi
  done
  [ $bad = 0 ] && note "$WIN_LABEL: registry entries $expect as expected (${#keys[@]} keys)"
}

# A program that prints "N passed, N failed" last: passes with 0 failed and exit 0.
# <what> <output> <exit code>; adds the passed count to CHECKS.
judge() {
  local what=$1 out=$2 rc=$3 summary
  summary=$(printf '%s\n' "$out" | grep -E '^[0-9]+ passed, [0-9]+ failed$' | tail -1)
  if [ -z "$summary" ]; then
    printf '%s\n' "$out"
    fail "$what ended without its summary line (a script error or a failed CreateObject; exit code $rc)"
  elif [ "$rc" -ne 0 ] || ! [[ $summary =~ ^[0-9]+\ passed,\ 0\ failed$ ]]; then
    printf '%s\n' "$out"
    fail "$what: $summary (exit code $rc)"
  else
    note "$WIN_LABEL: $what: $summary"
    printf '%s\n' "$out" | sed -n "s/^SKIPPED: /wine tests: $WIN_LABEL: $what: skipped: /p"
    CHECKS=$((CHECKS + ${summary%% *}))
  fi
}

# Our control container (its property pages make windows) and Wine's ATL
# (atl.dll), which hosts every control in a window. Windows need a display:
# a private Xvfb on a display number it picks itself (-displayfd), never the
# user's. The prefix's desktop process keeps the display it started with, so
# the prefix's Wine processes end before and after this step.
host_controls() {  # <build dir>
  local build=$1 ready=$WORK/xvfb-$WIN_ARCH.fifo number="" xvfb out rc
  rm -f "$ready" && mkfifo "$ready" || { fail "cannot make $ready"; return; }
  "$ZS_XVFB" -displayfd 3 -nolisten tcp -screen 0 800x600x24 3>"$ready" >"$LOG/xvfb-$WIN_ARCH.txt" 2>&1 &
  xvfb=$!
  # Also when the run is cut short: a signal ends the shell through its EXIT trap.
  trap "kill $xvfb 2>/dev/null" EXIT
  trap 'exit 143' INT TERM
  read -r number <"$ready"  # the number, once the server accepts clients; empty if it died
  rm -f "$ready"
  if [ -z "$number" ]; then
    trap - EXIT INT TERM
    fail "Xvfb did not start (see $LOG/xvfb-$WIN_ARCH.txt)"
    return
  fi
  "$ZS_WINESERVER" -k >/dev/null 2>&1; "$ZS_WINESERVER" -w >/dev/null 2>&1
  # Our own container on the same display: the design property pages make windows.
  out=$(export DISPLAY=":$number"; run_win "$build/tests/wine/control_container.exe" "${GDI_OPTIONAL[@]}")
  judge "control container (display :$number)" "$out" $?
  out=$(export DISPLAY=":$number"; run_win "$build/tests/wine/folder_browse.exe" "${GDI_OPTIONAL[@]}")
  judge "folder browser (display :$number)" "$out" $?
  out=$(export DISPLAY=":$number"; run_win "$build/tests/wine/atl_host.exe" "${GDI_OPTIONAL[@]}")
  rc=$?
  "$ZS_WINESERVER" -k >/dev/null 2>&1; "$ZS_WINESERVER" -w >/dev/null 2>&1
  kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null
  trap - EXIT INT TERM
  judge "ATL host (display :$number)" "$out" $rc
}

# What the shell tests use, in this prefix only: the drawing surface (a test
# class that also writes the icon fixtures), a folder for the fixtures, and
# launch_recorder.exe as the handler of every scheme the link suite opens, so
# that nothing reaches a real browser or mail program (winebrowser is
# disabled besides, in wine_env.sh). The suites read ZS_SHELL_WORK and
# ZS_SHELL_DLL; the link suite launches nothing unless the handlers are ours.
prepare_shell() {  # <build dir> <the DLL's Windows path>
  local dir=$WORK/shell-$WIN_ARCH scheme recorder
  rm -rf "$dir" && mkdir -p "$dir"
  cp "$1/tests/wine/launch_recorder.exe" "$dir/" || { fail "launch_recorder.exe was not built"; return; }
  ZS_SHELL_WORK=$(winpath "$dir") ZS_SHELL_DLL=$2
  export ZS_SHELL_WORK ZS_SHELL_DLL
  recorder=$(winpath "$dir/launch_recorder.exe")
  "$WINE" "$WIN_SYS\\regsvr32.exe" /s "$(winpath "$1/tests/wine/zs_memory_dc.dll")" >>"$LOG/regsvr32-$WIN_ARCH.txt" 2>&1 ||
    fail "regsvr32 of the drawing surface (zs_memory_dc.dll) failed"
  # The folder browser's windows unmanaged: the private Xvfb has no window
  # manager, for which Wine waits two seconds whenever a managed window closes.
  "$WINE" "$WIN_SYS\\reg.exe" add "HKCU\\Software\\Wine\\AppDefaults\\folder_browse.exe\\X11 Driver" /v Managed /d N /f \
    >>"$LOG/handlers-$WIN_ARCH.txt" 2>&1 || fail "the folder browser's X11 setting could not be made"
  for scheme in http https mailto; do
    "$WINE" "$WIN_SYS\\reg.exe" add "HKLM\\Software\\Classes\\$scheme\\shell\\open\\command" /ve /d "\"$recorder\" \"%1\"" /f \
      >>"$LOG/handlers-$WIN_ARCH.txt" 2>&1 || fail "the $scheme handler could not be set to the recorder"
  done
}

# Runs every step for the architecture the use_* function selected.
run_arch() {  # <build dir>
  local build=$1 start=$SECONDS
  local dll_file=$build/server/VQZavrinStudio.dll dll
  CHECKS=0 SUITES=0 RERUNS=0
  [ -f "$dll_file" ] || { fail "$dll_file was not built"; return; }
  dll=$(winpath "$dll_file")
  note "$WIN_LABEL: registering $dll"
  "$WINE" "$WIN_SYS\\regsvr32.exe" /s "$dll" >"$LOG/regsvr32-$WIN_ARCH.txt" 2>&1 || fail "regsvr32 failed"
  check_registered present

  prepare_shell "$build" "$dll"
  local suite name out rc
  mkdir -p "$WORK/suites"
  for suite in "$SRC"/tests/wine/suites/*.vbs; do
    name=$(basename "$suite" .vbs)
    cat "$SRC/tests/wine/check.vbs" "$suite" "$SRC/tests/wine/finish.vbs" >"$WORK/suites/$name.vbs"
    out=$(run_win "$WIN_SYS\\cscript.exe" //nologo "$(winpath "$WORK/suites/$name.vbs")")
    rc=$?
    # A cscript that died before printing a line (seen once, not reproduced, in
    # Wine's experimental WoW64 mode) is run once more, and the rerun is told.
    if [ -z "$out" ] && [ $rc -ne 0 ]; then
      note "$WIN_LABEL: suite $name: cscript exited with $rc before printing anything; running it once more"
      RERUNS=$((RERUNS + 1))
      out=$(run_win "$WIN_SYS\\cscript.exe" //nologo "$(winpath "$WORK/suites/$name.vbs")")
      rc=$?
    fi
    judge "suite $name" "$out" $rc
    SUITES=$((SUITES + 1))
  done

  # An early-bound C++ client calling through the dual vtables.
  out=$(run_win "$build/tests/wine/vtable_client.exe")
  judge "vtable client" "$out" $?

  # The control protocol of every control, as a form designer drives it, and
  # every control inside a container nobody here wrote.
  # Wine's WoW64 mode has no display driver for 32-bit programs: there the
  # checks that draw or make windows say they are skipped.
  GDI_OPTIONAL=()
  [ "$WIN_ROUTE" = wow64 ] && GDI_OPTIONAL=(--gdi-optional)
  host_controls "$build"

  # The registered type library against the catalogue.
  if ! run_win "$build/tests/wine/typelib_dump.exe" >"$WORK/typelib-$WIN_ARCH.txt"; then
    fail "typelib_dump failed"
  elif ! diff -u "$CATALOGUE" "$WORK/typelib-$WIN_ARCH.txt" >"$WORK/typelib-$WIN_ARCH.diff"; then
    cat "$WORK/typelib-$WIN_ARCH.diff"
    fail "the registered type library differs from the catalogue"
  else
    note "$WIN_LABEL: type library matches the catalogue ($(grep -c '^  ' "$CATALOGUE") functions)"
  fi

  # The Variant rules against the platform's automation runtime.
  run_win "$build/tests/wine/variant_diff.exe" >"$WORK/variant-diff-$WIN_ARCH.txt"
  rc=$?
  sed -n '/^summary/,$p' "$WORK/variant-diff-$WIN_ARCH.txt" | sed "s/^/wine tests: $WIN_LABEL: variant differential: /"
  [ $rc -eq 0 ] || fail "the Variant differential test found unexplained differences (see $WORK/variant-diff-$WIN_ARCH.txt)"

  # PNG pictures through the library's decoder (WIC) against WIC's encoder.
  out=$(run_win "$build/tests/wine/png_decode.exe")
  judge "PNG decoder" "$out" $?
  out=$(run_win "$build/tests/wine/picture_bridge.exe" "${GDI_OPTIONAL[@]}")
  judge "picture bridge" "$out" $?

  note "$WIN_LABEL: unregistering"
  "$WINE" "$WIN_SYS\\regsvr32.exe" /u /s "$dll" >>"$LOG/regsvr32-$WIN_ARCH.txt" 2>&1 || fail "regsvr32 /u failed"
  check_registered absent
  "$ZS_WINESERVER" -k >/dev/null 2>&1

  local took=$((SECONDS - start)) reruns=""
  [ $RERUNS -gt 0 ] && reruns=" (after $RERUNS rerun(s) of a suite whose cscript exited silently)"
  if [ $STATUS = 0 ]; then
    note "$WIN_LABEL: passed: $SUITES suites ($CHECKS checks with the vtable client and the control containers), type library, Variant differential, registration$reruns; ${took} s"
  else
    note "$WIN_LABEL: FAILED (see above); ${took} s"
  fi
}

arch_win64() {
  local start=$SECONDS
  use_win64
  make_prefix || { WIN_LABEL=win64; fail "wineboot failed (see $LOG/wineboot-win64.txt)"; exit 1; }
  note "win64: prefix ready in $((SECONDS - start)) s"
  run_arch "$SRC/build/win64"
  exit $STATUS
}

arch_win32() {
  local start=$SECONDS
  if ! use_win32; then
    note "win32: SKIPPED: no route starts a 32-bit Windows program here (tried $WIN32_WHY); the win32 build linked"
    exit 0
  fi
  note "$WIN_LABEL: prefix ready in $((SECONDS - start)) s (i386 Wine DLLs in $I386_CACHE)"
  run_arch "$SRC/build/win32"
  exit $STATUS
}

# --- both architectures, side by side (separate prefixes and servers) -----------
if [ "${ZS_WINE_SERIAL:-0}" = 1 ]; then
  (arch_win64) >"$LOG/win64.out" 2>&1; rc64=$?
  (arch_win32) >"$LOG/win32.out" 2>&1; rc32=$?
else
  (arch_win64) >"$LOG/win64.out" 2>&1 & pid64=$!
  (arch_win32) >"$LOG/win32.out" 2>&1 & pid32=$!
  wait $pid64; rc64=$?
  wait $pid32; rc32=$?
fi
cat "$LOG/win64.out" "$LOG/win32.out"
[ $rc64 = 0 ] && [ $rc32 = 0 ] || STATUS=1
[ $STATUS = 0 ] && note "all passed" || note "FAILED"
exit $STATUS
