#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are
# missing: the package of every program in cmake/tools.txt and the libraries
# below. Also enables the i386 architecture, from which the Wine tests fetch
# the 32-bit Wine DLLs into the build tree (nothing of it is installed).
# Run as root (or with sudo); downloads nothing but Debian packages.
#   install-deps.sh --list   prints the packages and changes nothing
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# The programs' packages: the second column of cmake/tools.txt.
mapfile -t tool_packages < <(awk '!/^#/ && NF >= 2 { print $2 }' "$root/cmake/tools.txt" | sort -u)
packages=(
  "${tool_packages[@]}"
  pkg-config  # the pkg-config name, which pulls pkgconf
  libgtest-dev libgmock-dev libbenchmark-dev
  libclang-rt-14-dev  # libFuzzer and the sanitizer runtimes of clang
  libsqlite3-dev nlohmann-json3-dev
  # Locale conventions (language ids, names, separators, date patterns) on Linux.
  libicu-dev
  # sd-bus, through which the Linux backend asks logind to end the session or
  # sleep; its tests run python3-dbusmock's logind on a private dbus-daemon.
  libsystemd-dev python3-dbusmock
  # Icons on Linux: cairo image surfaces and PNG images.
  libcairo2-dev libpng-dev
  # The IDL files the type library imports, and its standard OLE library.
  libwine-dev
  # The 32-bit ELF loader, for the native 32-bit Wine fallback of the Wine tests.
  libc6-i386
  # The Python client's tests and bench/run.sh's report (python3 may also
  # come from elsewhere on PATH).
  python3
  # Line editing of `zavrin repl` (BSD licensed).
  libedit-dev
  # Display modes through the X server's RandR extension.
  libx11-dev libxrandr-dev
  # The branding windows on Linux: drawn with cairo and pango in Liberation
  # Sans (Arial's metrics), shown on X11; the presenter tests run an Xvfb.
  libcairo2-dev libpango1.0-dev fonts-liberation
  # Their tests click and type into the dialogs with the XTest extension.
  libxtst-dev
)

if [[ ${1:-} == --list ]]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
add_i386=0
if [[ $(dpkg --print-architecture) == amd64 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  add_i386=1
fi

if ((${#missing[@]} || add_i386)); then
  if [[ $(id -u) -ne 0 ]]; then
    ((${#missing[@]})) && echo "Missing packages: ${missing[*]}" >&2
    ((add_i386)) && echo "The i386 architecture is not enabled (dpkg --add-architecture i386)." >&2
    echo "Run this script as root (sudo $0) to install them." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  if ((add_i386)); then
    echo "Enabling the i386 architecture (for the 32-bit Wine DLLs the tests fetch)"
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi
