#!/usr/bin/env bash
# Builds Orvalis and runs every test: scripts/test.sh [BUILD_DIR [extra CMake arguments]].
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$here/build}
[[ $# -gt 0 ]] && shift
bash "$here/scripts/deps.sh"
bash "$here/scripts/build.sh" "$dir" "$@"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
