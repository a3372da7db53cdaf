#!/usr/bin/env bash
# Sets everything up and starts the trainer on the bundled question bank.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$here/scripts/setup.sh"
build=${DRILL_BUILD_DIR:-$here/build}
if [ -x "$build/bin/pptdrill" ]; then
  exec "$build/bin/pptdrill" "$@"
fi
# Until the main window exists: say what was built.
echo "Program folder: $build/bin"
ls -l "$build/bin"
