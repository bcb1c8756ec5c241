#!/usr/bin/env bash
# The Windows SDK archive as a customer gets it: builds the windows_sdk target,
# unpacks the archive, compiles tests/wine/sdk_client.cpp against its header
# and interface-id source with mingw-w64 for each bitness, registers that
# bitness's DLL from the archive with the matching regsvr32 and runs the client
# (an early-bound call, the .tlb read as a file) in the Wine prefixes of run.sh.
#
# usage: sdk_test.sh <source-dir> <linux-build-dir> <work-dir>
#   ZS_WINE64, ZS_WINESERVER, ZS_MINGW_CC_<arch>, ZS_MINGW_CXX_<arch>  (set by CTest)
#   ZS_WINE32_ROUTE   as for run.sh
set -u
SRC=$(cd "${1:?source dir}" && pwd)
BUILD=$(cd "${2:?linux build dir}" && pwd)
WORK=${3:?work dir}
mkdir -p "$WORK"
WORK=$(cd "$WORK" && pwd)
LOG=$WORK/log
mkdir -p "$LOG"
STATUS=0
note() { echo "wine tests: $*"; }
fail() { echo "wine tests: sdk $WIN_LABEL: FAIL: $*"; STATUS=1; }
# shellcheck source=wine_env.sh
. "$SRC/tests/wine/wine_env.sh"

cmake --build "$BUILD" --target windows_sdk >"$LOG/sdk-build.txt" 2>&1 ||
  { tail -40 "$LOG/sdk-build.txt"; note "sdk: FAILED: the windows_sdk target failed"; exit 1; }
zip=$(sed -n 's/^-- Windows SDK archive: //p' "$LOG/sdk-build.txt" | tail -1)
[ -f "$zip" ] || { note "sdk: FAILED: the windows_sdk target named no archive"; exit 1; }
rm -rf "$WORK/sdk" && mkdir -p "$WORK/sdk"
(cd "$WORK/sdk" && cmake -E tar xf "$zip") || { note "sdk: FAILED: cannot unpack $zip"; exit 1; }
sdk=$(echo "$WORK"/sdk/VQZavrinStudio-sdk-*)
note "sdk: $(basename "$zip"): $(cd "$sdk" && find . -type f | sort | tr '\n' ' ')"

# <arch> <folder of its DLL in the archive> <pointer size>
client() {
  local arch=$1 folder=$2 size=$3 cc cxx exe=$WORK/sdk-client-$1.exe out rc
  cc=ZS_MINGW_CC_$arch cxx=ZS_MINGW_CXX_$arch
  if ! { "${!cc}" -c -o "$WORK/sdk-iids-$arch.o" "$sdk/include/VQZavrinStudio_i.c" &&
         "${!cxx}" -std=c++20 -Wall -Wextra -Werror -I "$sdk/include" -o "$exe" \
           "$SRC/tests/wine/sdk_client.cpp" "$WORK/sdk-iids-$arch.o" \
           -static -static-libgcc -static-libstdc++ -lole32 -loleaut32 -luuid; } >"$LOG/sdk-client-$arch.txt" 2>&1; then
    cat "$LOG/sdk-client-$arch.txt"
    fail "the client does not compile against the archive's header"
    return
  fi
  local dll tlb
  dll=$(winpath "$sdk/$folder/VQZavrinStudio.dll")
  tlb=$(winpath "$sdk/VQZavrinStudio.tlb")
  "$WINE" "$WIN_SYS\\regsvr32.exe" /s "$dll" >"$LOG/sdk-regsvr32-$arch.txt" 2>&1 || fail "regsvr32 $dll failed"
  out=$(run_win "$exe" "$tlb")
  rc=$?
  if [ $rc -ne 0 ] || ! grep -qx "pointer size $size" <<<"$out" || ! grep -qE '^[0-9]+ passed, 0 failed$' <<<"$out"; then
    printf '%s\n' "$out"
    fail "the client failed (exit code $rc)"
  else
    note "sdk $WIN_LABEL: $folder DLL registered with $WIN_SYS\\regsvr32, client: $(tail -1 <<<"$out")"
  fi
  "$WINE" "$WIN_SYS\\regsvr32.exe" /u /s "$dll" >>"$LOG/sdk-regsvr32-$arch.txt" 2>&1 || fail "regsvr32 /u $dll failed"
  "$ZS_WINESERVER" -k >/dev/null 2>&1
}

use_win64
if make_prefix; then client win64 x64 8; else WIN_LABEL=win64; fail "wineboot failed"; fi
if use_win32; then
  client win32 x86 4
else
  note "sdk win32: SKIPPED: no route starts a 32-bit Windows program here (tried $WIN32_WHY)"
fi
exit $STATUS
