#!/usr/bin/env bash
# Sets up and builds (see setup.sh), then opens Zelk Gauges.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/tools/setup.sh"
build_dir=${ZELK_BUILD_DIR:-$top/build}
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: Zelk Gauges is a desktop program and needs a graphical session to open." >&2
    exit 1
fi
exec "$build_dir/src/zelkgauges"
