#!/usr/bin/env bash
# Sets up and builds the program alone (see setup.sh: no test or benchmark is built), then
# opens Zelk Gauges on a fresh copy of the bundled sample simulator folder. Each run gets its
# own copy of the sample, of the program and of its ZELKGAU.INI under build/try, so the build's
# own program stays as a real user gets it.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/tools/setup.sh" zelkgauges
build_dir=${ZELK_BUILD_DIR:-$top/build}

try="$build_dir/try"
rm -rf "$try"
mkdir -p "$try"
cp -R "$top/sample/FS2000" "$try/FS2000"
cp "$build_dir/src/zelkgauges" "$try/zelkgauges"
printf '[FS2000]\r\nFolder=%s\r\n' "$try/FS2000" >"$try/ZELKGAU.INI"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: Zelk Gauges is a desktop program; run this in a graphical session (the sample is ready in $try)." >&2
    exit 1
fi
echo "Opening Zelk Gauges on the sample simulator folder $try/FS2000"
exec "$try/zelkgauges"
