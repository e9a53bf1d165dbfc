#!/usr/bin/env bash
# Installs what Quillmere needs on Debian 12, builds it, then starts it (run), runs every test (test) or the long
# differential check (differential); install alone only installs; package makes the Debian package in the parent
# folder; newer-office runs the tests that drive the real office against LibreOffice 25.2 from bookworm-backports, then
# puts the distribution's office back.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"

packages=(cmake g++ make pkgconf qt6-base-dev qt6-svg-dev libxlsxwriter-dev libgtest-dev libreoffice-calc
          libreoffice-gtk3 libreoffice-dev fonts-liberation2 xvfb xauth openbox dbus x11-utils xdotool desktop-file-utils
          appstream man-db)
# The package build needs the tools and the build packages of debian/control; lintian checks its result.
package_tools=(build-essential debhelper dpkg-dev lintian cmake g++ pkgconf qt6-base-dev qt6-svg-dev libxlsxwriter-dev
               libreoffice-dev)

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

build() { # build <folder> <cmake options...>
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}

under_x() { # on a private desktop as users have one: an X server, a window manager and a session bus
    tools/private-desktop "$@"
}

run_tests() { # run_tests <folder> [ctest option...], then the differential check's count, which ctest keeps to itself
    local dir=$1
    shift
    under_x ctest --test-dir "$dir" --output-on-failure --timeout 600 "$@"
    grep -h '^differential[:,]' "$dir/Testing/Temporary/LastTest.log"
}

# LibreOffice 25.2 comes from bookworm-backports, beside the distribution's 7.4; these tests drive the real office.
newer_suite=bookworm-backports
newer_source=/etc/apt/sources.list.d/quillmere-$newer_suite.sources
office_tests='^(office_connection_test|differential_check|command_line_test|app_window_test|program_end_test)$'
office_record=

installed() { # every installed package as name=version, sorted
    dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}=${Version}\n' | awk '$1 == "ii" { print $2 }' | sort
}

names() { # the names of name=version lines, sorted as names
    sed 's/=.*//' | sort
}

office_packages() { # the installed packages built from LibreOffice's source, as name=version
    dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}=${Version} ${source:Package}\n' |
        awk '$1 == "ii" && $3 == "libreoffice" { print $2 }' | sort
}

owned_files() { # the files dpkg knows the packages by, sorted
    dpkg -L "${@%%=*}" | sort
}

add_newer_suite() {
    # shellcheck disable=SC2016 # apt's own placeholder, not the shell's
    if ! apt-get indextargets --format '$(RELEASE)' | grep -qx "$newer_suite"; then
        printf 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: %s\n' \
            "$newer_suite" /usr/share/keyrings/debian-archive-keyring.gpg | as_root tee "$newer_source" >/dev/null
    fi
    apt-cache policy | grep -q "n=$newer_suite," || as_root apt-get update -q
}

# Before the switch: what is installed, and the distribution's office packages fetched, so that they can come back
# whatever the switch does.
record_office() {
    local record office
    record=$(mktemp -d)
    installed >"$record/before"
    office_packages >"$record/office"
    apt-mark showmanual | sort >"$record/manual"
    mapfile -t office <"$record/office"
    owned_files "${office[@]}" >"$record/files"
    apt_install --reinstall --download-only "${office[@]}" >/dev/null
    office_record=$record
}

switch_office() { # switch_office <package>...: installs them from the newer suite, keeping what the switch changed
    apt_install -t "$newer_suite" "${@%%=*}"
    installed >"$office_record/after"
}

touched() { # the lines, name=version or names, of the packages the switch changed
    awk -F= 'NR == FNR { switched[$1]; next } $1 in switched' "$office_record/touched" -
}

# Undoes what the switch changed, and only that: other packages may come and go meanwhile on a shared machine. 25.2
# moved files of 7.4's packages into packages of its own, which take them along when they go; only a reinstall brings
# them back, and without them 7.4 does not start. The sources are left as they were found.
restore_office() {
    local status=$? office=() changed=() added=() marks=()
    set +e
    if [ -n "$office_record" ]; then
        as_root dpkg --configure -a
        [ -e "$office_record/after" ] || installed >"$office_record/after"
        mapfile -t office <"$office_record/office"
        mapfile -t changed < <(comm -23 "$office_record/before" "$office_record/after")
        mapfile -t added < <(comm -13 <(names <"$office_record/before") <(names <"$office_record/after"))
        printf '%s\n' "${changed[@]%%=*}" "${added[@]}" >"$office_record/touched"
        apt_install --allow-downgrades --purge "${changed[@]}" "${added[@]/%/-}" &&
            apt_install --reinstall "${office[@]}" || status=1
        mapfile -t marks < <(apt-mark showmanual | sort | touched | comm -23 - "$office_record/manual")
        [ ${#marks[@]} -eq 0 ] || as_root apt-mark auto "${marks[@]}" >/dev/null
        mapfile -t marks < <(touched <"$office_record/manual" | comm -23 - <(apt-mark showmanual | sort))
        [ ${#marks[@]} -eq 0 ] || as_root apt-mark manual "${marks[@]}" >/dev/null
    fi
    if [ -e "$newer_source" ]; then
        as_root rm "$newer_source" && as_root apt-get update -q || status=1
    fi
    if [ -n "$office_record" ]; then
        if cmp -s <(touched <"$office_record/before") <(installed | touched) &&
            cmp -s "$office_record/files" <(owned_files "${office[@]}"); then
            rm -r "$office_record"
            echo "newer-office: back on $(soffice --version | head -n 1)"
        else
            echo "newer-office: the packages differ from those recorded in $office_record" >&2
            status=1
        fi
    fi
    exit "$status"
}

case "${1:-}" in
install) # and the further packages named
    install_missing "${packages[@]}" "${@:2}"
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
newer-office)
    install_missing "${packages[@]}"
    build build
    trap restore_office EXIT
    trap 'exit 1' INT TERM HUP
    add_newer_suite
    record_office
    mapfile -t office <"$office_record/office"
    switch_office "${office[@]}"
    echo "newer-office: testing with $(soffice --version | head -n 1)"
    run_tests build -R "$office_tests"
    ;;
package)
    install_missing "${package_tools[@]}"
    dpkg-buildpackage -us -uc -b -j"$(nproc)"
    ;;
*)
    echo "usage: $0 run|test|differential|newer-office|install|package" >&2
    exit 2
    ;;
esac
