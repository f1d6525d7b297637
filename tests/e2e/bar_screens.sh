#!/usr/bin/env bash
# End to end: the real Pilotune.exe beside the simulator under Wine and Xvfb,
# driven with xdotool as a person drives it. Saves screenshots of the bar in
# build/screenshots/ (normal, hover, remaining time, loop on, main menu) and
# checks what a user would see change, the position lock and the drag clamp.
# Needs DISPLAY and WINEPREFIX (scripts/test sets both).
BUILD=${1:?usage: bar_screens.sh <windows build dir>}
WORK="$BUILD/e2e/bar"
source "$(dirname "$0")/lib/start.sh"
# Commands "next" (WM_COMMAND 273, 40048) the player received so far.
nexts() { grep -c ' 273 40048 0$' "$WORK/sim.log" 2>/dev/null || true; }
nexts_are() { test "$(nexts)" -eq "$1"; }
start_pilotune

geometry() { xdotool getwindowgeometry --shell "$bar" | grep -E "^$1=" | cut -d= -f2; }
bar_at() { test "$(geometry X),$(geometry Y)" = "$1"; }
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

# Two quick clicks on "Avancer": two tracks on, the second press is not lost
# as a double click.
avance_x=$((left + width - 2 * 13 + 5))
before=$(nexts)
xdotool mousemove "$avance_x" 6 click --repeat 2 --delay 120 1
xdotool mousemove 10 700
check "a double click on Avancer skips two tracks" \
  wait_until 30 nexts_are $((before + 2))

check_menu 700x768+324+0 $((left + 150)) 8 bar-menu "a right click opens the main menu"
# Its twenty-second item unlocks the position (locked is the default).
# The screen differs from $WORK/still.png by a menu's worth of pixels.
menu_shown() {
  import -window root "$WORK/now.png"
  test "$(compare -metric AE "$WORK/still.png" "$WORK/now.png" null: 2>&1 | cut -d' ' -f1)" -gt 20000
}
menu_gone() { ! menu_shown; }
lock_item() { # opens the main menu on the bar at x, chooses the lock item
  xdotool mousemove "$1" $(( $(geometry Y) + 8 ))
  sleep 0.3
  import -window root "$WORK/still.png"
  xdotool click 3
  wait_until 50 menu_shown || echo "     the menu did not open"
  xdotool key --delay 40 $(printf 'Down %.0s' {1..22}) Return
  wait_until 50 menu_gone || echo "     the menu did not close"
}
drag_title() { # from the title, by (dx, dy), in two moves
  local x=$(( $(geometry X) + 150 )) y=$(( $(geometry Y) + 8 ))
  xdotool mousemove "$x" "$y" mousedown 1 mousemove $((x + $1 / 2)) $((y + $2 / 2)) \
    mousemove $((x + $1)) $((y + $2)) mouseup 1
}
lock_item $((left + 150))
# Dropped 130 pixels past the left edge: it comes to rest at the edge.
drag_title -580 292
check "the unlocked bar follows the drag and comes back onto the screen" \
  wait_until 30 bar_at 0,292
echo "     bar at ($(geometry X),$(geometry Y))"
# Locked again, the same gesture leaves it where it is; unlocked, the very
# same gesture moves it: the locked bar did get a drag.
lock_item 150
drag_title 300 -200
sleep 0.5
check "the locked bar does not move" bar_at 0,292
lock_item 150
drag_title 300 -200
check "unlocked, the same drag moves it" wait_until 30 bar_at 300,92

# The settings reach the file when the program ends, after its window.
stop_pilotune
check "the position was saved" grep -qz "PositionLeft=300.*PositionTop=92\|PositionTop=92.*PositionLeft=300" "$WORK/Pilotune.ini"
echo "screenshots: $(cd "$OUT" && ls bar-*.png | tr '\n' ' ')in $(cd "$OUT" && pwd)"
exit $fail
