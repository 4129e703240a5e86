#!/usr/bin/env bash
# Sets up and builds (see setup.sh), then runs every check, without a display:
#   1. the test suite (unit, GUI offscreen, property and hostile-input tests);
#   2. the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. each fuzz target for ZELK_FUZZ_SECONDS (default 20) from its committed corpus;
#   4. the Windows program's suite, cross-built and run under Wine (tools/windows.sh).
# ZELK_QUICK=1 runs only the first.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export ZELK_WERROR=ON  # a warning fails the checks
"$top/tools/setup.sh"
build_dir=${ZELK_BUILD_DIR:-$top/build}
export QT_QPA_PLATFORM=offscreen

passed=0
run_suite() {  # build folder, label
    echo "== $2"
    local log
    log=$(mktemp)
    (cd "$1" && ctest -j2 --output-on-failure) | tee "$log"
    local count
    count=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log")
    rm -f "$log"
    passed=$((passed + ${count:-0}))
}

run_suite "$build_dir" "test suite"

if [ "${ZELK_QUICK:-0}" != 1 ]; then
    echo "== sanitizer build (AddressSanitizer, UndefinedBehaviorSanitizer)"
    cmake -S "$top" -B "$top/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZELK_SANITIZE=ON \
        -DZELK_WERROR=ON -DZELK_BUILD_BENCH=OFF >/dev/null
    cmake --build "$top/build-asan" -j2
    run_suite "$top/build-asan" "test suite under the sanitizers"

    echo "== fuzz targets"
    cmake -S "$top" -B "$top/build-fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELK_BUILD_FUZZ=ON -DZELK_FRONT_END=none \
        -DZELK_WERROR=ON -DZELK_BUILD_TESTS=OFF -DZELK_BUILD_BENCH=OFF >/dev/null
    cmake --build "$top/build-fuzz" -j2
    seconds=${ZELK_FUZZ_SECONDS:-20}
    for target in PanelLine TextStream Profile; do
        corpus=$(mktemp -d)
        log=$(mktemp)
        # New inputs go to the temporary folder; the committed corpus is only read.
        if ! "$top/build-fuzz/fuzz/fuzz$target" -max_total_time="$seconds" -print_final_stats=1 \
            "$corpus" "$top/fuzz/corpus/$target" >"$log" 2>&1; then
            tail -n 40 "$log" >&2
            echo "fuzz$target found a failure; the input that shows it is named above" >&2
            exit 1
        fi
        sed -n "s/^stat::number_of_executed_units: */fuzz$target: executions: /p" "$log"
        rm -rf "$corpus" "$log"
        passed=$((passed + 1))
    done
fi

if [ "${ZELK_QUICK:-0}" != 1 ]; then
    echo "== the Windows program, cross-built and tested under Wine"
    log=$(mktemp)
    "$top/tools/windows.sh" | tee "$log"
    count=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log")
    rm -f "$log"
    passed=$((passed + ${count:-0}))
fi

echo "$passed passed, 0 failed"
