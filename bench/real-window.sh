#!/usr/bin/env bash
# The real game in a real window under a virtual X server, measured as the player gets it, on the
# OpenGL path, on the software path and with the renderer the game chooses itself, side by side.
# Each run prepares a game folder with a player in "Config.cfg", starts the game, lets the
# 385-frame logo run into the main menu, clicks "Новая игра" and the easy difficulty, skips the
# story scene, launches the ball and plays on. It prints medians over the runs: frames a second in
# the main menu, the time the logo took (3.85 s at 100 frames a second; the start-up's loading
# runs between its frames), processor time in the menu and in play (% of one core), peak resident
# memory, launch to first frame, and the processor time the game used until its first frame
# (which, unlike the wall time, holds on a loaded machine). Beside them, the same two start-up
# figures for a bare SDL program that only opens a window and presents one frame with a picture
# (bench/first_frame_floor.c): what any program pays on that path.
#
#   bench/real-window.sh [GAME_DIR] [RUNS]     (defaults: build/game, 3)
#
# Needs Xvfb, xdotool, xwininfo, a C compiler and SDL's development files; ZB_BENCH_SHOTS=FOLDER
# keeps a picture (xwd) of each path in play. The frames are counted by a small library loaded
# beside the program (bench/present_probe.c) that notes the time of every presented frame.
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
# shellcheck disable=SC2046
cc -O2 -o "$work/floor" "$here/first_frame_floor.c" $(sdl2-config --cflags --libs)

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

# One run on one path: prints "menu_fps logo_seconds menu_cpu play_cpu peak_mb first_frame_ms
# first_frame_cpu_ms".
run_once() {
  local driver=$1 folder=$work/$1
  rm -rf "$folder"
  mkdir -p "$folder"
  # The game keeps "Config.cfg" in $XDG_DATA_HOME/zumbala when there is none beside it.
  [ -e "$game_dir/Config.cfg" ] && { echo "real-window: $game_dir/Config.cfg would be used instead" >&2; exit 1; }
  mkdir -p "$folder/xdg/zumbala"
  printf 'PlayerCount=1\nCurrentPlayer=0\nPlayer.0=Bench\nPlayerName=Bench\n' |
    "$zbtool" config-write "$folder/xdg/zumbala/Config.cfg"
  local log=$folder/presents screens=$folder/screens
  local start
  start=$(date +%s.%N)
  # "default" leaves the choice of renderer to the game, as a player starts it.
  local forced=$driver
  [ "$driver" = default ] && forced=""
  (cd "$folder" && exec env ${forced:+SDL_RENDER_DRIVER=$forced} XDG_DATA_HOME="$folder/xdg" SDL_AUDIODRIVER=dummy \
    ZUMBALA_SCREEN_LOG="$screens" ZB_PRESENT_LOG="$log" LD_PRELOAD="$work/present_probe.so" "$game_dir/zumbala" \
    >/dev/null 2>&1) &
  game_pid=$!
  wait_presents "$log" 395 20
  local first logo_end
  first=$(sed -n 1p "$log")
  logo_end=$(sed -n 385p "$log")
  local logo_s first_ms
  logo_s=$(awk -v a="$first" -v b="$logo_end" 'BEGIN {print b - a}')
  first_ms=$(awk -v a="$start" -v b="$first" 'BEGIN {print (b - a) * 1000}')

  sleep 1
  [ "$(tail -1 "$screens")" = 4 ] || { echo "real-window: the game is not in the main menu" >&2; exit 1; }
  local c0 c1 p0 p1 t0 t1
  c0=$(cpu_ticks $game_pid)
  p0=$(presents "$log")
  t0=$(date +%s.%N)
  sleep $menu_seconds
  c1=$(cpu_ticks $game_pid)
  p1=$(presents "$log")
  t1=$(date +%s.%N)
  local menu_cpu fps
  menu_cpu=$(awk -v a="$c0" -v b="$c1" -v t="$ticks" -v s="$menu_seconds" 'BEGIN {print 100 * (b - a) / t / s}')
  fps=$(awk -v a="$p0" -v b="$p1" -v s="$t0" -v e="$t1" 'BEGIN {print (b - a) / (e - s)}')

  click 400 260  # "Новая игра"
  sleep 1
  click 400 249  # the easy difficulty
  sleep 2
  click 680 50   # "Пропустить": the story scene before the first level
  sleep 6        # the level's title flies in
  xdotool key space
  sleep 1
  [ "$(tail -1 "$screens")" = 12 ] || { echo "real-window: the game is not in play (screens: $(tr "\n" " " < "$screens"))" >&2; exit 1; }
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
  printf '%.1f %.2f %.1f %.1f %.0f %.0f %.0f\n' "$fps" "$logo_s" "$menu_cpu" "$play_cpu" "$peak" "$first_ms" \
    "$(cat "$log.cpu")"
}

# The least an SDL program pays for a first frame on the path: prints "first_frame_ms first_frame_cpu_ms".
floor_once() {
  local log=$work/floor-presents
  rm -f "$log" "$log.cpu"
  local start
  start=$(date +%s.%N)
  env SDL_RENDER_DRIVER="$1" ZB_PRESENT_LOG="$log" LD_PRELOAD="$work/present_probe.so" "$work/floor"
  printf '%.0f %.0f\n' "$(awk -v a="$start" -v b="$(sed -n 1p "$log")" 'BEGIN {print (b - a) * 1000}')" \
    "$(cat "$log.cpu")"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

for path in opengl software default; do
  : > "$work/$path.runs"
  for _ in $(seq "$runs"); do run_once "$path" >> "$work/$path.runs"; done
done
for path in opengl software; do
  : > "$work/$path.floor"
  for _ in $(seq "$runs"); do floor_once "$path" >> "$work/$path.floor"; done
done

echo "real window under Xvfb 1024x768, $(date -u +%Y-%m-%d), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg), medians of $runs runs"
printf '%-38s %12s %12s %12s\n' "" "OpenGL" "software" "game's choice"
row() {  # LABEL COLUMN FORMAT [RUNS_SUFFIX]
  local line
  line=$(printf '%-38s' "$1")
  for path in opengl software default; do
    local file=$work/$path.${4:-runs} value="-"
    [ -s "$file" ] && value=$(printf "$3" "$(awk -v c="$2" '{print $c}' "$file" | median)")
    line+=$(printf ' %12s' "$value")
  done
  echo "$line"
}
row "frames a second (main menu)" 1 "%.1f"
row "the 385-frame logo, s" 2 "%.2f"
row "CPU in the main menu, % of a core" 3 "%.1f"
row "CPU in play (level 1), % of a core" 4 "%.1f"
row "peak resident memory, MB" 5 "%.0f"
row "launch to first frame, ms" 6 "%.0f"
row "processor time to first frame, ms" 7 "%.0f"
row "bare SDL: launch to first frame, ms" 1 "%.0f" floor
row "bare SDL: processor time to it, ms" 2 "%.0f" floor
