#!/usr/bin/env bash
# Zips the two Windows programs that `make windows` cross-built, with README.md
# and LICENSE, into BUILD_DIR/packages beside the Debian package, under the
# version that BUILD_DIR was configured with. Without both .exe files it says
# so and leaves it at that.
# usage: tools/package-windows.sh BUILD_DIR WINDOWS_BIN
set -euo pipefail

build=${1:?usage: package-windows.sh BUILD_DIR WINDOWS_BIN}
bin=${2:?usage: package-windows.sh BUILD_DIR WINDOWS_BIN}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
programs=(harlix-wave-dump.exe wavedump.exe)

for program in "${programs[@]}"; do
    if [ ! -f "$bin/$program" ]; then
        echo "package-windows: no $bin/$program (make windows builds it): no Windows zip"
        exit 0
    fi
done

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
if [ -z "$version" ]; then
    echo "package-windows: $build is not a configured build folder" >&2
    exit 1
fi

root=harlix-wave-dump-$version
stage=$build/windows-zip
rm -rf "$stage"
mkdir -p "$stage/$root" "$build/packages"
cp "${programs[@]/#/$bin/}" "$source_dir/README.md" "$source_dir/LICENSE" "$stage/$root/"
zip=$(cd "$build/packages" && pwd)/$root-windows-x86_64.zip
rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$zip" --format=zip "$root")
echo "package-windows: $zip"
