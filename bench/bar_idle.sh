#!/usr/bin/env bash
# Idle cost of the running program under Wine while the simulator plays:
# CPU of its process over N seconds (default 60, in six rounds) and its private
# memory at the end, read from /proc; the same for a bare poller that only sends the six queries a
# tick must make, for a poller that also asks what the bar asks to follow the
# sound and repaints a bar-sized see-through window with the time each second,
# for the minimal one-window program (what Wine itself costs), and for the
# painting poller without the sound questions, all side by side; prints the
# figures as bench/table.py reads them. Needs DISPLAY and WINEPREFIX
# (scripts/lib/wine-env.sh).
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
# machine's state (how soon a sleeping core wakes) weighs on each alike. Each
# program's 500 ms timer keeps its phase against the others' for as long as
# it runs, and that phase alone moves a figure by 10 % or more: the baselines
# are started again for each of six rounds, the program too, and the CPU is
# summed over them.
ROUNDS=6
ROUND_SECS=$(((SECS + ROUNDS - 1) / ROUNDS))
names=("Pilotune.exe" "bare poller (6 queries/tick)" "poller showing the time"
  "minimal window (Wine alone)" "the same, without the sound")
pids=()

started() { # the newest process whose command line matches, after it appeared
  local pid=""
  for _ in $(seq 1 50); do
    pid=$(pgrep -n -f "$1") && break
    sleep 0.2
  done
  echo "$pid"
}

# Between 1 and 1.5 s: started a whole second apart, the timers of all would
# fire together, round after round, and the later ones would queue behind the
# first at the player. A second or more also lets the newest process of a name
# be the program, not its loader.
pause() { sleep "$(awk -v r="$RANDOM" 'BEGIN {printf "%.3f", 1 + (r % 500) / 1000}')"; }

start_baselines() {
  pids=("${pids[0]}")
  wine "$BUILD/bench/winbench_bare_poller.exe" >/dev/null 2>&1 &
  pause
  pids+=("$(started 'winbench_bare_poller\.exe')")
  wine "$BUILD/bench/winbench_bare_poller.exe" --paint --sound >/dev/null 2>&1 &
  pause
  pids+=("$(started 'winbench_bare_poller\.exe --paint --sound')")
  wine "$BUILD/bench/winbench_minimal_window.exe" >/dev/null 2>&1 &
  pause
  pids+=("$(started 'winbench_minimal_window\.exe')")
  wine "$BUILD/bench/winbench_bare_poller.exe" --paint >/dev/null 2>&1 &
  pause
  pids+=("$(started 'winbench_bare_poller\.exe --paint$')")
}

stop_baselines() {
  for pid in "${pids[@]:1}"; do kill "$pid" 2>/dev/null; done
  sleep 1
}

start_program() {
  wine "$WORK/Pilotune.exe" >/dev/null 2>&1 &
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name '^Pilotune Fenetre$' >/dev/null 2>&1 && break
    sleep 0.2
  done
  pids=("$(started 'bench-idle.Pilotune\.exe')")
}

used=(0 0 0 0 0) mem=()
for round in $(seq 1 "$ROUNDS"); do
  start_program
  start_baselines
  sleep 3
  t0=()
  for pid in "${pids[@]}"; do t0+=("$(cpu_ns "$pid")"); done
  sleep "$ROUND_SECS"
  for i in "${!pids[@]}"; do used[$i]=$((used[$i] + $(cpu_ns "${pids[$i]}") - t0[$i])); done
  if [ "$round" -eq "$ROUNDS" ]; then
    for pid in "${pids[@]}"; do
      mem+=("$(awk '/^Private_(Clean|Dirty)/ {s += $2} END {printf "%.2f", s / 1024}' "/proc/$pid/smaps_rollup")")
    done
  fi
  stop_baselines
  [ "$round" -eq "$ROUNDS" ] && break # the player and the program are closed below
  wine "$WORK/Pilotune.exe" FERMERPROG >/dev/null 2>&1
  for _ in $(seq 1 50); do kill -0 "${pids[0]}" 2>/dev/null || break; sleep 0.2; done
  kill "${pids[0]}" 2>/dev/null
done
SECS=$((ROUND_SECS * ROUNDS))
cpu=()
for i in "${!names[@]}"; do
  cpu+=("$(awk -v c="${used[$i]}" -v s="$SECS" 'BEGIN {printf "%.4f", 100 * c / 1e9 / s}')")
  printf '(%-28s CPU %7.4f %% of one core over %d s, private memory %6.2f MB)\n' \
    "${names[$i]}" "${cpu[$i]}" "$SECS" "${mem[$i]}"
done
# The figures, each against its baseline of the same seconds: CPU against the
# poller that shows the time see-through and asks the player what the bar
# asks by default (the least such a bar costs), memory against the minimal
# window (Wine alone): at most half again what Wine itself holds for a
# one-window program.
row() { printf '%-44s  %8s %s  baseline %8s %s  ratio %5.2f  (target %s)\n' "$1" "$2" "$4" "$3" "$4" \
  "$(awk -v a="$2" -v b="$3" 'BEGIN {print (b > 0 ? a / b : 0)}')" "$5"; }
row "idle CPU, simulator playing, over ${SECS} s" "${cpu[0]}" "${cpu[2]}" % "<= 1.2"
row "idle CPU against the bare poller" "${cpu[0]}" "${cpu[1]}" % "none: reported"
row "idle CPU against the poller without the sound" "${cpu[0]}" "${cpu[4]}" % "none: reported"
row "private memory after idle" "${mem[0]}" "${mem[3]}" MB "<= 1.5"

wine "$WORK/Pilotune.exe" FERMERWINAMP FERMERPROG >/dev/null 2>&1
