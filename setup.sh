#!/usr/bin/env bash
# Installs what Quillmere needs on Debian 12, builds it, then starts it (run), runs every test (test) or the long
# differential check (differential); install alone only installs; package makes the Debian package in the parent
# folder.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"

packages=(cmake g++ make qt6-base-dev qt6-svg-dev libgtest-dev libreoffice-calc libreoffice-gtk3 libreoffice-dev
          fonts-liberation2 xvfb xauth openbox dbus x11-utils xdotool desktop-file-utils appstream man-db)
# The package build needs the tools and the build packages of debian/control; lintian checks its result.
package_tools=(build-essential debhelper dpkg-dev lintian cmake g++ qt6-base-dev qt6-svg-dev libreoffice-dev)

install_missing() { # install_missing <package>...
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build() { # build <folder> <cmake options...>
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}

under_x() { # on a private desktop as users have one: an X server, a window manager and a session bus
    tools/private-desktop "$@"
}

run_tests() { # run_tests <folder>, then the differential check's count, which ctest keeps to itself
    under_x ctest --test-dir "$1" --output-on-failure --timeout 600
    grep -h '^differential:' "$1/Testing/Temporary/LastTest.log"
}

case "${1:-}" in
install)
    install_missing "${packages[@]}"
    ;;
run)
    install_missing "${packages[@]}"
    build build
    exec build/bin/quillmere
    ;;
test)
    install_missing "${packages[@]}"
    build build
    run_tests build
    build build-sanitize -DQUILLMERE_SANITIZE=ON
    ASAN_OPTIONS=detect_leaks=0 run_tests build-sanitize
    ;;
differential)
    install_missing "${packages[@]}"
    build build
    # In parts, each with an office of its own: one office takes each case three times as long once it has loaded
    # and closed a thousand documents or so.
    status=0
    for first in $(seq 1001 250 2751); do
        QUILLMERE_FIRST_SEED=$first QUILLMERE_CASES=250 under_x build/bin/differential_check || status=1
    done
    exit $status
    ;;
package)
    install_missing "${package_tools[@]}"
    dpkg-buildpackage -us -uc -b -j"$(nproc)"
    ;;
*)
    echo "usage: $0 run|test|differential|install|package" >&2
    exit 2
    ;;
esac
