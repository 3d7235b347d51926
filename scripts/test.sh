#!/usr/bin/env bash
# Builds everything and runs the tests under wine64 on Xvfb, in a Wine
# prefix of the build folder's own. Extra arguments go to ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/build.sh

source scripts/wine-session.sh
wine_session_start "$root/build/wineprefix"

cd build/x86_64
status=0
wine_env ctest --output-on-failure "$@" || status=$?
exit $status
