#!/usr/bin/env bash
# Plays every level on every difficulty with three seeds through the autoplayer and writes the
# table of frames it took to clear each level.
#
#   scripts/level-clear-table.sh [BUILD_DIR [OUT.md]]   (defaults: build, docs/level-clear-table.md)
#
# Each run is `zumbala-autoplay LEVEL DIFFICULTY 40000 --seed S --lives`: the level from its
# intro on (level 1 with its story scene), playing on through lost lives, for at most 40,000
# frames. The runs go one after another at low priority.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=${2:-$root/docs/level-clear-table.md}
autoplay=$build/game/zumbala-autoplay
budget=40000
seeds=(1 2 3)
difficulties=(easy medium hard)

if [[ ! -x $autoplay ]]; then
  echo "level-clear-table: $autoplay is missing; build the target zumbala-autoplay first" >&2
  exit 1
fi

raw=$(mktemp)
trap 'rm -f "$raw"' EXIT
started=$(date +%s)
for level in $(seq 1 25); do
  for d in 0 1 2; do
    for seed in "${seeds[@]}"; do
      line=$(nice -n 19 "$autoplay" "$level" "$d" "$budget" --seed "$seed" --lives)
      echo "$d $seed $line" >>"$raw"
    done
  done
  echo "level $level done" >&2
done
seconds=$(($(date +%s) - started))

titles=$(for level in $(seq 1 25); do
  printf '%d %s\n' "$level" "$(sed -n 's/^title //p' "$root/assets/levels/level$(printf %02d "$level").txt")"
done)

{
  echo "# Frames to clear each level"
  echo
  echo "Made by \`scripts/level-clear-table.sh\`: the autoplayer (\`zumbala-autoplay LEVEL DIFFICULTY $budget"
  echo "--seed S --lives\`) plays each level from its intro (level 1 with its story scene before it) with"
  echo "seeds 1, 2 and 3, playing on through lost lives. A cell is the number of frames (100 a second)"
  echo "until the last brick broke; † marks a run that lost a life on the way, and a level not"
  echo "cleared within $budget frames shows the bricks left. The runs took $seconds s in all."
  echo
  awk -v budget="$budget" -v titles="$titles" '
    BEGIN {
      n = split(titles, rows, "\n")
      for (i = 1; i <= n; ++i) { split(rows[i], f, " "); t = rows[i]; sub(/^[0-9]+ /, "", t); title[f[1]] = t }
      name[0] = "easy"; name[1] = "medium"; name[2] = "hard"
    }
    {
      d = $1; s = $2
      for (i = 3; i <= NF; ++i) { split($i, kv, "="); v[kv[1]] = kv[2] }
      level = v["level"]
      if (v["result"] == "cleared") {
        cell[level, d, s] = v["frames"] (v["lives"] < 3 ? " †" : "")
        if (v["frames"] > worst[d]) { worst[d] = v["frames"]; worstLevel[d] = level }
        total[d] += v["frames"]; cleared[d]++
      } else {
        cell[level, d, s] = "not cleared (" v["blocks_left"] " left)"
        failed[d] = failed[d] " " level
      }
      runs[d]++
    }
    END {
      print "| level | title | easy 1 | easy 2 | easy 3 | medium 1 | medium 2 | medium 3 | hard 1 | hard 2 | hard 3 |"
      print "|---:|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
      for (level = 1; level <= 25; ++level) {
        line = "| " level " | " title[level]
        for (d = 0; d <= 2; ++d) for (s = 1; s <= 3; ++s) line = line " | " cell[level, d, s]
        print line " |"
      }
      print ""
      for (d = 0; d <= 2; ++d) {
        printf "- %s: %d of %d runs cleared", name[d], cleared[d], runs[d]
        if (cleared[d] > 0) printf "; the slowest took %d frames (level %d), the mean %d", worst[d], worstLevel[d], total[d] / cleared[d]
        if (failed[d] != "") printf "; not cleared:%s", failed[d]
        print "."
      }
    }' "$raw"
} >"$out"
echo "level-clear-table: wrote $out" >&2
