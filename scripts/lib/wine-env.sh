# Sourced by the scripts that run Windows binaries: one private Wine prefix
# under build/, one Wine server and one Xvfb server per run.
# Usage: source scripts/lib/wine-env.sh; wine_env_start; ...; wine_env_stop

ROOT=${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
# Wine maps Windows file names through the Unix locale: under an ASCII locale
# (a fresh machine, `env -i`) a name such as "Été.mp3" cannot be created.
# C.UTF-8 is part of every Debian's libc.
export LANG=C.UTF-8
export LC_ALL=C.UTF-8
export WINEPREFIX=${WINEPREFIX:-$ROOT/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# no Mono / Gecko install prompts in a fresh prefix
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

PILOTUNE_XVFB_PID=""

_free_display() {
  local n
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      echo "$n"; return 0
    fi
  done
  return 1
}

# Starts Xvfb on a free display unless keep_display is given and DISPLAY is set.
xvfb_start() {
  if [ "${1:-}" = "keep_display" ] && [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n; n=$(_free_display) || { echo "no free X display" >&2; return 1; }
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  PILOTUNE_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

wine_prefix_init() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "wine: could not create the prefix $WINEPREFIX (wineboot -i failed);" \
           "check that wine and wine64 are installed and that the disk is not full" >&2
      return 1
    fi
  fi
  # A prefix made before Wine's 32-bit part was installed lacks it: the 32-bit
  # player simulator could not start there.
  if [ -e /usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll ] &&
     [ ! -e "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "wine: adding the 32-bit part to $WINEPREFIX"
    rm -f "$WINEPREFIX/.update-timestamp" # else the update finds nothing to do
    wineboot -u >/dev/null 2>&1 || true
    wineserver -w
  fi
}

wine_env_start() {
  xvfb_start "${1:-}" || return 1
  wine_prefix_init || return 1
  wineserver -p   # persistent for the whole run
  # Start Wine's own services now, detached from any pipe: started later from
  # inside ctest they would inherit its output pipe and hold every test open.
  # The same call sets how Wine hands windows to X: no window manager runs on
  # our own Xvfb, and a window Wine lets "managed" waits 2 s for one each time
  # it is mapped, and is unmapped and mapped again the first time it moves
  # while active, which breaks the pointer grab of a drag under way. On a
  # display of the user's own (with its window manager) Wine's default holds.
  local key='HKCU\Software\Wine\X11 Driver'
  if [ -n "$PILOTUNE_XVFB_PID" ]; then
    wine reg add "$key" /v Managed /d N /f >/dev/null 2>&1 </dev/null || true
  else
    wine reg delete "$key" /v Managed /f >/dev/null 2>&1 </dev/null || true
  fi
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$PILOTUNE_XVFB_PID" ]; then
    kill "$PILOTUNE_XVFB_PID" >/dev/null 2>&1 || true
    wait "$PILOTUNE_XVFB_PID" 2>/dev/null || true
    PILOTUNE_XVFB_PID=""
  fi
}
