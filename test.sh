#!/usr/bin/env bash
# Installs what is missing, builds Marrowpad with its tests and runs the whole suite.
# Extra arguments go to ctest (for example: ./test.sh -R Notebook).
set -euo pipefail
cd "$(dirname "$0")"
. cmake/install-deps.sh
marrowpad_install_deps

build_dir="${MARROWPAD_BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release \
    -DMARROWPAD_WERROR="${MARROWPAD_WERROR:-OFF}" -DMARROWPAD_TESTS=ON
cmake --build "$build_dir" -j"$(nproc)"
cd "$build_dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@"
