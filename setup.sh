#!/usr/bin/env bash
# Installs what is missing, builds, and then runs the program or the tests.
#   ./setup.sh run    build and start bralvo (under Xvfb when there is no display)
#   ./setup.sh test   build and run every test
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in run|test) ;; *) echo "usage: $0 run|test" >&2; exit 2 ;; esac

packages=(
    build-essential cmake ninja-build ccache pkg-config git
    qt6-base-dev qt6-charts-dev qt6-translations-l10n libgl-dev
    libsqlite3-dev sqlite3 zlib1g-dev gzip libjpeg62-turbo-dev
    libcups2-dev cups cups-client poppler-utils libcurl4-openssl-dev libfontconfig-dev libfreetype-dev
    fonts-liberation2 fonts-dejavu-core fonts-wine
    googletest libgtest-dev libgmock-dev libbenchmark-dev liblua5.4-dev
    xvfb xauth python3 tango-icon-theme
    exim4-daemon-light dante-server tinyproxy
    qpdf poppler-utils libhpdf-dev
    unixodbc unixodbc-dev libsqliteodbc
)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {
    # Relative paths in the compiler's view keep ccache hits across clones.
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRALVO_BUILD_TESTS=ON
    cmake --build build --parallel "$(nproc)"
}

install_missing
build

if [ "$mode" = run ]; then
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        exec xvfb-run -a build/app/bralvo "${@:2}"
    fi
    exec build/app/bralvo "${@:2}"
fi

export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
