# Sourced by the end-to-end scenarios, with BUILD and WORK set: check,
# winpath, wait_until, $user, $OUT (build/screenshots), start_pilotune,
# check_menu and stop_pilotune.
set -uo pipefail
OUT="$BUILD/../screenshots"
mkdir -p "$OUT" "$WORK"
fail=0
check() { # message, command...
  local what=$1; shift
  if "$@"; then echo "ok   - $what"; else echo "FAIL - $what"; fail=1; fi
}
winpath() { echo "Z:${1//\//\\}"; }
# Waits up to $1 tenths of a second for a command to succeed.
wait_until() { local n=$1; shift; for _ in $(seq 1 "$n"); do "$@" && return 0; sleep 0.1; done; "$@"; }
user=$(wine cmd /c echo %USERNAME% 2>/dev/null | tr -d '\r\n')

# A fresh $WORK with the program and its settings ($1: more sections), the
# simulator playing with its log in $WORK/sim.log (every command it receives),
# then the program; sets $bar and $pilotune_pid, or ends the scenario.
start_pilotune() {
  rm -rf "${WORK:?}"/*
  cp "$BUILD/dist/Pilotune/Pilotune.exe" "$BUILD/dist/Pilotune/Pilotune.txt" "$WORK/"
  printf '[%s Option]\r\nCheminWinamp=%s\r\nNbOuvert=1\r\n[%s Divers]\r\nMAJ=0\r\n%s' "$user" \
    "$(winpath "$BUILD/dist/winamp-sim/Winamp.exe")" "$user" "${1:-}" > "$WORK/Pilotune.ini"
  wine "$BUILD/dist/winamp-sim/Winamp.exe" /play /log="$(winpath "$WORK/sim.log")" >/dev/null 2>&1 &
  wait_until 100 test -e "$WORK/sim.log"
  wine "$WORK/Pilotune.exe" >/dev/null 2>&1 &
  pilotune_pid=$!
  bar=""
  for _ in $(seq 1 100); do
    bar=$(xdotool search --onlyvisible --name '^Pilotune Fenetre$' 2>/dev/null | head -1)
    [ -n "$bar" ] && break
    sleep 0.2
  done
  check "the bar appears" test -n "$bar"
  [ -n "$bar" ] || exit 1
}

# A right click at ($2, $3) opens a menu: the screen cropped to $1 changes by a
# menu's worth of pixels (saved as $OUT/$4.png); Escape closes it again.
check_menu() {
  import -window root -crop "$1" "$WORK/before-menu.png"
  xdotool mousemove "$2" "$3" click 3
  sleep 0.8
  import -window root -crop "$1" "$OUT/$4.png"
  check "$5" test "$(compare -metric AE "$WORK/before-menu.png" "$OUT/$4.png" null: 2>&1 | cut -d' ' -f1)" -gt 20000
  xdotool key Escape
  sleep 0.5
}
# A second start with FERMERWINAMP FERMERPROG; the program must end.
stop_pilotune() {
  wine "$WORK/Pilotune.exe" FERMERWINAMP FERMERPROG >/dev/null 2>&1
  check "the program ends" wait_until 100 bash -c "! kill -0 $pilotune_pid 2>/dev/null"
}
