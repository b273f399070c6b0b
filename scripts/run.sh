#!/usr/bin/env bash
# Builds Orvalis and starts the program on the bundled installation data in build/program.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/deps.sh"
bash "$here/scripts/build.sh" "$here/build"
exec "$here/build/program/orvalis" "$@"
