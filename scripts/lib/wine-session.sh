# Sourced by the scripts that run Windows programs: a private Wine prefix and a
# private virtual display, both ended by this script's own handles (Xvfb by PID,
# Wine by `wineserver -k` on the prefix), never by process name.
#   wine_session_start [prefix-dir]   sets WINEPREFIX, DISPLAY, WINE_SESSION_XVFB_PID
#   wine_session_stop

wine_session_start() {
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  local prefix=${1:-$root/build/wineprefix}
  mkdir -p "$prefix"
  # Wine refuses a relative prefix.
  export WINEPREFIX=$(cd "$prefix" && pwd)
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64

  if [ -z "${WINE_SESSION_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
    local n
    for n in $(seq 91 140); do
      [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
    done
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    WINE_SESSION_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      [ -e /tmp/.X11-unix/X$n ] && break
      sleep 0.1
    done
  fi

  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
  fi
}

wine_session_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k 2>/dev/null || true
  fi
  if [ -n "${WINE_SESSION_XVFB_PID:-}" ]; then
    kill "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    WINE_SESSION_XVFB_PID=
  fi
}
