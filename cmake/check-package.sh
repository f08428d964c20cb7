#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it on this machine, runs the
# installed programs (the window under Xvfb), then purges it and looks for anything left
# behind. It changes the machine's installed packages, so it is not part of the test suite.
# Needs root (or sudo). Usage: cmake/check-package.sh [build folder, default build-package]
set -euo pipefail
cd "$(dirname "$0")/.."
. cmake/install-deps.sh
MARROWPAD_PACKAGES="$MARROWPAD_PACKAGES lintian xvfb xauth xdotool x11-utils imagemagick"
marrowpad_install_deps
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

build_dir="${1:-build-package}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
step() { printf '\n$ %s\n' "$*"; "$@"; }

# A build folder that exists already is packaged as it is configured.
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DMARROWPAD_TESTS=OFF \
        -DMARROWPAD_BENCH=OFF >/dev/null
fi
cmake --build "$build_dir" -j"$(nproc)" >/dev/null
(cd "$build_dir" && rm -f marrowpad_*.deb && cpack -G DEB >/dev/null)
deb="$(ls "$build_dir"/marrowpad_*_amd64.deb)"

step ls -l "$deb"
step dpkg-deb --field "$deb" Package Version Installed-Size Depends Recommends
step lintian --pedantic --display-info "$deb" || true

if dpkg-query -W marrowpad >/dev/null 2>&1; then
    echo "marrowpad is installed already: purge it first." >&2
    exit 1
fi
step $sudo apt-get install -y "./$deb"
step which marrowpad mrp
step marrowpad --version
step mrp --version

# The libraries the installed programs link, by the package that holds them: each must be
# named in Depends.
owner() {
    dpkg -S "$1" 2>/dev/null || dpkg -S "/usr$1" 2>/dev/null || echo "(no package): $1"
}
echo
echo "$ ldd /usr/bin/marrowpad /usr/bin/mrp  # the libraries named in the binaries, by package"
for lib in $(objdump -p /usr/bin/marrowpad /usr/bin/mrp | awk '/NEEDED/ {print $2}' | sort -u); do
    path="$(ldd /usr/bin/marrowpad /usr/bin/mrp | awk -v l="$lib" '$1 == l {print $3; exit}')"
    printf '%-24s %s\n' "$lib" "$(owner "$path" | cut -d: -f1)"
done

# The window, under Xvfb, opening a notebook given with a relative name.
mrp create docs/sample-notebook.json "$work/sample.mrp" >/dev/null
show_window() {
    xvfb-run -a -s "-screen 0 1024x700x24" sh -c '
        marrowpad sample.mrp & pid=$!
        win=""
        for i in $(seq 1 50); do
            win="$(xdotool search --onlyvisible --name "^Marrowpad\$" 2>/dev/null | head -n1)"
            [ -n "$win" ] && break
            sleep 0.2
        done
        [ -n "$win" ] || exit 1
        sleep 1
        import -window root screen.png
        echo "window: \"$(xdotool getwindowname "$win")\" from $(readlink /proc/$pid/exe)"
        # the icon the window hands to the desktop, at its smallest size
        xprop -id "$win" _NET_WM_ICON | sed -n "1,18p"
        kill "$pid"'
}
echo
echo "$ (cd $work && xvfb-run marrowpad sample.mrp)  # then a screenshot of the screen"
# Another Xvfb may take the display number between xvfb-run's choice and its start: retry.
shown=""
for attempt in 1 2 3; do
    if (cd "$work" && show_window 2>/dev/null); then shown=yes; break; fi
    sleep 2
done
if [ -z "$shown" ]; then
    echo "the window did not appear" >&2
    $sudo apt-get purge -y marrowpad >/dev/null
    exit 1
fi
cp "$work/screen.png" "$build_dir/installed-window.png"
echo "screenshot: $build_dir/installed-window.png"

step $sudo apt-get purge -y marrowpad
echo
echo "$ dpkg -L marrowpad; find / -xdev -name '*marrowpad*'"
dpkg -L marrowpad 2>&1 || true
find /usr /etc /var/lib/dpkg/info -name '*marrowpad*' 2>/dev/null || true
left="$(find /usr /etc /var/lib/dpkg/info -name '*marrowpad*' 2>/dev/null | wc -l)"
if [ "$left" -ne 0 ]; then
    echo "left behind after purge: $left files" >&2
    exit 1
fi
echo "nothing left behind"
