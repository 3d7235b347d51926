#!/usr/bin/env bash
# The tool's main job, shown under Wine: a stand-in game fills the screen,
# the tool runs beside it, F5 is held for a second. Writes a screenshot
# before and after and prints the game window's style, title and rectangle.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/build.sh >/dev/null

out="$root/build/demo"
mkdir -p "$out"
rm -f "$out"/*.png "$out"/game.log

source scripts/wine-session.sh
wine_session_start "$root/build/wineprefix"

tests="$root/build/x86_64/tests"
report() { wine64 "$tests/window_report.exe" "$@" 2>/dev/null | tr -d '\r'; }
screenshot() {
  local desktop
  desktop=$(xdotool search --name "Wine desktop" 2>/dev/null | head -n 1)
  import -window "${desktop:-root}" "$1"
}

wine64 "$tests/stand_in_game.exe" "$out/game.log" >/dev/null 2>&1 &
sleep 1.5
wine64 "$root/dist/win64/cfwindow.exe" >/dev/null 2>&1 &
tool=$!
sleep 2

echo "Before F5, the game window (class CrossFire):"
report CrossFire
screenshot "$out/before-f5.png"

# The game in front, as when the player is in the game, then F5 held 1 s.
xdotool search --name '^CrossFire$' windowactivate >/dev/null 2>&1 || true
sleep 0.5
xdotool keydown F5; sleep 1; xdotool keyup F5
sleep 1

echo "After F5 held for one second:"
report CrossFire
echo "  windowing actions seen by the game: $(grep -c ' style ' "$out/game.log" || true)"
echo "  position and size asked of it: $(grep ' move 0 0 ' "$out/game.log" | tail -n 1 | cut -d' ' -f3-)"
echo "  (Wine sizes a window whose style has WS_MINIMIZE to its minimised size.)"
screenshot "$out/after-f5.png"

report CfWindowTool.Main close
status=0
wait "$tool" || status=$?
echo "The tool ended with exit status $status."
echo "Screenshots:"
echo "  $out/before-f5.png"
echo "  $out/after-f5.png"
