# Sourced by run.sh and test.sh: installs the Debian packages the build needs, but only
# when one of them is missing, so a second run does not touch the network.
MARROWPAD_PACKAGES="cmake g++ make qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins \
libgtest-dev libgmock-dev libbenchmark-dev fonts-noto-cjk fonts-dejavu-core \
qt6-translations-l10n"
# Test input only: real Python, Ruby and JavaScript sources for the highlighter tests.
MARROWPAD_PACKAGES="$MARROWPAD_PACKAGES python3 ruby libjs-jquery-ui libjs-d3 libjs-lodash libjs-three"
# The install test's validators (xdg-mime answers through libfile-mimeinfo-perl on a machine
# without a desktop), and dpkg-dev and file, which cpack needs to work out the package's
# dependencies.
MARROWPAD_PACKAGES="$MARROWPAD_PACKAGES desktop-file-utils appstream libxml2-utils \
shared-mime-info xdg-utils libfile-mimeinfo-perl dpkg-dev file"

marrowpad_install_deps() {
    local missing=()
    local pkg
    for pkg in $MARROWPAD_PACKAGES; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}
