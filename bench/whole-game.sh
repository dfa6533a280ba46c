#!/usr/bin/env bash
# Speed of headless play without rasterising: the frames a second of the per-level autoplayer,
# and the wall time of one whole 25-level game on easy played through the real screens.
#
#   bench/whole-game.sh [GAME_DIR [SEED]]     (defaults: build/game, seed 1)
#
# Both run from a game folder of their own (the built content linked in, no "Config.cfg"), so the
# game folder's own settings and scores are never touched; the whole game starts as a first start.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
game=$(cd "${1:-$root/build/game}" && pwd)
seed=${2:-1}
level=20   # the level with the most bricks
frames=40000

if [[ ! -x $game/zumbala-autoplay || ! -d $game/Data ]]; then
  echo "whole-game: $game lacks zumbala-autoplay or Data/; build zumbala-autoplay and content first" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/Data" "$work/home"
ln -s "$game"/Data/* "$work/Data/"
ln -s "$game/Sounds" "$game/wdata" "$work/"
cp "$game/zumbala-autoplay" "$work/"
export XDG_DATA_HOME=$work/home
autoplay=$work/zumbala-autoplay

now() { date +%s.%N; }
field() { sed -n "s/.*$1=\([0-9]*\).*/\1/p" <<<"$2"; }
calc() { awk "BEGIN { printf \"%.4f\", $1 }"; }

# Start-up alone (the archives loaded, the level entered), then a level played out: the frames
# a second count the time past the start-up.
t0=$(now)
"$autoplay" "$level" 0 0 --seed "$seed" >/dev/null
t1=$(now)
line=$("$autoplay" "$level" 0 "$frames" --seed "$seed")
t2=$(now)
played=$(field frames "$line")
startup=$(calc "$t1 - $t0")
seconds=$(calc "$t2 - $t1 - $startup")
printf 'level %d easy, seed %s: %s\n' "$level" "$seed" "$line"
printf '  start-up %.2f s; %d frames in %.2f s: %.0f frames a second\n' "$startup" "$played" "$seconds" \
  "$(calc "$played / $seconds")"

# One whole game on easy, from the name screen to the closing of the program.
t3=$(now)
status=0
"$autoplay" --game easy --seed "$seed" >"$work/game.log" || status=$?
t4=$(now)
summary=$(tail -n 1 "$work/game.log")
total=$(field frames "$summary")
wall=$(calc "$t4 - $t3")
printf 'whole game easy, seed %s: %s (exit %d)\n' "$seed" "$summary" "$status"
printf '  %d frames in %.1f s wall: %.0f frames a second\n' "$total" "$wall" "$(calc "$total / $wall")"
exit "$status"
