#!/usr/bin/env bash
# The real game in a real window under a virtual X server, measured as the player gets it, on the
# OpenGL path and on the software path side by side. Each run prepares a game folder with a player
# in "Config.cfg", starts the game, lets the 385-frame logo run into the main menu, clicks
# "Новая игра" and the easy difficulty, skips the story scene, launches the ball and plays on. It prints medians over the
# runs: frames a second (the logo's frames over the time it took), processor time in the menu and
# in play (% of one core), peak resident memory, launch to first frame, and the processor time the
# game used until its first frame (which, unlike the wall time, holds on a loaded machine).
#
#   bench/real-window.sh [GAME_DIR] [RUNS]     (defaults: build/game, 3)
#
# Needs Xvfb, xdotool, xwininfo and a C compiler; ZB_BENCH_SHOTS=FOLDER keeps a picture (xwd) of
# each path in play. The game's frames are counted by a small library
# loaded beside it (bench/present_probe.c) that notes the time of every presented frame.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
game_dir=$(cd "${1:-$here/../build/game}" && pwd)
runs=${2:-3}
zbtool=$game_dir/../tools/zbtool
menu_seconds=8
play_seconds=8

for tool in Xvfb xdotool xwininfo cc; do
  command -v $tool >/dev/null || { echo "real-window: $tool is missing" >&2; exit 1; }
done
[ -x "$game_dir/zumbala" ] || { echo "real-window: no game in $game_dir" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

cc -O2 -shared -fPIC -o "$work/present_probe.so" "$here/present_probe.c" -ldl

display=""
for n in $(seq 70 99); do
  if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=:$n; break; fi
done
[ -n "$display" ] || { echo "real-window: no free X display" >&2; exit 1; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
presents() { if [ -f "$1" ]; then wc -l < "$1"; else echo 0; fi; }
wait_presents() {  # FILE COUNT SECONDS
  for _ in $(seq $(($3 * 20))); do
    [ "$(presents "$1")" -ge "$2" ] && return 0
    sleep 0.05
  done
  echo "real-window: the game stopped presenting frames" >&2
  return 1
}
# Clicks at a point of the 800 x 600 picture, wherever the window is.
click() {
  local at
  at=$(xwininfo -root -tree | grep '"Zumbala"' | head -1 | awk '{print $NF}')
  local x=$(echo "$at" | cut -d+ -f2) y=$(echo "$at" | cut -d+ -f3)
  xdotool mousemove $((x + $1)) $((y + $2))
  sleep 0.2
  xdotool click 1
}

# One run on one path: prints "fps menu_cpu play_cpu peak_mb first_frame_ms first_frame_cpu_ms".
run_once() {
  local driver=$1 folder=$work/$1
  rm -rf "$folder"
  mkdir -p "$folder"
  for entry in Data Sounds wdata zumbala; do ln -s "$game_dir/$entry" "$folder/$entry"; done
  printf 'PlayerCount=1\nCurrentPlayer=0\nPlayer.0=Bench\nPlayerName=Bench\n' |
    "$zbtool" config-write "$folder/Config.cfg"
  local log=$folder/presents
  local start
  start=$(date +%s.%N)
  (cd "$folder" && SDL_RENDER_DRIVER=$driver SDL_AUDIODRIVER=dummy ZB_PRESENT_LOG=$log \
    LD_PRELOAD=$work/present_probe.so exec ./zumbala >/dev/null 2>&1) &
  game_pid=$!
  wait_presents "$log" 395 20
  local first logo_end
  first=$(sed -n 1p "$log")
  logo_end=$(sed -n 385p "$log")
  local fps first_ms
  fps=$(awk -v a="$first" -v b="$logo_end" 'BEGIN {print 384 / (b - a)}')
  first_ms=$(awk -v a="$start" -v b="$first" 'BEGIN {print (b - a) * 1000}')

  sleep 1  # the main menu
  local c0 c1
  c0=$(cpu_ticks $game_pid)
  sleep $menu_seconds
  c1=$(cpu_ticks $game_pid)
  local menu_cpu
  menu_cpu=$(awk -v a="$c0" -v b="$c1" -v t="$ticks" -v s="$menu_seconds" 'BEGIN {print 100 * (b - a) / t / s}')

  click 400 260  # "Новая игра"
  sleep 1
  click 400 220  # the easy difficulty
  sleep 2
  click 710 565  # "Пропустить": the story scene before the first level
  sleep 6        # the level's title flies in
  xdotool key space
  sleep 1
  c0=$(cpu_ticks $game_pid)
  sleep $play_seconds
  c1=$(cpu_ticks $game_pid)
  local play_cpu peak
  play_cpu=$(awk -v a="$c0" -v b="$c1" -v t="$ticks" -v s="$play_seconds" 'BEGIN {print 100 * (b - a) / t / s}')
  peak=$(awk '/VmHWM/ {print $2 / 1024}' "/proc/$game_pid/status")
  # ZB_BENCH_SHOTS names a folder for a picture of each path in play.
  if [ -n "${ZB_BENCH_SHOTS:-}" ]; then xwd -root -silent > "$ZB_BENCH_SHOTS/$driver-play.xwd" || true; fi
  kill -KILL $game_pid
  wait $game_pid 2>/dev/null || true
  game_pid=""
  printf '%.1f %.1f %.1f %.0f %.0f %.0f\n' "$fps" "$menu_cpu" "$play_cpu" "$peak" "$first_ms" "$(cat "$log.cpu")"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

for path in opengl software; do
  : > "$work/$path.runs"
  for _ in $(seq "$runs"); do run_once "$path" >> "$work/$path.runs"; done
done

echo "real window under Xvfb 1024x768, $(date -u +%Y-%m-%d), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg), medians of $runs runs"
printf '%-38s %12s %12s\n' "" "OpenGL" "software"
row() {  # LABEL COLUMN FORMAT
  local gl sw
  gl=$(awk -v c="$2" '{print $c}' "$work/opengl.runs" | median)
  sw=$(awk -v c="$2" '{print $c}' "$work/software.runs" | median)
  printf "%-38s %12s %12s\n" "$1" "$(printf "$3" "$gl")" "$(printf "$3" "$sw")"
}
row "frames a second (385-frame logo)" 1 "%.1f"
row "CPU in the main menu, % of a core" 2 "%.1f"
row "CPU in play (level 1), % of a core" 3 "%.1f"
row "peak resident memory, MB" 4 "%.0f"
row "launch to first frame, ms" 5 "%.0f"
row "processor time to first frame, ms" 6 "%.0f"
