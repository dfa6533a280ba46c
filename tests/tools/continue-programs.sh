#!/usr/bin/env bash
# Continuing a game with the programs, as a player does: a game left by --max-frames, one lost by
# game over, each continued with --continue to its end, the continued replays checked by
# zumbala-scores --verify; and the autoplayer killed again and again while it writes checkpoints,
# after which the file is always one the game continues from.
#   continue-programs.sh GAME_DIR ZUMBALA_SCORES
set -euo pipefail
game=$(cd "$1" && pwd)
scores=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A game folder of its own with the content linked in; the player's files are its own.
folder() {
  mkdir -p "$1/Data"
  ln -s "$game"/Data/* "$1/Data/"
  ln -s "$game/Sounds" "$game/wdata" "$1/"
  cp "$game/zumbala-autoplay" "$1/"
}
checkpoint_of() { find "$1" -name '*.zbc' | head -1; }
result_of() { sed -n 's/^game: result=\([a-z]*\) .*/\1/p' "$1"; }

folder "$work/a"
"$work/a/zumbala-autoplay" --game easy --seed 5 --max-frames 9000 > "$work/a1.txt"
[ -n "$(checkpoint_of "$work/a")" ] || fail "no checkpoint after a game left on the way"
"$work/a/zumbala-autoplay" --game easy --continue --record "$work/a2.zbr" > "$work/a2.txt" ||
  fail "the continued game did not end: $(tail -3 "$work/a2.txt")"
[ "$(result_of "$work/a2.txt")" = finished ] || fail "the continued game did not finish: $(tail -1 "$work/a2.txt")"
[ -z "$(checkpoint_of "$work/a")" ] || fail "the end of the story left a checkpoint"
line=$("$scores" --verify "$work/a2.zbr" --content "$game") || fail "the continued game did not verify: $line"
[[ $line =~ ^verified=yes\ difficulty=0\ score=[0-9]+\ frames=[0-9]+\ name=Bot$ ]] || fail "verify line: $line"

folder "$work/b"
"$work/b/zumbala-autoplay" --game medium --seed 6 --idle > "$work/b1.txt"
[ "$(result_of "$work/b1.txt")" = gameover ] || fail "the idle game was not lost: $(tail -1 "$work/b1.txt")"
[ -n "$(checkpoint_of "$work/b")" ] || fail "game over took the checkpoint"
"$work/b/zumbala-autoplay" --game medium --continue --record "$work/b2.zbr" > "$work/b2.txt" || fail "continued after game over"
[ "$(result_of "$work/b2.txt")" = finished ] || fail "the game continued after game over did not finish"
line=$("$scores" --verify "$work/b2.zbr" --content "$game") || fail "the game continued after game over: $line"

# Nothing to continue: said so, status 1.
folder "$work/c"
if "$work/c/zumbala-autoplay" --game easy --continue > "$work/c.txt" 2> "$work/c.err"; then fail "continued nothing"; fi
grep -q "no game to continue" "$work/c.err" || fail "no message without a checkpoint: $(cat "$work/c.err")"

# Killed at any moment, the game leaves the old checkpoint or the new one, never a broken one.
folder "$work/k"
for round in $(seq 1 8); do
  "$work/k/zumbala-autoplay" --game easy --seed "$round" > /dev/null 2>&1 &
  pid=$!
  sleep "0.$(( (RANDOM % 9) + 1 ))$(( RANDOM % 10 ))"
  kill -9 "$pid" 2> /dev/null || true
  wait "$pid" 2> /dev/null || true
  file=$(checkpoint_of "$work/k")
  [ -n "$file" ] || continue
  "$work/k/zumbala-autoplay" --game easy --continue --max-frames 0 > "$work/k.txt" 2> "$work/k.err" ||
    fail "round $round: the checkpoint left by a kill does not continue: $(cat "$work/k.err") $(grep '^message' "$work/k.txt")"
  [ -z "$(find "$work/k" -name '*.bad')" ] || fail "round $round: a checkpoint was set aside"
done
echo "continue: left, lost, continued, verified and killed"
