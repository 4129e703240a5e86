#!/usr/bin/env bash
# Sets up and builds (see setup.sh), then runs every test. Needs no display.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/tools/setup.sh"
build_dir=${ZELK_BUILD_DIR:-$top/build}
cd "$build_dir"
QT_QPA_PLATFORM=offscreen ctest -j2 --output-on-failure
