#!/usr/bin/env bash
# Cross-builds the Windows program and its tests into ./build-win with MinGW-w64, runs the tests
# under Wine without a display, and makes the zip when the build defines one. Installs the
# Debian packages it needs (only those missing; as root or with sudo). Safe to run again.
#
#   ./tools/windows.sh [--screenshot]
#   ./tools/windows.sh --bench [benchmark arguments]
#
# --screenshot also saves docs/windows-main-window.png: the main window after a Scan of the
# sample simulator folder, drawn under Wine and converted with ImageMagick.
# --bench builds only the Scan benchmark and runs it under Wine instead of the tests: the Scan
# against a floor of plain Win32 calls. What follows it goes to the benchmark
# ([--quick] [aircraft [lines per panel [gauge files [rounds]]]]).
#
#   ZELK_WIN_BUILD_DIR   build folder (default: build-win beside this script's folder)
#   ZELK_WIN_SOURCE_DIR  project to build (default: this repository)
#   ZELK_BUILD_TYPE      CMake build type (default: RelWithDebInfo)
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source_dir=${ZELK_WIN_SOURCE_DIR:-$top}
build_dir=${ZELK_WIN_BUILD_DIR:-$top/build-win}

# googletest: its sources, built inside the cross build. wine64 without its recommends is
# enough: no 32-bit Wine (these machines run no 32-bit code), no fonts, no sound.
packages=(cmake ninja-build g++-mingw-w64-x86-64-posix wine64 googletest unzip)

screenshot=0
bench=0
bench_arguments=()
while (($#)); do
    case $1 in
        --screenshot) screenshot=1 ;;
        --bench)
            bench=1
            shift
            bench_arguments=("$@")
            break
            ;;
        *)
            echo "usage: $0 [--screenshot] | --bench [benchmark arguments]" >&2
            exit 2
            ;;
    esac
    shift
done
if ((screenshot)); then
    packages+=(imagemagick)
fi

install_missing() {
    local missing=() package
    for package in "${packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    ((${#missing[@]})) || return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "These Debian packages are missing and you are not root: ${missing[*]}" >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

install_missing

cmake -S "$source_dir" -B "$build_dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE="${ZELK_BUILD_TYPE:-RelWithDebInfo}" -DZELK_FRONT_END=win32 >/dev/null
if ((bench)); then
    cmake --build "$build_dir" -j2 --target zelk_win32_scan_bench
else
    cmake --build "$build_dir" -j2
fi

# Wine: Debian keeps its programs off PATH. A private prefix in the build folder, so that no
# user's ~/.wine is touched and a fresh clone starts from nothing.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEPREFIX=$build_dir/wineprefix
export WINEDEBUG=-all
# No Mono and no Gecko: nothing here needs .NET or HTML, and Wine would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
# Wine takes the system's ANSI code page from the locale (ru_RU gives 1251) and converts Linux file
# names with its character set (under LANG=C or a locale that is not installed, no name beyond
# ASCII can be made). C.UTF-8 is on every Debian: code page 1252 and UTF-8 names.
export LC_ALL=C.UTF-8

# Windows are made by Wine's null graphics driver, so tests run without a display. The key must
# be there before the first program starts: with the default driver and no display, the prefix's
# first start waits for a desktop that never comes and leaves its services half started.
if [ ! -f "$WINEPREFIX/user.reg" ]; then
    mkdir -p "$WINEPREFIX"
    printf '%s\n' 'WINE REGISTRY Version 2' '' '#arch=win64' '' \
        '[Software\\Wine\\Drivers]' '"Graphics"="null"' >"$WINEPREFIX/user.reg"
fi

# A persistent server and the prefix's services (created on the first run, about 8 s and 0.7 GB)
# are started here with no terminal and no pipe: started by the first test, they would inherit
# ctest's output pipe and hold it open. Plain "wineboot": the first program on a new server
# already boots the prefix, and "wineboot -i" then starts a second service manager, with which
# programs that use COM (the folder picker) or make the first window can wait 10 s for the RPC
# service.
# A server left running for this prefix (an earlier run that was killed) would make "-p" fail.
"$wineserver" -k </dev/null >/dev/null 2>&1 || true
"$wineserver" -w </dev/null >/dev/null 2>&1 || true
"$wineserver" -p </dev/null >/dev/null 2>&1
trap '"$wineserver" -k </dev/null >/dev/null 2>&1 || true' EXIT
"$wine" wineboot </dev/null >/dev/null 2>&1

if ((bench)); then
    "$wine" "$build_dir/bench/zelk_win32_scan_bench.exe" "${bench_arguments[@]}" </dev/null
    exit
fi

# A modal dialog that no test answers waits for ever; the timeout turns it into a failure.
# Under load Wine now and then fails to start a test program at all (it ends at once, having
# printed nothing): a failed test runs once more, and fails the suite only if it fails again.
(cd "$build_dir" && ctest -j2 --timeout 600 --output-on-failure --repeat until-pass:2)

if ((screenshot)); then
    tool=$(find "$build_dir" -name zelk_win32_screenshot.exe -print -quit)
    (cd "$(dirname "$tool")" && "$wine" "$tool" windows-main-window.bmp </dev/null)
    convert "$(dirname "$tool")/windows-main-window.bmp" -strip \
        -define png:exclude-chunks=date,time "$top/docs/windows-main-window.png"
    echo "Saved $top/docs/windows-main-window.png"
fi

if [ -f "$build_dir/CPackConfig.cmake" ]; then
    (cd "$build_dir" && cpack -G ZIP >/dev/null)
    zip=$(ls "$build_dir"/*.zip)
    members=$(unzip -Z1 "$zip")
    # The zip is all a Windows user gets: the program and what to read first.
    for member in zelkgauges.exe README.txt; do
        if ! grep -qx "$member" <<<"$members"; then
            echo "$zip does not hold $member" >&2
            exit 1
        fi
    done
    echo "$zip"
fi
