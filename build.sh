#!/bin/sh
# Builds the organiser on Debian 12 and runs its tests or starts it.
#   ./build.sh test   installs what it needs, builds, runs every test (headless)
#   ./build.sh run    installs what it needs, builds, starts the organiser
# Installing needs root (or sudo); set VELTRANE_SKIP_INSTALL=1 to skip it.
set -eu
cd "$(dirname "$0")"

PACKAGES="qt6-base-dev qt6-multimedia-dev libpugixml-dev libgtest-dev libbenchmark-dev cmake ninja-build g++ fonts-dejavu-core"
# Only to run the organiser: a viewer for its help file, the desktop's opener
# that hands the file to it, and fonts for the scripts and emoji DejaVu does
# not cover.
RUN_PACKAGES="xchm xdg-utils fonts-noto-core fonts-noto-cjk fonts-noto-color-emoji"
BUILD_DIR="${VELTRANE_BUILD_DIR:-build}"

install_packages() {
    [ "${VELTRANE_SKIP_INSTALL:-0}" = 1 ] && return 0
    if dpkg-query -W -f='${Status}\n' "$@" 2>/dev/null | grep -qv 'install ok installed' ||
        ! dpkg-query -W "$@" >/dev/null 2>&1; then
        SUDO=""
        [ "$(id -u)" -ne 0 ] && SUDO="sudo"
        $SUDO apt-get update
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "$@"
    fi
}

build() {
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$BUILD_DIR"
}

case "${1:-}" in
test)
    install_packages $PACKAGES
    build
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)"
    ;;
run)
    install_packages $PACKAGES $RUN_PACKAGES
    build
    shift
    exec "$BUILD_DIR/bin/veltrane" "$@"
    ;;
*)
    echo "usage: $0 test|run" >&2
    exit 2
    ;;
esac
