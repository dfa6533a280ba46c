#!/usr/bin/env bash
# Records what the autoplayer sees of the game, to show that a change of the code left the game
# as it was: whole games on every difficulty with three seeds, and every level alone.
#
#   scripts/transcripts.sh [BUILD_DIR [OUT_DIR]]   (defaults: build, BUILD_DIR/transcripts)
#
# Each whole game runs in a folder of its own (its "Config.cfg" starts absent); compare two
# recordings with `diff -r`.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=${2:-$build/transcripts}
game=$build/game
if [[ ! -x $game/zumbala-autoplay ]]; then
  echo "transcripts: $game/zumbala-autoplay is missing; build it first" >&2
  exit 1
fi
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for d in easy medium hard; do
  for seed in 1 2 3; do
    folder=$work/$d-$seed
    mkdir -p "$folder"
    cp "$game/zumbala-autoplay" "$folder/"
    for content in Data Sounds wdata; do ln -s "$game/$content" "$folder/$content"; done
    nice -n 10 "$folder/zumbala-autoplay" --game "$d" --seed "$seed" >"$out/game-$d-$seed.txt" 2>&1 || true
  done
done
for level in $(seq 1 25); do
  for d in 0 1 2; do
    nice -n 10 "$game/zumbala-autoplay" "$level" "$d" 40000 --seed 1 --lives 2>&1
  done
done >"$out/levels.txt"
echo "transcripts in $out"
