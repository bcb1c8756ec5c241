#!/usr/bin/env bash
# The main job: builds the Linux library and the zavrin command, both Windows
# DLLs (32-bit product and 64-bit build) and the Windows SDK archive that holds
# them, then lists the catalogue.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"
# Configures and builds the win32 and win64 presets, then packs the archive.
cmake --build --preset release --target windows_sdk

ls -l build/win32/server/VQZavrinStudio.dll build/win64/server/VQZavrinStudio.dll \
      build/release/VQZavrinStudio-sdk-*.zip
./build/release/cli/zavrin list
