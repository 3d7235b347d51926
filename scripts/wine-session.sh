# Sourced by the test and demo commands. Starts an Xvfb display, a Wine prefix
# in virtual-desktop mode and a persistent wineserver; stops them on exit.
# Wine's virtual desktop is what gives windows a real frame and lets the
# display mode change (plain X mode has neither).

WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINESERVER=/usr/lib/wine/wineserver
WINE_DESKTOP_SIZE=${WINE_DESKTOP_SIZE:-1280x1024}

_wine_xvfb_pid=""

# Code page 936: the program's texts are GBK bytes handed to the ...A calls.
# Wine takes it from LC_ALL; env keeps bash from warning that the locale is
# not generated on this machine (Wine does not need it to be).
wine_env() { env LC_ALL=zh_CN.UTF-8 "$@"; }
wine64() { wine_env "$WINE64" "$@"; }
wine32() { wine_env "$WINE32" "$@"; }

wine_session_stop() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    "$WINESERVER" -k >/dev/null 2>&1 || true
    "$WINESERVER" -w >/dev/null 2>&1 || true
  fi
  if [ -n "$_wine_xvfb_pid" ]; then
    kill "$_wine_xvfb_pid" >/dev/null 2>&1 || true
    wait "$_wine_xvfb_pid" 2>/dev/null || true
    _wine_xvfb_pid=""
  fi
}

_wine_free_display() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  echo "$n"
}

# Wine draws caption buttons with glyphs of its Marlett font. Debian's Wine
# finds its own data folder as /usr/lib/wine/../../share/wine and asks for
# its fonts by that path through its NT file layer, which refuses the ".."
# parts, so no font of its own folder (fonts-wine) ever loads and the buttons
# show letters. The prefix's Windows font folder is read without that
# detour: the font is linked there.
_wine_link_caption_font() {
  local font=/usr/share/wine/fonts/marlett.ttf
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [ -f "$font" ] && [ -d "$fonts" ] && ln -sf "$font" "$fonts/marlett.ttf"
  return 0
}

# wine_session_start PREFIX_DIR
wine_session_start() {
  export WINEPREFIX=$1
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml="
  local n; n=$(_wine_free_display)
  Xvfb ":$n" -screen 0 "${WINE_DESKTOP_SIZE}x24" -nolisten tcp >/dev/null 2>&1 &
  _wine_xvfb_pid=$!
  export DISPLAY=":$n"
  trap wine_session_stop EXIT
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
  # .ready names the set-up below; a prefix made by another one, or before
  # 32-bit Wine was installed (no 32-bit half), is made anew.
  local setup="virtual desktop $WINE_DESKTOP_SIZE, no crash dialog"
  if [ "$(cat "$WINEPREFIX/.ready" 2>/dev/null)" != "$setup" ] ||
     [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wine64 wineboot --init >/dev/null 2>&1
    "$WINESERVER" -w
    wine64 reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine64 reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$WINE_DESKTOP_SIZE" /f >/dev/null 2>&1
    # A program that crashes ends at once with a backtrace on stderr rather
    # than waiting behind Wine's crash dialog, which nobody would click.
    wine64 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    "$WINESERVER" -w
    echo "$setup" > "$WINEPREFIX/.ready"
  fi
  _wine_link_caption_font
  "$WINESERVER" -p
  # Brings up the virtual desktop before the first program needs it.
  wine64 cmd /c exit >/dev/null 2>&1 || true
}
