#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then configures and builds
# into ./build. Used by run.sh and test.sh; safe to run again.
#
#   ./tools/setup.sh [TARGET...]
#
# With targets (run.sh asks for the program alone), only those are built, and only the packages
# that the program's build needs are installed; without, everything, for the checks too.
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${ZELK_BUILD_DIR:-$top/build}
targets=("$@")

# The program's build. GoogleTest is among them because configuring always looks for it.
packages=(cmake ninja-build g++ qt6-base-dev libgtest-dev fonts-dejavu-core fonts-liberation2
    fonts-comic-neue)
# The checks: clang for the fuzz targets; xvfb, openbox, xdotool and x11-utils run the
# window-manager test; dpkg-dev finds the Debian package's dependencies.
if ((${#targets[@]} == 0)); then
    packages+=(clang libclang-rt-14-dev xvfb openbox xdotool x11-utils dpkg-dev)
fi
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing missing packages: ${missing[*]}"
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null; then
            sudo=(sudo)
        else
            echo "These Debian packages are missing and you are not root: ${missing[*]}" >&2
            exit 1
        fi
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

cmake -S "$top" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${ZELK_BUILD_TYPE:-RelWithDebInfo}" \
    -DZELK_WERROR="${ZELK_WERROR:-OFF}" >/dev/null
cmake --build "$build_dir" -j2 ${targets[@]:+--target "${targets[@]}"}
