#!/usr/bin/env bash
# Fuzzes the picture decoder with libFuzzer (clang, ASan + UBSan, native
# build against the same libjpeg-turbo source). Prints executions and
# crashes. Usage: scripts/fuzz.sh [SECONDS]   (120)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-120}

command -v clang++ >/dev/null || apt-get install -y -q --no-install-recommends clang >/dev/null
bash scripts/build-deps.sh >/dev/null  # fetches the libjpeg-turbo source

work="$root/build/fuzz"
src="$root/build/deps/src/libjpeg-turbo"
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
mkdir -p "$work"
if [ ! -f "$work/jpeg/libjpeg.a" ]; then
  CC=clang cmake -S "$src" -B "$work/jpeg" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF -Wno-dev \
    -DCMAKE_C_FLAGS="-DNO_GETENV -include errno.h $sanitize -fsanitize=fuzzer-no-link" >/dev/null
  cmake --build "$work/jpeg" --target jpeg-static >/dev/null
fi
clang++ -std=c++17 -O1 -g $sanitize -fsanitize=fuzzer -I"$root" -I"$src" -I"$work/jpeg" \
  tests/fuzz/picture_loader_fuzzer.cpp ui/jpeg_decoder.cpp "$work/jpeg/libjpeg.a" \
  -o "$work/picture_loader_fuzzer"

# Seeds: the stored picture, the greyscale fixture and a few small JPEGs of
# other kinds (progressive, 4:2:0, restart markers, CMYK).
seeds="$work/seeds"
mkdir -p "$seeds" "$work/corpus" "$work/crashes"
cp ui/stored_picture.jpg tests/data/grey_16x8.jpg "$seeds/"
if [ -x /usr/bin/convert ]; then
  /usr/bin/convert -size 24x16 gradient:red-blue -interlace JPEG "$seeds/progressive.jpg"
  /usr/bin/convert -size 33x17 plasma:fractal -seed 1 -sampling-factor 2x2 "$seeds/subsampled.jpg" 2>/dev/null || true
  /usr/bin/convert -size 40x40 gradient:green-yellow -define jpeg:restart-interval=1 "$seeds/restart.jpg"
  /usr/bin/convert -size 8x8 xc:orange -colorspace CMYK "$seeds/cmyk.jpg"
fi

export ASAN_OPTIONS=allocator_may_return_null=1:detect_leaks=1
"$work/picture_loader_fuzzer" "$work/corpus" "$seeds" -max_total_time="$seconds" \
  -rss_limit_mb=4096 -malloc_limit_mb=2048 -artifact_prefix="$work/crashes/" -print_final_stats=1 \
  > "$work/fuzz.log" 2>&1 || true
execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/fuzz.log" | grep -o '[0-9]*$' || echo 0)
crashes=$(find "$work/crashes" -type f | wc -l)
echo "fuzzing the picture decoder for ${seconds} s: ${execs} executions, ${crashes} crashes"
if [ "$crashes" != 0 ]; then
  tail -n 40 "$work/fuzz.log"
  ls "$work/crashes"
  exit 1
fi
