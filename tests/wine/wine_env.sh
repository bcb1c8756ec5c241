# Wine set-up shared by run.sh and sdk_test.sh (sourced, not run).
#
# Each architecture runs in its own private prefix under the work directory:
#   win64             the 64-bit loader (wine64), prefix-win64;
#   win32 (wow64)     the same 64-bit loader in WoW64 mode: the i386 Windows
#                     DLLs of libwine:i386 (same version as the installed
#                     wine64) are fetched with `apt-get download` and unpacked
#                     into <work>/i386 (kept between runs), WINEDLLPATH points
#                     at them and wineboot fills syswow64; prefix-win32-wow64;
#   win32 (native)    the fallback where WoW64 cannot start a 32-bit process:
#                     the 32-bit loader of wine32:i386 and the i386 libraries it
#                     needs, unpacked the same way, run through LD_LIBRARY_PATH,
#                     WINELOADER and WINEDLLPATH in a 32-bit prefix.
# Nothing of the i386 architecture is installed on the system.
#
# The caller sets SRC, WORK, LOG, ZS_WINE64 and ZS_WINESERVER (the programs
# zs_find_tool found), and defines note().

export WINEDEBUG=-all
# No Mono or Gecko installers in a test prefix; no winebrowser, which would
# hand a web or mail address to the host's desktop.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winebrowser.exe=d"
unset DISPLAY WAYLAND_DISPLAY

WINE_VERSION=$(dpkg-query -W -f='${Version}' wine64 2>/dev/null)
I386_CACHE=$WORK/i386

