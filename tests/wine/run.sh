#!/usr/bin/env bash
# Runs the Windows server under Wine:
#   builds the win64 preset (and the win32 preset, which must link),
#   creates a private Wine prefix under <work-dir>, registers the DLL,
#   runs every VBScript suite under cscript (each must end with "N passed, 0 failed"
#   and exit 0) and an early-bound C++ client of the dual vtables, compares the registered type library with the catalogue
#   listing of the Linux build, runs the Variant differential test,
#   unregisters and checks that the registry entries are gone.
# The 32-bit DLL is run as well when the i386 Wine packages are installed.
#
# usage: run.sh <source-dir> <work-dir> <catalogue-listing>
#   ZS_WINE_SKIP_BUILD=1   use the existing build/win64 and build/win32
#   ZS_WINE_JOBS=n         parallel build jobs (default 2)
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

die() { echo "wine tests: FAILED: $*" >&2; exit 1; }
fail() { echo "wine tests: FAIL: $*"; STATUS=1; }
note() { echo "wine tests: $*"; }

for tool in wine wineboot wineserver winepath widl cmake \
            x86_64-w64-mingw32-g++-posix i686-w64-mingw32-g++-posix; do
  command -v "$tool" >/dev/null 2>&1 ||
    die "'$tool' is missing: install mingw-w64, wine64 and libwine-dev (the project's install script does)"
done
[ -s "$CATALOGUE" ] || die "catalogue listing '$CATALOGUE' is missing (build the catalogue_dump target)"

export WINEPREFIX=$WORK/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="  # no Mono or Gecko installers in a test prefix
unset DISPLAY

# --- build -------------------------------------------------------------------
if [ "${ZS_WINE_SKIP_BUILD:-0}" != 1 ]; then
  for preset in win64 win32; do
    note "building preset $preset"
    (cd "$SRC" && cmake --preset "$preset" && cmake --build --preset "$preset" -j "$JOBS") \
      >"$LOG/build-$preset.txt" 2>&1 || { tail -40 "$LOG/build-$preset.txt"; die "the $preset build failed"; }
  done
fi

# --- prefix ------------------------------------------------------------------
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  note "creating the Wine prefix $WINEPREFIX"
  wineboot -i >"$LOG/wineboot.txt" 2>&1 || die "wineboot failed (see $LOG/wineboot.txt)"
  wineserver -w
fi

winpath() { winepath -w "$1" 2>/dev/null; }
# Runs a Windows program; its output without carriage returns on stdout.
run_win() { wine "$@" 2>"$LOG/wine-stderr.txt" | tr -d '\r'; return "${PIPESTATUS[0]}"; }
reg_has() { wine reg query "$1" >/dev/null 2>&1; }

# The registry keys that registration must create and unregistration remove:
# every coclass of the catalogue listing, its ProgID and the type library.
clsids=$(sed -n 's/^coclass \([A-Za-z_]*\) \({[0-9A-F-]*}\).*/\1 \2/p' "$CATALOGUE")
libid=$(sed -n 's/^library [A-Za-z]* \({[0-9A-F-]*}\).*/\1/p' "$CATALOGUE")

check_registered() {  # <arch: win32|win64> <expect: present|absent>
  local arch=$1 expect=$2 name clsid bad=0
  while read -r name clsid; do
    for key in "HKCR\\CLSID\\$clsid\\InprocServer32" "HKCR\\VQZavrinStudio.$name\\CLSID"; do
      if reg_has "$key"; then [ "$expect" = absent ] && { fail "$key still present"; bad=1; }
      else [ "$expect" = present ] && { fail "$key missing"; bad=1; }; fi
    done
  done <<<"$clsids"
  local tlb="HKCR\\TypeLib\\$libid\\1.0\\0\\$arch"
  if reg_has "$tlb"; then [ "$expect" = absent ] && { fail "$tlb still present"; bad=1; }
  else [ "$expect" = present ] && { fail "$tlb missing"; bad=1; }; fi
  [ $bad = 0 ] && note "$arch: registry entries $expect as expected"
}

