#!/usr/bin/env bash
# measure.sh BUILD_DIR [RUNS]: times the game's start, from starting its process to its first
# window being mapped on screen, against a bare Qt window, on a private Xvfb. Prints the median
# of RUNS runs (default 15) of each and their ratio; the target is a ratio within 1.1.
# Needs Xvfb (package xvfb) and xev and xdpyinfo (package x11-utils); run as root, it installs
# them when missing.
set -euo pipefail

build=${1:?usage: measure.sh BUILD_DIR [RUNS]}
runs=${2:-15}
game=$build/tintwise
bare=$build/bench/startup/tintwise_bare_window
for program in "$game" "$bare"; do
    [ -x "$program" ] || { echo "measure.sh: $program not built" >&2; exit 2; }
done

if ! command -v Xvfb >/dev/null || ! command -v xev >/dev/null || ! command -v xdpyinfo >/dev/null; then
    if [ "$(id -u)" -eq 0 ]; then
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends xvfb x11-utils
    else
        echo "measure.sh: needs xvfb and x11-utils (apt-get install xvfb x11-utils)" >&2
        exit 2
    fi
fi

work=$(mktemp -d)
xvfb_pid='' xev_pid='' app_pid=''
cleanup() {
    for pid in $app_pid $xev_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

display=''
for n in $(seq 90 119); do
    [ -e "/tmp/.X$n-lock" ] || { display=:$n; break; }
done
[ -n "$display" ] || { echo "measure.sh: no free display" >&2; exit 1; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break
    sleep 0.05
done
export DISPLAY=$display
unset QT_QPA_PLATFORM

# xev on the root window reports every top-level window as it is mapped; it runs for the whole
# measurement, so a run only waits for the next "MapNotify" line.
mkfifo "$work/events"
stdbuf -oL xev -root -event substructure >"$work/events" &
xev_pid=$!
exec 3<"$work/events"
sleep 0.5 # let xev select its events before the first program starts

# Prints the milliseconds from starting $1 to its first window being mapped.
time_one() {
    local line start end
    while read -r -t 0.01 line <&3; do :; done # drop what the last run left
    start=$EPOCHREALTIME
    "$1" >/dev/null 2>&1 &
    app_pid=$!
    while read -r -t 20 line <&3; do
        if [[ $line == MapNotify* ]]; then
            end=$EPOCHREALTIME
            break
        fi
    done
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=''
    [ -n "${end:-}" ] || { echo "measure.sh: $1 showed no window" >&2; exit 1; }
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f\n", (e - s) * 1000 }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One untimed start of each fills the file caches; then the two alternate, so that a slow
# moment of the machine weighs on both alike.
time_one "$bare" >/dev/null
time_one "$game" >/dev/null
for i in $(seq "$runs"); do
    time_one "$bare" >>"$work/bare"
    time_one "$game" >>"$work/game"
    printf 'run %2d: bare %6s ms, game %6s ms\n' "$i" "$(tail -1 "$work/bare")" "$(tail -1 "$work/game")"
done

bare_ms=$(median <"$work/bare")
game_ms=$(median <"$work/game")
echo "median over $runs runs: bare window $bare_ms ms, game $game_ms ms"
awk -v g="$game_ms" -v b="$bare_ms" 'BEGIN { printf "ratio game / bare: %.2f (target at most 1.10)\n", g / b }'
