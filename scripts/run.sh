#!/usr/bin/env bash
# Builds Orvalis and starts it on the bundled installation data in build/program.
# Until the reader itself exists this lists the titles of the bundled record database with orvalis-db.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/deps.sh"
bash "$here/scripts/build.sh" "$here/build"
program="$here/build/program"
exec "$program/orvalis-db" list "$program/D/iDbRecs.dat" "$@"
