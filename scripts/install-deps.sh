#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are
# missing. Run as root (or with sudo); downloads nothing but Debian packages.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev nlohmann-json3-dev
  # Line editing of `zavrin repl` (BSD licensed).
  libedit-dev
  # The Windows product: cross compilers, the IDL compiler and Wine to test it.
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine64 libwine-dev wine64-tools
  # The packages: the Debian package (CPack's DEB generator, dpkg-shlibdeps and
  # the file type probe it runs), the man page check, the Python client's tests.
  dpkg-dev file groff-base python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Run this script as root (sudo $0) to install them." >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
