#!/usr/bin/env bash
# Installs what is missing, builds Marrowpad (Release) and starts it.
# Usage: ./run.sh [notebook.mrp]
set -euo pipefail
cd "$(dirname "$0")"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Marrowpad needs a graphical display, and neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
    exit 1
fi
. cmake/install-deps.sh
marrowpad_install_deps

build_dir="${MARROWPAD_RUN_BUILD_DIR:-build-release}"
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DMARROWPAD_TESTS=OFF -DMARROWPAD_BENCH=OFF >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target marrowpad
exec "$build_dir/app/marrowpad" "$@"
