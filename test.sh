#!/usr/bin/env bash
# Installs what is missing, builds Marrowpad with its tests and runs the whole suite.
# Extra arguments go to ctest (for example: ./test.sh -R Notebook).
# ./test.sh --sanitize [ctest arguments] does the same with AddressSanitizer, LeakSanitizer
# and UndefinedBehaviorSanitizer, in a build folder of its own (build-san).
set -euo pipefail
cd "$(dirname "$0")"
. cmake/install-deps.sh
marrowpad_install_deps

sanitize=OFF
if [[ "${1:-}" == "--sanitize" ]]; then
    sanitize=ON
    shift
fi
if [[ $sanitize == ON ]]; then
    build_dir="${MARROWPAD_BUILD_DIR:-build-san}"
    extra=(-DMARROWPAD_SANITIZE=ON -DMARROWPAD_BENCH=OFF)
else
    build_dir="${MARROWPAD_BUILD_DIR:-build}"
    extra=()
fi
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release \
    -DMARROWPAD_WERROR="${MARROWPAD_WERROR:-OFF}" -DMARROWPAD_TESTS=ON "${extra[@]}"
cmake --build "$build_dir" -j"$(nproc)"
cd "$build_dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@"
