#!/usr/bin/env bash
# The main job: builds the Linux library, the zavrin command and both Windows
# DLLs (32-bit product and 64-bit build), then lists the catalogue.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$(nproc)"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j"$(nproc)"

ls -l build/win32/server/VQZavrinStudio.dll build/win64/server/VQZavrinStudio.dll
./build/release/cli/zavrin list
