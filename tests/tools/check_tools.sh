#!/usr/bin/env bash
# Checks that cmake/tools.txt, this machine and the build agree:
#   - every listed program is found (on PATH, else in its listed directory) and,
#     following its links (alternatives included), is a file of the listed
#     Debian package, so a program installed by hand cannot hide a missing one;
#   - scripts/install-deps.sh installs every listed package;
#   - no CMake file calls find_program outside cmake/tools.cmake.
# usage: check_tools.sh <source-dir>
set -u
SRC=$(cd "${1:?source dir}" && pwd)
LIST=$SRC/cmake/tools.txt
failures=0
checked=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Prints the owning package of a path (architecture qualifier removed), or nothing.
owner() { dpkg -S "$1" 2>/dev/null | sed -n '1s/^\([^:,]*\).*: .*/\1/p'; }

# True when <path> or any link on the way to its final file belongs to <package>.
owned_by() {
  local path=$1 package=$2 hops=0 next
  while :; do
    [ "$(owner "$path")" = "$package" ] && return 0
    [ -L "$path" ] || break
    next=$(readlink "$path")
    [[ $next == /* ]] || next=$(dirname "$path")/$next
    path=$next
    hops=$((hops + 1))
    [ $hops -lt 16 ] || break
  done
  [ "$(owner "$(readlink -f "$path")")" = "$package" ]
}

installs=$("$SRC/scripts/install-deps.sh" --list)
while read -r program package dir _; do
  [[ -z $program || $program == \#* ]] && continue
  checked=$((checked + 1))
  if [ -z "${package:-}" ]; then
    fail "$program: no package named in cmake/tools.txt"
    continue
  fi
  grep -qx -- "$package" <<<"$installs" || fail "$package ($program) is not installed by scripts/install-deps.sh"
  found=$(PATH=$PATH${dir:+:$dir} command -v -- "$program")
  if [ -z "$found" ]; then
    fail "$program not found: the package $package is not installed (run scripts/install-deps.sh)"
  elif ! owned_by "$found" "$package"; then
    resolved=$(readlink -f "$found")
    fail "$program is $found -> $resolved, which belongs to '$(owner "$resolved")', not to $package"
  fi
done <"$LIST"

# CMake files of the source tree (the build trees left out).
while IFS= read -r file; do
  rel=${file#"$SRC"/}
  [ "$rel" = cmake/tools.cmake ] && continue
  checked=$((checked + 1))
  if grep -n 'find_program *(' "$file" >/dev/null; then
    fail "$rel calls find_program; use zs_find_tool (cmake/tools.cmake): $(grep -n 'find_program *(' "$file" | head -1)"
  fi
done < <(find "$SRC" \( -name 'build*' -o -name '.git' \) -prune -o \
                 \( -name CMakeLists.txt -o -name '*.cmake' \) -type f -print)

echo "tools: $((checked - failures)) passed, $failures failed"
[ $failures -eq 0 ]
