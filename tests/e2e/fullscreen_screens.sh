#!/usr/bin/env bash
# End to end: the full-screen view and the about box of the real Pilotune.exe
# beside the simulator under Wine and Xvfb, opened by a second start with
# PLEINECRAN and APROPOSDE as a user's shortcut would. Saves screenshots in
# build/screenshots/ (the view playing, in the remaining-time display, the
# about box) and checks that the bar stays visible above the view.
# Needs DISPLAY and WINEPREFIX (scripts/test sets both).
BUILD=${1:?usage: fullscreen_screens.sh <windows build dir>}
WORK="$BUILD/e2e/fullscreen"
source "$(dirname "$0")/lib/start.sh"
start_pilotune "[$user Copie]"$'\r\n'"AfficheBT=1"$'\r\n'
view_shown() { xdotool search --onlyvisible --name '^Pilotune$' >/dev/null 2>&1; }
# Pixels of the bar's band: the bar's own, not the view's gradient.
bar_visible() {
  import -window root -crop 400x20+500+3 "$WORK/band.png"
  # the gradient's top rows are pure blue (0,0,255); the bar shows something else
  [ "$(convert "$WORK/band.png" -format '%[fx:mean.r>0.05||mean.g>0.05?1:0]' info:)" = 1 ]
}

wine "$WORK/Pilotune.exe" PLEINECRAN >/dev/null 2>&1
check "PLEINECRAN opens the view" wait_until 100 view_shown
sleep 1.5
import -window root "$OUT/fullscreen-e2e-playing.png"
check "the bar stays above the view" bar_visible
# A click on the view's time switches the bar and the view to the remaining time.
xdotool mousemove 512 70 click 1
sleep 1.2
xdotool mousemove 512 500
sleep 0.6
import -window root "$OUT/fullscreen-e2e-remaining.png"
check "the bar stays above the view after a click on it" bar_visible
# A right click on the background opens the bar's main menu over the view.
check_menu 400x560+600+150 600 150 fullscreen-e2e-menu "a right click on the view opens the main menu"
check "the menu closed, the view stays" view_shown
xdotool key Escape
check "Escape closes the view" wait_until 50 bash -c '! xdotool search --onlyvisible --name "^Pilotune\$" >/dev/null 2>&1'

wine "$WORK/Pilotune.exe" APROPOSDE >/dev/null 2>&1
check "APROPOSDE opens the about box" \
  wait_until 100 bash -c 'xdotool search --onlyvisible --name "^A propos de Pilotune\$" >/dev/null 2>&1'
sleep 2
import -window root "$OUT/about-e2e.png"

stop_pilotune
echo "screenshots: fullscreen-e2e-playing.png fullscreen-e2e-remaining.png fullscreen-e2e-menu.png about-e2e.png in $(cd "$OUT" && pwd)"
exit $fail
