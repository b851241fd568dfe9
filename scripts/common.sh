# Shared by scripts/run and scripts/test: install what is missing, then build in one folder.
# shellcheck shell=bash

KQ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# The tests build with the sanitizers in build/; the main job runs a release build of its own.
KQ_TEST_BUILD="${KQ_BUILD_DIR:-$KQ_ROOT/build}"
KQ_RELEASE_BUILD="${KQ_RELEASE_BUILD_DIR:-$KQ_ROOT/build-release}"
KQ_BUILD="$KQ_TEST_BUILD"

# Photos: libjpeg-turbo's own interface for the compression; Qt's readers of the formats phones
# and scanners save (TIFF and WebP; HEIF/HEIC and AVIF); heif-enc makes the tests' HEIC photo.
# Web pages: Qt WebEngine and QWebChannel for the browser library (their run-time parts come along).
KQ_PACKAGES=(cmake ninja-build g++ pkg-config qtbase5-dev qtbase5-dev-tools libqt5sql5-sqlite
    libcpp-httplib-dev libsqlite3-dev libssl-dev xvfb xauth fonts-wqy-microhei
    libjpeg-dev qt5-image-formats-plugins kimageformat-plugins libheif-examples
    qtwebengine5-dev libqt5webchannel5-dev)

kq_install_packages() {
    local missing=()
    local p
    for p in "${KQ_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        apt-get update -qq || return 1
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" || return 1
    else
        echo "Missing packages. Run as root:"
        echo "  apt-get install -y --no-install-recommends ${missing[*]}"
        return 1
    fi
}

# kq_build [cmake args...]: configure the build folder $KQ_BUILD once, then build incrementally.
# Arguments given again later (another build type, say) are applied to the existing folder.
kq_build() {
    local generator=()
    command -v ninja >/dev/null && generator=(-G Ninja)
    if [ ! -f "$KQ_BUILD/CMakeCache.txt" ]; then
        cmake -S "$KQ_ROOT" -B "$KQ_BUILD" "${generator[@]}" "$@" || return 1
    elif [ $# -gt 0 ]; then
        cmake -S "$KQ_ROOT" -B "$KQ_BUILD" "$@" || return 1
    fi
    cmake --build "$KQ_BUILD" --parallel "$(nproc)"
}
