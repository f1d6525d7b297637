#!/usr/bin/env bash
# Idle cost of the running program under Wine while the simulator plays:
# CPU of its process over N seconds (default 60) and its private memory then,
# read from /proc; the same for a bare poller that only sends the six queries a
# tick must make, for the same poller that also repaints a bar-sized window
# with the time each second, and for the minimal one-window program (what
# Wine itself costs), all side by side. Needs DISPLAY and WINEPREFIX (scripts/lib/wine-env.sh).
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

# The programs run side by side and are measured over the same seconds: the
# machine's state (how soon a sleeping core wakes) weighs on each alike.
names=() pids=()
watch() { names+=("$1"); pids+=("$2"); }

started() { # the newest process whose command line matches, after it appeared
  local pid=""
  for _ in $(seq 1 50); do
    pid=$(pgrep -n -f "$1") && break
    sleep 0.2
  done
  echo "$pid"
}

wine "$WORK/Pilotune.exe" >/dev/null 2>&1 &
for _ in $(seq 1 100); do
  xdotool search --onlyvisible --name '^Pilotune Fenetre$' >/dev/null 2>&1 && break
  sleep 0.2
done
watch "Pilotune.exe" "$(started 'bench-idle.Pilotune\.exe')"
wine "$BUILD/bench/winbench_bare_poller.exe" >/dev/null 2>&1 &
watch "bare poller (6 queries/tick)" "$(started 'winbench_bare_poller\.exe')"
wine "$BUILD/bench/winbench_bare_poller.exe" --paint >/dev/null 2>&1 &
sleep 1
watch "poller showing the time" "$(started 'winbench_bare_poller\.exe.*--paint')"
wine "$BUILD/bench/winbench_minimal_window.exe" >/dev/null 2>&1 &
watch "minimal window (Wine alone)" "$(started 'winbench_minimal_window\.exe')"
sleep 3

t0=()
for pid in "${pids[@]}"; do t0+=("$(cpu_ns "$pid")"); done
sleep "$SECS"
for i in "${!pids[@]}"; do
  pid=${pids[$i]}
  t1=$(cpu_ns "$pid")
  private=$(awk '/^Private_(Clean|Dirty)/ {s += $2} END {print s}' "/proc/$pid/smaps_rollup")
  awk -v n="${names[$i]}" -v c=$((t1 - ${t0[$i]})) -v s="$SECS" -v p="$private" \
    'BEGIN {printf "%-28s CPU %6.3f %% of one core over %d s   private memory %6.2f MB\n", n, 100 * c / 1e9 / s, s, p / 1024}'
done

for pid in "${pids[@]:1}"; do kill "$pid" 2>/dev/null; done
wine "$WORK/Pilotune.exe" FERMERWINAMP FERMERPROG >/dev/null 2>&1
echo "targets: idle CPU <= 0.2 %, private memory <= 8 MB"
