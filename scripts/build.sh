#!/usr/bin/env bash
# Builds the release exe (i686, dist/win32/) and its twin (x86_64,
# dist/win64/), each with its test programs, installing what is missing first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

need_install=0
for tool in i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix cmake ninja nasm Xvfb \
            xdotool import python3 dpkg-source /usr/lib/wine/wine64 /usr/lib/wine/wine /usr/bin/convert; do
  command -v "$tool" >/dev/null 2>&1 || need_install=1
done
[ -d /usr/src/googletest ] || need_install=1
[ -f /usr/share/fonts/truetype/wqy/wqy-microhei.ttc ] || need_install=1
[ -f /usr/share/wine/fonts/marlett.ttf ] || need_install=1
[ -f /etc/apt/sources.list.d/cfwindow-deb-src.sources ] || need_install=1
if [ "$need_install" = 1 ]; then bash .ci/install-packages; fi

bash scripts/build-deps.sh i686 x86_64

configure() {
  local target=$1 dist=$2 tests=$3
  cmake -S . -B "build/$target" -G Ninja --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-$target.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCFW_DEPS_PREFIX="$root/build/deps/$target" \
    -DCFW_DIST_DIR="$root/dist/$dist" -DCFW_BUILD_TESTS="$tests" >/dev/null
  cmake --build "build/$target"
}
configure i686 win32 ON
configure x86_64 win64 ON
