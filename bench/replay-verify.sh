#!/usr/bin/env bash
# Speed of playing a recorded whole game again without drawing, as the score server checks one:
# the bot records one 25-level game, then the replay is played RUNS times; each run's seconds of
# one core (user time), the frames of the game and the frames a second.
#
#   bench/replay-verify.sh [GAME_DIR [DIFFICULTY [SEED [RUNS]]]]   (defaults: build/game, medium, 2, 3)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
game=$(cd "${1:-$root/build/game}" && pwd)
difficulty=${2:-medium}
seed=${3:-2}
runs=${4:-3}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/Data" "$work/home"
ln -s "$game"/Data/* "$work/Data/"
ln -s "$game/Sounds" "$game/wdata" "$work/"
cp "$game/zumbala-autoplay" "$work/"
export XDG_DATA_HOME=$work/home

"$work/zumbala-autoplay" --game "$difficulty" --seed "$seed" --record "$work/game.zbr" | tail -n1
echo "replay file: $(stat -c %s "$work/game.zbr") bytes"
for ((i = 1; i <= runs; i++)); do
  /usr/bin/time -f "%U" -o "$work/time" "$work/zumbala-autoplay" --replay "$work/game.zbr" > "$work/out"
  frames=$(sed -n 's/^game: .* frames=\([0-9]*\) .*/\1/p' "$work/out")
  user=$(cat "$work/time")
  awk -v f="$frames" -v u="$user" 'BEGIN { printf "run: %.2f s of one core, %d frames, %.0f frames/s\n", u, f, f / u }'
done
