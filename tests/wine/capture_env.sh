# Set-up shared by the Wine capture tests (sourced, not run): the arguments,
# the win64 build of the DLL and the given test programs, a private prefix
# under <work-dir>/<name>, an Xvfb of the test's own (it picks a free display
# number; never the user's display) that every Wine process from here on
# uses, and the DLL registered.
#
# usage: . capture_env.sh <name> <targets> <source-dir> <work-dir> <zavrin> <compare> <Xvfb>
#   sets SRC, WORK, LOG, ZAVRIN, COMPARE, BIN (build/win64) and note/die
#   saying "<name>: ..."; ZS_WINE_SKIP_BUILD=1 uses the existing build/win64.
set -u
CAPTURE_NAME=$1
CAPTURE_TARGETS=$2
SRC=$(cd "${3:?source dir}" && pwd)
WORK=${4:?work dir}
ZAVRIN=${5:?zavrin}
COMPARE=${6:?compare program}
XVFB=${7:?Xvfb}
mkdir -p "$WORK"
WORK=$(cd "$WORK" && pwd)/${CAPTURE_NAME// /-}
LOG=$WORK/log
BIN=$SRC/build/win64
mkdir -p "$LOG"
note() { echo "$CAPTURE_NAME: $*"; }
die() { echo "$CAPTURE_NAME: FAILED: $*" >&2; exit 1; }
# shellcheck source=wine_env.sh
. "$SRC/tests/wine/wine_env.sh"

if [ "${ZS_WINE_SKIP_BUILD:-0}" != 1 ]; then
  # shellcheck disable=SC2086  # the targets are words
  (cd "$SRC" && cmake --preset win64 && cmake --build --preset win64 -j 2 --target VQZavrinStudio $CAPTURE_TARGETS) \
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

run_win "$WIN_SYS\\regsvr32.exe" /s "$(winpath "$BIN/server/VQZavrinStudio.dll")" || die "regsvr32 failed"
