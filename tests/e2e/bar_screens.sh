#!/usr/bin/env bash
# End to end: the real Pilotune.exe beside the simulator under Wine and Xvfb,
# driven with xdotool as a person drives it. Saves screenshots of the bar in
# build/screenshots/ (normal, hover, remaining time, loop on, main menu) and
# checks what a user would see change, the position lock and the drag clamp.
# Needs DISPLAY and WINEPREFIX (scripts/test sets both).
set -uo pipefail
BUILD=${1:?usage: bar_screens.sh <windows build dir>}
OUT="$BUILD/../screenshots"
WORK="$BUILD/e2e/bar"
mkdir -p "$OUT" "$WORK"
fail=0
check() { # message, command...
  local what=$1; shift
  if "$@"; then echo "ok   - $what"; else echo "FAIL - $what"; fail=1; fi
}

winpath() { echo "Z:${1//\//\\}"; }
user=$(wine cmd /c echo %USERNAME% 2>/dev/null | tr -d '\r\n')

rm -rf "$WORK"/*
cp "$BUILD/dist/Pilotune/Pilotune.exe" "$WORK/"
printf '[%s Option]\r\nCheminWinamp=%s\r\nNbOuvert=1\r\n[%s Divers]\r\nMAJ=0\r\n' \
  "$user" "$(winpath "$BUILD/dist/winamp-sim/Winamp.exe")" "$user" > "$WORK/Pilotune.ini"

wine "$WORK/Pilotune.exe" >/dev/null 2>&1 &
bar=""
for _ in $(seq 1 100); do
  bar=$(xdotool search --onlyvisible --name '^Pilotune Fenetre$' 2>/dev/null | head -1)
  [ -n "$bar" ] && break
  sleep 0.2
done
check "the bar appears" test -n "$bar"
[ -n "$bar" ] || exit 1

geometry() { xdotool getwindowgeometry --shell "$bar" | grep -E "^$1=" | cut -d= -f2; }
shot() { sleep 0.8; import -window root -crop 540x200+440+0 "$OUT/bar-$1.png"; }
differ() { [ "$(compare -metric AE "$OUT/bar-$1.png" "$OUT/bar-$2.png" null: 2>&1 | cut -d' ' -f1)" != "0" ]; }

# Layout of a 499-pixel bar at 450 (1024-pixel screen): the buttons, the mode
# picture, the time label (see the bar's layout rules).
left=$(geometry X); width=$(geometry WIDTH)
joue_x=$((left + width - 5 * 13 + 5)); sens_x=$((left + width - 6 * 13 - 6 + 24 + 10))
sleep 2
xdotool mousemove 10 700
shot normal
xdotool mousemove "$joue_x" 6
shot hover
check "hovering a button frames it" differ normal hover
xdotool mousemove $((left + 20)) 8 click 1
xdotool mousemove 10 700
shot remaining
check "a click on the time shows the remaining time" differ normal remaining
xdotool mousemove "$sens_x" 18 click 1
xdotool mousemove 10 700
shot loop
check "a click on the mode picture switches the loop on" differ remaining loop

# Dragging the title while the position is locked (the default) does nothing.
xdotool mousemove $((left + 150)) 8 mousedown 1 mousemove $((left + 100)) 300 mouseup 1
sleep 0.5
check "the locked bar does not move" test "$(geometry X),$(geometry Y)" = "$left,0"

# The main menu on a right click.
import -window root -crop 700x560+324+0 "$WORK/before-menu.png"
xdotool mousemove $((left + 150)) 8 click 3
sleep 0.8
import -window root -crop 700x560+324+0 "$OUT/bar-menu.png"
check "a right click opens the main menu" \
  test "$(compare -metric AE "$WORK/before-menu.png" "$OUT/bar-menu.png" null: 2>&1 | cut -d' ' -f1)" -gt 20000
# Its fourteenth item unlocks the position.
xdotool key --delay 40 Down Down Down Down Down Down Down Down Down Down Down Down Down Down Return
sleep 0.5
xdotool mousemove $((left + 150)) 8 mousedown 1 mousemove 60 200 mousemove 20 300 mouseup 1
sleep 1
check "the unlocked bar moves and stays on the screen ($(geometry X),$(geometry Y))" \
  test "$(geometry X)" -ge 0 -a "$(geometry X)" != "$left"

wine "$WORK/Pilotune.exe" FERMERWINAMP FERMERPROG >/dev/null 2>&1
for _ in $(seq 1 50); do
  xdotool search --name '^Pilotune Fenetre$' >/dev/null 2>&1 || break
  sleep 0.2
done
check "FERMERWINAMP FERMERPROG from a second start close the player and the bar" \
  bash -c "! xdotool search --name '^Pilotune Fenetre\$' >/dev/null 2>&1"
check "the position was saved" grep -q "PositionLeft=" "$WORK/Pilotune.ini"
echo "screenshots: $(cd "$OUT" && ls bar-*.png | tr '\n' ' ')in $(cd "$OUT" && pwd)"
exit $fail