run_arch() {  # <arch> <build dir> <system dir holding regsvr32 and cscript>
  local arch=$1 build=$2 sys=$3
  local dll; dll=$(winpath "$build/server/VQZavrinStudio.dll")
  [ -f "$build/server/VQZavrinStudio.dll" ] || die "$build/server/VQZavrinStudio.dll was not built"
  note "$arch: registering $dll"
  wine "$sys\\regsvr32.exe" /s "$dll" >"$LOG/regsvr32-$arch.txt" 2>&1 || fail "$arch: regsvr32 failed"
  check_registered "$arch" present

  local suite name out summary
  mkdir -p "$WORK/suites"
  for suite in "$SRC"/tests/wine/suites/*.vbs; do
    name=$(basename "$suite" .vbs)
    cat "$SRC/tests/wine/check.vbs" "$suite" "$SRC/tests/wine/finish.vbs" >"$WORK/suites/$name.vbs"
    out=$(run_win "$sys\\cscript.exe" //nologo "$(winpath "$WORK/suites/$name.vbs")")
    local rc=$?
    summary=$(printf '%s\n' "$out" | grep -E '^[0-9]+ passed, [0-9]+ failed$' | tail -1)
    if [ -z "$summary" ]; then
      printf '%s\n' "$out"
      fail "$arch: suite $name ended without its summary line (a script error or a failed CreateObject)"
    elif [ $rc -ne 0 ] || ! [[ $summary =~ ^[0-9]+\ passed,\ 0\ failed$ ]]; then
      printf '%s\n' "$out"
      fail "$arch: suite $name: $summary (exit code $rc)"
    else
      note "$arch: suite $name: $summary"
    fi
  done

  # An early-bound C++ client calling through the dual vtables.
  out=$(run_win "$build/tests/wine/vtable_client.exe")
  local crc=$?
  summary=$(printf '%s\n' "$out" | grep -E '^[0-9]+ passed, [0-9]+ failed$' | tail -1)
  if [ $crc -ne 0 ] || ! [[ $summary =~ ^[0-9]+\ passed,\ 0\ failed$ ]]; then
    printf '%s\n' "$out"
    fail "$arch: vtable client: ${summary:-no summary} (exit code $crc)"
  else
    note "$arch: vtable client: $summary"
  fi

  # The registered type library against the catalogue.
  run_win "$build/tests/wine/typelib_dump.exe" >"$WORK/typelib-$arch.txt"
  if [ $? -ne 0 ]; then
    fail "$arch: typelib_dump failed"
  elif ! diff -u "$CATALOGUE" "$WORK/typelib-$arch.txt" >"$WORK/typelib-$arch.diff"; then
    cat "$WORK/typelib-$arch.diff"
    fail "$arch: the registered type library differs from the catalogue"
  else
    note "$arch: type library matches the catalogue ($(grep -c '^  ' "$CATALOGUE") functions)"
  fi

  # The Variant rules against the platform's automation runtime.
  run_win "$build/tests/wine/variant_diff.exe" >"$WORK/variant-diff-$arch.txt"
  local vrc=$?
  sed -n '/^summary/,$p' "$WORK/variant-diff-$arch.txt"
  [ $vrc -eq 0 ] || fail "$arch: the Variant differential test found unexplained differences (see $WORK/variant-diff-$arch.txt)"

  note "$arch: unregistering"
  wine "$sys\\regsvr32.exe" /u /s "$dll" >>"$LOG/regsvr32-$arch.txt" 2>&1 || fail "$arch: regsvr32 /u failed"
  check_registered "$arch" absent
}

run_arch win64 "$SRC/build/win64" 'C:\windows\system32'

# The 32-bit run needs the i386 Wine loader and a kernel that runs 32-bit
# programs; some machines have the packages but not the kernel support.
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'ok installed'; then
  note "SKIPPED the 32-bit run: the i386 Wine packages (wine32:i386) are not installed; the win32 build linked"
elif ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  note "SKIPPED the 32-bit run: this kernel cannot run the 32-bit Wine loader; the win32 build linked"
else
  run_arch win32 "$SRC/build/win32" 'C:\windows\syswow64'
fi

wineserver -k >/dev/null 2>&1 || true
[ $STATUS = 0 ] && note "all passed" || note "FAILED"
exit $STATUS
