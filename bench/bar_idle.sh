#!/usr/bin/env bash
# Idle cost of the running program under Wine while the simulator plays:
# CPU of its process over N seconds (default 60) and its private memory then,
# read from /proc; the same for a bare poller that only sends the six queries a
# tick must make, for the same poller that also repaints a bar-sized window
# with the time each second, and for the minimal one-window program (what
# Wine itself costs). Needs DISPLAY and WINEPREFIX (scripts/lib/wine-env.sh).
set -uo pipefail
BUILD=${1:?usage: bar_idle.sh <windows build dir> [seconds]}
SECS=${2:-60}
WORK="$BUILD/bench-idle"
mkdir -p "$WORK"
winpath() { echo "Z:${1//\//\\}"; }
user=$(wine cmd /c echo %USERNAME% 2>/dev/null | tr -d '\r\n')
cp "$BUILD/dist/Pilotune/Pilotune.exe" "$WORK/"
printf '[%s Option]\r\nCheminWinamp=%s\r\nNbOuvert=1\r\n[%s Divers]\r\nMAJ=0\r\n' \
  "$user" "$(winpath "$BUILD/dist/winamp-sim/Winamp.exe")" "$user" > "$WORK/Pilotune.ini"

# CPU time of every thread of the process, in nanoseconds (the scheduler's
# own count: finer than the 10 ms ticks of /proc/<pid>/stat).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s}'; }

measure() { # name, pid
  local pid=$2 t0 t1
  t0=$(cpu_ns "$pid")
  sleep "$SECS"
  t1=$(cpu_ns "$pid")
  local private
  private=$(awk '/^Private_(Clean|Dirty)/ {s += $2} END {print s}' "/proc/$pid/smaps_rollup")
  awk -v n="$1" -v c=$((t1 - t0)) -v s="$SECS" -v p="$private" \
    'BEGIN {printf "%-28s CPU %6.3f %% of one core over %d s   private memory %6.2f MB\n", n, 100 * c / 1e9 / s, s, p / 1024}'
}

wine "$WORK/Pilotune.exe" >/dev/null 2>&1 &
for _ in $(seq 1 100); do
  xdotool search --onlyvisible --name '^Pilotune Fenetre$' >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 2
pid=$(pgrep -f 'bench-idle.Pilotune\.exe' | head -1)
measure "Pilotune.exe" "$pid"

wine "$BUILD/bench/winbench_bare_poller.exe" >/dev/null 2>&1 &
sleep 3
pid=$(pgrep -f 'winbench_bare_poller\.exe' | head -1)
measure "bare poller (6 queries/tick)" "$pid"
kill "$pid" 2>/dev/null

wine "$BUILD/bench/winbench_bare_poller.exe" --paint >/dev/null 2>&1 &
sleep 3
pid=$(pgrep -f 'winbench_bare_poller\.exe' | head -1)
measure "poller showing the time" "$pid"
kill "$pid" 2>/dev/null
wine "$WORK/Pilotune.exe" FERMERWINAMP FERMERPROG >/dev/null 2>&1

wine "$BUILD/bench/winbench_minimal_window.exe" >/dev/null 2>&1 &
sleep 3
pid=$(pgrep -f 'winbench_minimal_window\.exe' | head -1)
measure "minimal window (Wine alone)" "$pid"
kill "$pid" 2>/dev/null
echo "targets: idle CPU <= 0.2 %, private memory <= 8 MB"
