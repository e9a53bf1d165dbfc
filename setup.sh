#!/usr/bin/env bash
# Installs what Quillmere needs on Debian 12 or 13, builds it, then starts it (run), runs every test (test) or the long
# differential check (differential); install alone only installs; package makes the Debian package in the parent
# folder; gnome-test runs the window's tests under GNOME Shell on Wayland; check-package builds the package (or takes
# the one named), checks it, installs it and drives it as a user would; on <release> runs one of these commands in a
# fresh Debian system of that release, made for the while.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"

packages=(cmake g++ make qt6-base-dev qt6-svg-dev libxlsxwriter-dev libgtest-dev libreoffice-calc
          libreoffice-gtk3 libreoffice-dev fonts-liberation2 xvfb xauth openbox dbus x11-utils xdotool desktop-file-utils
          appstream man-db)
# The package build needs the tools and the build packages of debian/control; lintian checks its result.
package_tools=(build-essential debhelper dpkg-dev lintian cmake g++ qt6-base-dev qt6-svg-dev libxlsxwriter-dev
               libreoffice-dev)
# GNOME on Wayland, Debian 13's default desktop, headless, and Qt's own Wayland plugin.
gnome_packages=(gnome-shell mutter xwayland gnome-settings-daemon at-spi2-core dbus-daemon qt6-wayland)
# What the smoke test drives the installed program with.
smoke_tools=(xdotool xclip openbox dbus x11-utils xvfb xauth unzip python3-openpyxl)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

apt_install() { # apt_install <apt-get install argument>...; waits for another apt to finish
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        -o DPkg::Lock::Timeout=600 "$@"
}

install_missing() { # install_missing <package>...
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    as_root apt-get update -q
    apt_install "${missing[@]}"
}

build() { # build <preset of CMakePresets.json>
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j "$(nproc)"
}

under_x() { # on a private desktop as users have one: an X server, a window manager and a session bus
    tools/private-desktop "$@"
}

system_name() {
    # shellcheck disable=SC1091 # the running system's own
    (. /etc/os-release && echo "$PRETTY_NAME")
}

run_tests() { # run_tests <folder> [ctest option...], then the differential check's count, which ctest keeps to itself
    local dir=$1
    shift
    echo "tests on $(system_name)"
    under_x ctest --test-dir "$dir" --output-on-failure --timeout 600 "$@"
    grep -h '^differential[:,]' "$dir/Testing/Temporary/LastTest.log"
}

case "${1:-}" in
install) # and the further packages named
    install_missing "${packages[@]}" "${@:2}"
    ;;
run)
    install_missing "${packages[@]}"
    build default
    exec build/bin/quillmere
    ;;
test)
    install_missing "${packages[@]}"
    build default
    run_tests build
    build sanitize
    ASAN_OPTIONS=detect_leaks=0 run_tests build-sanitize
    ;;
gnome-test) # the window's tests and the program's end under GNOME Shell on Wayland, the program on xcb and on Wayland,
    # then the office's hand-over of its document there; not through ctest, which keeps the window's tests offscreen
    install_missing "${packages[@]}" "${gnome_packages[@]}"
    build default
    for platform in xcb wayland; do
        echo "window tests on GNOME Shell $(gnome-shell --version | cut -d' ' -f3), Qt on $platform, $(system_name)"
        QT_QPA_PLATFORM=$platform tools/private-gnome sh -c 'build/bin/app_window_test && build/bin/program_end_test'
    done
    tools/private-gnome build/bin/office_connection_test --gtest_filter='*ImportedDocumentsLookMadeNewAndTakeTheFocus'
    ;;
differential)
    install_missing "${packages[@]}"
    build default
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
check-package) # [package file]
    package=${2:-}
    if [ -z "$package" ]; then
        install_missing "${package_tools[@]}"
        rm -f ../quillmere_*.deb
        dpkg-buildpackage -us -uc -b -j"$(nproc)"
        package=$(echo ../quillmere_*.deb)
        lintian --fail-on error,warning --display-info "$package"
    fi
    echo "package $(basename "$package") on $(system_name)"
    # A package of the same version may be installed already: the one named replaces it.
    apt_install --reinstall "$(readlink -f "$package")" "${smoke_tools[@]}"
    packaging/smoke-test /usr/bin/quillmere
    ;;
on) # on <release> <command>...
    [ $# -ge 3 ] || { echo "usage: $0 on <release> <command>..." >&2; exit 2; }
    install_missing debootstrap
    as_root tools/debian-system "$2" ./setup.sh "${@:3}"
    ;;
*)
    echo "usage: $0 run|test|gnome-test|differential|install|package|check-package [file]|on <release> <command>" >&2
    exit 2
    ;;
esac
