#!/usr/bin/env bash
# The tool's main job, shown under Wine: a stand-in game fills the screen,
# the release exe (dist/win32/cfwindow.exe, 32-bit, as players run it) runs
# beside it, F5 is held for a second. Prints the game window's style, title
# and rectangle before and after, and writes screenshots to build/demo/.
# Usage: scripts/demo.sh [--docs]   (--docs also refreshes the README's
# pictures in docs/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/build.sh >/dev/null
bash scripts/i386-support.sh check

out="$root/build/demo"
mkdir -p "$out"
rm -f "$out"/*.png "$out"/game.log

source scripts/wine-session.sh
wine_session_start "$root/build/wineprefix"

# The 32-bit programs: the release exe, a 32-bit stand-in game, the reporter.
tests="$root/build/i686/tests"
report() { wine32 "$tests/window_report.exe" "$@" 2>/dev/null | tr -d '\r'; }
screenshot() {
  local desktop
  desktop=$(xdotool search --name "Wine desktop" 2>/dev/null | head -n 1)
  import -window "${desktop:-root}" "$1"
}
# The tool window's rectangle as WxH+X+Y, for cropping a screenshot.
tool_geometry() {
  report CfWindowTool.Main | sed -n 's/^  rect   (\(-\{0,1\}[0-9]*\),\(-\{0,1\}[0-9]*\))-.*, \([0-9]*\) x \([0-9]*\)$/\3x\4+\1+\2/p'
}

wine32 "$tests/stand_in_game.exe" "$out/game.log" >/dev/null 2>&1 &
sleep 3
wine32 "$root/dist/win32/cfwindow.exe" >/dev/null 2>&1 &
tool=$!
sleep 4

echo "Before F5, the game window (class CrossFire):"
report CrossFire
echo "The tool's window:"
report CfWindowTool.Main
screenshot "$out/before-f5.png"
geometry=$(tool_geometry)
convert "$out/before-f5.png" -crop "$geometry" +repage "$out/tool-window.png"

# The game in front, as when the player is in the game, then F5 held 1 s.
xdotool search --name '^CrossFire$' windowactivate >/dev/null 2>&1 || true
sleep 0.5
xdotool keydown F5; sleep 1; xdotool keyup F5
sleep 1.5

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
for f in tool-window before-f5 after-f5; do echo "  $out/$f.png"; done

if [ "${1:-}" = --docs ]; then
  mkdir -p docs
  # Fixed PNG chunks only (no time or program name), so that the same
  # pictures give the same files.
  png="-strip -define png:exclude-chunks=date,time"
  convert "$out/tool-window.png" $png docs/tool-window.png
  convert "$out/before-f5.png" -resize 50% $png docs/before-f5.png
  convert "$out/after-f5.png" -resize 50% $png docs/after-f5.png
  echo "Refreshed docs/tool-window.png, docs/before-f5.png, docs/after-f5.png"
fi
