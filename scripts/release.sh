#!/usr/bin/env bash
# Builds the release and packs what a player downloads:
# dist/cfwindow-<version>-win32.zip with the 32-bit exe, the player's guide
# and their checksums. The version comes from the file VERSION.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/build.sh >/dev/null
version=$(tr -d '[:space:]' < VERSION)
archive="dist/cfwindow-$version-win32.zip"
python3 scripts/package_release.py dist/win32/cfwindow.exe release/readme.txt.in VERSION "$archive"
echo "$archive: $(stat -c %s "$archive") bytes"
echo "sha256: $(sha256sum "$archive" | cut -d' ' -f1)"