# fetch_i386 <dir> <package...>: downloads the i386 packages (apt-get download)
# and unpacks them into <dir>, once; later runs reuse the tree.
fetch_i386() {
  local dir=$1; shift
  [ -f "$dir/.complete" ] && return 0
  local debs=$dir.debs deb
  rm -rf "$dir" "$debs" && mkdir -p "$dir" "$debs"
  note "fetching $# i386 package(s) into $dir"
  (cd "$debs" && apt-get download "$@") >"$LOG/apt-download.txt" 2>&1 || {
    WIN32_WHY="apt-get download $1 failed: $(grep -m1 '^E:' "$LOG/apt-download.txt") (is the i386 architecture enabled? scripts/install-deps.sh enables it)"
    return 1
  }
  for deb in "$debs"/*.deb; do
    dpkg-deb -x "$deb" "$dir" || { WIN32_WHY="dpkg-deb -x $deb failed"; return 1; }
  done
  rm -rf "$debs"
  touch "$dir/.complete"
}

# make_prefix: creates $WINEPREFIX with $WINE when it is missing or was made
# by another Wine version or route, and waits for its server to settle.
make_prefix() {
  local stamp=$WINEPREFIX/.zs-prefix want="$WINE_VERSION $WIN_ROUTE"
  [ -f "$WINEPREFIX/system.reg" ] && [ "$(cat "$stamp" 2>/dev/null)" = "$want" ] && return 0
  rm -rf "$WINEPREFIX"
  # The native 32-bit wineboot exits non-zero although it made the prefix; the
  # probe that follows tells whether programs run in it.
  "$WINE" wineboot -i >"$LOG/wineboot-$WIN_ARCH.txt" 2>&1
  "$ZS_WINESERVER" -w
  [ -f "$WINEPREFIX/system.reg" ] || return 1
  # A 32-bit prefix gets no copy of the zlib1.dll that user32 imports (a WoW64
  # prefix does); see use_win32_native.
  local zlib=/usr/i686-w64-mingw32/lib/zlib1.dll system32=$WINEPREFIX/drive_c/windows/system32
  if [ "$WIN_ROUTE" = native ] && [ ! -f "$system32/zlib1.dll" ] && [ -f "$zlib" ]; then
    cp "$zlib" "$system32/"
  fi
  echo "$want" >"$stamp"
}

# Each use_* sets WIN_ARCH, WIN_ROUTE, WINE, WIN_SYS (the system folder holding
# the programs of that bitness) and WINEPREFIX, and exports what the loader
# needs; it returns non-zero with the reason in WIN32_WHY when it cannot.
use_win64() {
  WIN_ARCH=win64 WIN_ROUTE=win64 WIN_LABEL=win64
  WINE=$ZS_WINE64 WIN_SYS='C:\windows\system32'
  export WINEPREFIX=$WORK/prefix-win64
}

use_win32_wow64() {
  WIN_ARCH=win32 WIN_ROUTE=wow64 WIN_LABEL="win32 (wow64)"
  WINE=$ZS_WINE64 WIN_SYS='C:\windows\syswow64'
  export WINEPREFIX=$WORK/prefix-win32-wow64
  [ -n "$WINE_VERSION" ] || { WIN32_WHY="the wine64 package is not installed"; return 1; }
  local root=$I386_CACHE/libwine-$WINE_VERSION
  fetch_i386 "$root" "libwine:i386=$WINE_VERSION" || return 1
  export WINEDLLPATH=$root/usr/lib/i386-linux-gnu/wine
}

# The i386 packages the 32-bit loader needs: wine32:i386 and its dependencies
# of that architecture. The C library stays the system's multilib one
# (libc6-i386), whose loader /lib/ld-linux.so.2 the 32-bit programs name.
native_packages() {
  apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
      --no-breaks --no-replaces --no-enhances "wine32:i386=$WINE_VERSION" 2>/dev/null |
    grep -E '^[a-z0-9][^ <>]*:i386$' | grep -v -E '^(libc6|wine32|libwine):i386$' | sort -u
}

use_win32_native() {
  WIN_ARCH=win32 WIN_ROUTE=native WIN_LABEL="win32 (native)"
  WIN_SYS='C:\windows\system32'
  export WINEPREFIX=$WORK/prefix-win32-native
  [ -x /lib/ld-linux.so.2 ] || { WIN32_WHY="the 32-bit ELF loader /lib/ld-linux.so.2 is missing (package libc6-i386)"; return 1; }
  local root=$I386_CACHE/wine32-$WINE_VERSION packages
  if [ ! -f "$root/.complete" ]; then
    packages=$(native_packages)
    [ -n "$packages" ] || { WIN32_WHY="apt-cache knows no wine32:i386=$WINE_VERSION (is the i386 architecture enabled?)"; return 1; }
    # shellcheck disable=SC2086 # one package a word
    fetch_i386 "$root" "wine32:i386=$WINE_VERSION" "libwine:i386=$WINE_VERSION" $packages || return 1
  fi
  WINE=$root/usr/lib/wine/wine
  export WINELOADER=$WINE WINESERVER=$ZS_WINESERVER WINEARCH=win32
  # user32 imports zlib1.dll, which Debian ships apart (libz-mingw-w64, a
  # dependency of libwine); wineboot finds it here, and make_prefix copies it
  # into the prefix for the programs started from outside it.
  export WINEDLLPATH=$root/usr/lib/i386-linux-gnu/wine:/usr/i686-w64-mingw32/lib
  export LD_LIBRARY_PATH=$root/usr/lib/i386-linux-gnu:$root/lib/i386-linux-gnu${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
  local out
  out=$("$WINE" --version 2>&1) || { WIN32_WHY="the 32-bit Wine loader does not start: ${out:0:200}"; return 1; }
}

# can_start_32bit: true when the prefix runs a 32-bit Windows program.
can_start_32bit() {
  local out
  out=$("$WINE" "$WIN_SYS\\cmd.exe" /c echo zs-32-bit-ok 2>>"$LOG/probe-$WIN_ROUTE.txt" | tr -d '\r')
  [ "$out" = zs-32-bit-ok ]
}

# use_win32: the WoW64 route, else the native one ($ZS_WINE32_ROUTE may name
# the routes to try). Creates the prefix; on failure WIN32_WHY says what each
# route tried. A route is tried in a subshell so that a failed one leaves no
# environment behind.
use_win32() {
  local route why tried=()
  for route in ${ZS_WINE32_ROUTE:-wow64 native}; do
    why=$LOG/why-$route.txt
    if (
      WIN32_WHY=""
      "use_win32_$route" || { echo "$WIN32_WHY" >"$why"; exit 1; }
      make_prefix || { echo "wineboot failed (see $LOG/wineboot-win32.txt)" >"$why"; exit 1; }
      can_start_32bit || { echo "no 32-bit program starts in the prefix (see $LOG/probe-$route.txt)" >"$why"; exit 1; }
    ) >"$LOG/route-$route.txt" 2>&1; then
      "use_win32_$route"
      return 0
    fi
    tried+=("$route: $(cat "$why" 2>/dev/null || echo "failed, see $LOG/route-$route.txt")")
  done
  WIN32_WHY=$(printf '%s; ' "${tried[@]}")
  WIN32_WHY=${WIN32_WHY%; }
  return 1
}

# run_win <program> <args...>: runs a Windows program of the current
# architecture; its output without carriage returns on stdout.
run_win() { "$WINE" "$@" 2>>"$LOG/wine-stderr-$WIN_ARCH.txt" | tr -d '\r'; return "${PIPESTATUS[0]}"; }
winpath() { "$WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
