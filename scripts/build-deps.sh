#!/usr/bin/env bash
# Builds the static libraries the program and its tests link, once per target,
# into build/deps/<target>: libjpeg-turbo from its Debian source package and
# GoogleTest from /usr/src/googletest. A finished target is not rebuilt.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/build/deps"
src="$deps/src"
mkdir -p "$src"
# A finished target records which version of this script built it.
stamp=$(sha256sum "$0" | cut -c1-16)

fetch_libjpeg_source() {
  [ -f "$src/libjpeg-turbo/.ready" ] && return
  rm -rf "$src/libjpeg-turbo" "$src/pkg"
  mkdir -p "$src/pkg"
  (cd "$src/pkg" && apt-get source --download-only libjpeg-turbo >/dev/null)
  dsc=$(ls "$src"/pkg/libjpeg-turbo_*.dsc | head -n 1)
  (cd "$src/pkg" && dpkg-source --no-check -x "$dsc" "$src/libjpeg-turbo" >/dev/null)
  touch "$src/libjpeg-turbo/.ready"
}

build_target() {
  local target=$1 prefix="$deps/$1" work="$deps/work-$1"
  [ "$(cat "$prefix/.ready" 2>/dev/null)" = "$stamp" ] && return
  rm -rf "$prefix" "$work"
  local toolchain="$root/cmake/toolchain-$target.cmake"
  cmake -S "$src/libjpeg-turbo" -B "$work/jpeg" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_TURBOJPEG=OFF -Wno-dev \
    `# One 200x200 picture is decoded once: SIMD would add 180 KB for nothing.` \
    -DWITH_SIMD=OFF \
    `# NO_GETENV: the program reads no environment variables (JPEGMEM).` \
    -DCMAKE_C_FLAGS="-DNO_GETENV -ffunction-sections -fdata-sections" >/dev/null
  cmake --build "$work/jpeg" --target jpeg-static >/dev/null
  # Installs only the library and its headers; the tools are not needed.
  mkdir -p "$prefix/lib" "$prefix/include"
  cp "$work/jpeg/libjpeg.a" "$prefix/lib/libjpeg.a"
  cp "$work/jpeg/jconfig.h" "$src/libjpeg-turbo/jerror.h" \
     "$src/libjpeg-turbo/jmorecfg.h" "$src/libjpeg-turbo/jpeglib.h" "$prefix/include/"
  # The tests run on both targets.
  cmake -S /usr/src/googletest -B "$work/gtest" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -Dgtest_disable_pthreads=OFF \
    -DCMAKE_CXX_FLAGS="-static-libgcc -static-libstdc++" -Wno-dev >/dev/null
  cmake --build "$work/gtest" >/dev/null
  cmake --install "$work/gtest" >/dev/null
  rm -rf "$work"
  echo "$stamp" > "$prefix/.ready"
}

fetch_libjpeg_source
for target in "$@"; do
  echo "deps: $target"
  build_target "$target"
done
