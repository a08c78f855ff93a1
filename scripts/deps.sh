# Installs the Debian packages the build needs, only those that are missing.
# Sourced by scripts/run, scripts/test and scripts/bench.

# What the tests add: a CUPS scheduler of their own with a cups-pdf queue, and
# pdftotext to read the PDFs it writes.
kalmur_test_packages=(cups-daemon printer-driver-cups-pdf poppler-utils)

kalmur_install_deps() {
    local wanted=(cmake ninja-build g++ pkg-config qt6-base-dev libzip-dev libical-dev tzdata libgtest-dev libgmock-dev
                  fonts-liberation2 xvfb xauth zip unzip strace "$@")
    local missing=()
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "Missing packages (${missing[*]}) and no sudo: run this script once as root, or install sudo, then run it again." >&2
            return 1
        fi
        sudo="sudo"
    fi
    echo "Installing missing packages: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
