#!/usr/bin/env bash
# Seeds the working corpus of each fuzz driver from the built content, once.
#
#   fuzz/seed.sh GAME_DIR OUT        (ZBTOOL names zbtool; default: the one beside GAME_DIR)
set -euo pipefail
# Absolute: the autoplayer seeds link the content into a folder of their own.
game="$(cd "$1" 2>/dev/null && pwd || echo "$1")"
out="$2"
zbtool="${ZBTOOL:-$game/../tools/zbtool}"
data="$game/Data"

# A driver already seeded keeps what it has found since.
fresh() {
  mkdir -p "$out/$1"
  [ -z "$(ls -A "$out/$1")" ]
}

if [ ! -x "$zbtool" ] || [ ! -f "$data/data.zbx" ]; then
  echo "fuzz/seed.sh: no built content in $game; the committed corpus alone is used" >&2
  mkdir -p "$out"
  exit 0
fi

if fresh LevelFile; then for n in 1 5 22; do cp "$data/data$n" "$out/LevelFile/data$n"; done; fi
if fresh GuiReader; then cp "$data/gfx.zbx" "$out/GuiReader/gfx.zbx"; fi
if fresh ShareScreen && [ -f "$game/wdata/config.ini" ]; then cp "$game/wdata/config.ini" "$out/ShareScreen/"; fi
if fresh ImageRecord; then
  for key in playerpula bomb cursor ball; do "$zbtool" record "$data/data.zbx" "$key" "$out/ImageRecord/$key"; done
fi
if fresh FontRecord; then
  # A font of two glyphs over a small picture: first character 32, spacing 1, glyphs 9 x 9.
  "$zbtool" record "$data/data.zbx" playerpula "$out/FontRecord/picture"
  {
    printf '\x20\0\0\0\x01\0\0\0\0\0\0\0\x02\0\0\0\x09\0\0\0\x09\0\0\0\x09\0\0\0\x09\0\0\0'
    cat "$out/FontRecord/picture"
  } > "$out/FontRecord/two-glyphs"
  rm "$out/FontRecord/picture"
fi
if fresh ParticleTemplate; then
  for key in GoldExp.pss Waterfall.pss FireSmall.pss Bonus.pss StLevelTail.pss; do
    "$zbtool" record "$data/data.zbx" "$key" "$out/ParticleTemplate/$key"
  done
fi
if fresh ArchiveDb; then
  # A small archive of one record of each kind: the game's own inflate to megabytes, which
  # would make every input slow without reaching anything new.
  pack="$(mktemp -d)"
  cp "$out/ImageRecord/playerpula" "$out/FontRecord/two-glyphs" "$out/ParticleTemplate/GoldExp.pss" "$pack/"
  printf 'raw playerpula 1 playerpula\nraw two-glyphs 3 two-glyphs\nraw GoldExp.pss 0 GoldExp.pss\n' > "$pack/m"
  "$zbtool" pack "$pack/m" "$out/ArchiveDb/small.zbx" > /dev/null
  rm -rf "$pack"
fi
if fresh LevelSetArchive; then
  # A set of three of the game's levels.
  set_dir="$(mktemp -d)"
  for n in 1 5 22; do cp "$data/data$n" "$set_dir/level0$((n % 10))"; done
  "$zbtool" levelset pack "$set_dir" "$out/LevelSetArchive/three.zlv"
  rm -rf "$set_dir"
fi
if fresh Config; then
  printf '' | "$zbtool" config-write "$out/Config/defaults.cfg"
fi
# A game folder of its own for the autoplayer, with the content linked in.
play_folder() {
  local folder
  folder=$(mktemp -d)
  mkdir "$folder/Data"
  ln -s "$data"/* "$folder/Data/"
  ln -s "$game/Sounds" "$game/wdata" "$folder/"
  cp "$game/zumbala-autoplay" "$folder/"
  echo "$folder"
}
if fresh ReplayFile && [ -x "$game/zumbala-autoplay" ]; then
  # The last level on hard, recorded by the bot in a folder of its own: a short whole replay.
  play=$(play_folder)
  "$play/zumbala-autoplay" --game hard --seed 4 --start-level 25 --record "$out/ReplayFile/level25.zbr" > /dev/null || true
  rm -rf "$play"
fi
if fresh CheckpointFile && [ -x "$game/zumbala-autoplay" ]; then
  # Two levels of a game left on the way, then continued and left again: a chain of two segments.
  play=$(play_folder)
  "$play/zumbala-autoplay" --game easy --seed 5 --max-frames 6000 > /dev/null || true
  "$play/zumbala-autoplay" --game easy --continue --max-frames 6000 > /dev/null || true
  find "$play/checkpoints" -name '*.zbc' -exec cp {} "$out/CheckpointFile/" \; 2> /dev/null || true
  rm -rf "$play"
fi
mkdir -p "$out/ScoreLine" "$out/ScoreRequest" "$out/ReplayFile" "$out/CheckpointFile"
