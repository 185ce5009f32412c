#!/usr/bin/env bash
# Installs the Debian package that `make package` made with apt, as a user
# would, checks what it put on the machine and runs both programs from
# /usr/bin, then removes it again (also when a check fails). Checks the
# Windows zip beside it too, when there is one.
# usage: tools/check-package.sh PACKAGES_DIR
set -euo pipefail

folder=$(cd "${1:?usage: check-package.sh PACKAGES_DIR}" && pwd)
shopt -s nullglob
debs=("$folder"/harlix-wave-dump_*.deb)
zips=("$folder"/harlix-wave-dump-*-windows-x86_64.zip)
shopt -u nullglob
if [ ${#debs[@]} -ne 1 ]; then
    echo "check-package: expected one harlix-wave-dump_*.deb in $folder, found ${#debs[@]}" >&2
    exit 1
fi
deb=${debs[0]}
package=$(dpkg-deb -f "$deb" Package)
version=$(dpkg-deb -f "$deb" Version)
depends=$(dpkg-deb -f "$deb" Depends)

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

passed=0
failed=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "PASS $what"
        passed=$((passed + 1))
    else
        echo "FAIL $what"
        failed=$((failed + 1))
    fi
}

# The same text, or both texts shown.
same() {
    [ "$1" = "$2" ] && return 0
    printf '  got:      %s\n  expected: %s\n' "$1" "$2"
    return 1
}

# The command exits 0 having printed exactly the one line.
prints_line() {
    local expected=$1 output status=0
    shift
    output=$("$@") || status=$?
    if [ "$status" -ne 0 ]; then
        echo "  exit status $status"
        return 1
    fi
    same "$output" "$expected"
}

# The dependencies come from dpkg-shlibdeps: the libraries both programs link.
names_libraries() {
    local library
    for library in libasound2 libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6; do
        if ! grep -q "$library" <<<"$depends"; then
            echo "  Depends lacks $library: $depends"
            return 1
        fi
    done
}

installed_file() { dpkg -L "$package" | grep -qx "$1" || { echo "  not installed: $1"; return 1; }; }

remove_package() {
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y -qq "$package" >/dev/null
}

check "Depends worked out from the programs" names_libraries

# The desktop-integration files as the package lays them out, checked once:
# the launcher entry, the software-centre description, and that the
# description's launchable is the entry beside it.
app_id=io.github.harlixwavedump.harlixwavedump
tree=$(mktemp -d)
dpkg-deb -x "$deb" "$tree"
check "the desktop file is valid" desktop-file-validate "$tree/usr/share/applications/$app_id.desktop"
check "the metainfo is valid" \
    appstreamcli validate --pedantic --no-net "$tree/usr/share/metainfo/$app_id.metainfo.xml"
check "the metainfo launches the desktop file installed beside it" \
    appstreamcli validate-tree --pedantic --no-net "$tree"
rm -rf "$tree"

echo "Installing $deb"
log=$(mktemp)
if ! DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "$deb" >"$log" 2>&1; then
    cat "$log"
    rm -f "$log"
    exit 1
fi
rm -f "$log"
trap remove_package EXIT

check "/usr/bin/wavedump is installed" installed_file /usr/bin/wavedump
check "/usr/bin/harlix-wave-dump is installed" installed_file /usr/bin/harlix-wave-dump
check "the desktop file is installed" installed_file /usr/share/applications/$app_id.desktop
check "the metainfo is installed" installed_file /usr/share/metainfo/$app_id.metainfo.xml
check "the scalable icon is installed" installed_file /usr/share/icons/hicolor/scalable/apps/harlix-wave-dump.svg
for size in 16 24 32 48 64 128 256; do
    check "the ${size}px icon is installed" \
        installed_file /usr/share/icons/hicolor/${size}x${size}/apps/harlix-wave-dump.png
done
check "the metainfo names release $version" \
    grep -q "<release version=\"$version\"" /usr/share/metainfo/$app_id.metainfo.xml

# From a directory of their own, so that nothing in the source tree is run by mistake.
cd /
check "wavedump --version" prints_line "wavedump $version" /usr/bin/wavedump --version
check "harlix-wave-dump --version" \
    prints_line "harlix-wave-dump $version" env QT_QPA_PLATFORM=offscreen /usr/bin/harlix-wave-dump --version

trap - EXIT
remove_package
check "apt-get remove takes the programs away" test ! -e /usr/bin/wavedump -a ! -e /usr/bin/harlix-wave-dump

if [ ${#zips[@]} -eq 1 ]; then
    root=harlix-wave-dump-$version
    listing=$(cmake -E tar tf "${zips[0]}" | sort | tr '\n' ' ')
    expected="$root/ $root/LICENSE $root/README.md $root/harlix-wave-dump.exe $root/wavedump.exe "
    check "the Windows zip holds both programs, README.md and LICENSE" same "$listing" "$expected"
fi

echo "package-check: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
