#!/usr/bin/env bash
# Sets everything up and runs the whole test suite.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$here/scripts/setup.sh"
build=${DRILL_BUILD_DIR:-$here/build}
cd "$build"
ctest --output-on-failure -j2 "$@"
