#!/usr/bin/env bash
# Builds both targets and runs every test of both under Wine on Xvfb, in a
# Wine prefix of the build folder's own: the i686 programs (the release exe
# among them) under Wine's 32-bit loader, the x86_64 twin's under wine64.
# Extra arguments go to ctest (e.g. -R i686 runs the 32-bit half only).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/build.sh
# The 32-bit half is never skipped: without a working 32-bit Wine, stop here.
bash scripts/i386-support.sh check

source scripts/wine-session.sh
wine_session_start "$root/build/wineprefix"

# One ctest run over both build trees; each test's name starts with its target.
cat > build/CTestTestfile.cmake <<'TESTS'
subdirs("i686" "x86_64")
TESTS
cd build
status=0
wine_env ctest --output-on-failure "$@" || status=$?
exit $status
