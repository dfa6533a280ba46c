#!/usr/bin/env bash
# The programs around replays, as a player or a server runs them: the bot's game recorded, played
# again by zumbala-autoplay --replay screen by screen, and checked by zumbala-scores --verify.
#   replay-verify.sh GAME_DIR ZUMBALA_SCORES
set -euo pipefail
game=$(cd "$1" && pwd)
scores=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/Data" "$work/home"
ln -s "$game"/Data/* "$work/Data/"
ln -s "$game/Sounds" "$game/wdata" "$work/"
cp "$game/zumbala-autoplay" "$work/"
export XDG_DATA_HOME=$work/home
fail() { echo "FAIL: $*" >&2; exit 1; }

"$work/zumbala-autoplay" --game hard --seed 9 --max-frames 2500 --record "$work/game.zbr" > "$work/bot.txt"
[ -s "$work/game.zbr" ] || fail "no replay recorded"

# The screens of the game itself, from the first after the difficulty to the final score.
screens_of() { sed -n 's/^frame=[0-9]* \(screen=.*\)$/\1/p' "$1"; }
screens_of "$work/bot.txt" | sed -n '/screen=14 /,/screen=22 /p' | sed '1d' > "$work/bot.screens"
[ -s "$work/bot.screens" ] || fail "the bot entered no screens of play"
"$work/zumbala-autoplay" --replay "$work/game.zbr" > "$work/replay.txt" || fail "the replay did not play out"
screens_of "$work/replay.txt" > "$work/replay.screens"
diff "$work/bot.screens" "$work/replay.screens" || fail "the replay entered other screens than the game"
bot_game=$(grep '^game:' "$work/bot.txt" | sed 's/ frames=[0-9]*//; s/ entered=.*//')
replay_game=$(grep '^game:' "$work/replay.txt" | sed 's/ frames=[0-9]*//; s/ entered=.*//')
[ "$bot_game" = "$replay_game" ] || fail "game lines differ: $bot_game / $replay_game"

line=$("$scores" --verify "$work/game.zbr" --content "$game") || fail "a recorded game did not verify: $line"
[[ $line =~ ^verified=yes\ difficulty=2\ score=[0-9]+\ frames=[0-9]+\ name=Bot$ ]] || fail "verify line: $line"
score=$(sed 's/.* score=\([0-9]*\) .*/\1/' <<< "$line")
grep -q "score=$score " <<< "$(grep '^game:' "$work/replay.txt")" || fail "verify and replay disagree on the score"

head -c 200 "$work/game.zbr" > "$work/cut.zbr"
if line=$("$scores" --verify "$work/cut.zbr" --content "$game"); then fail "a cut replay verified"; fi
[[ $line == *"verified=no"*"reason=the replay is damaged or cut short" ]] || fail "cut: $line"
if line=$("$scores" --verify "$work/missing.zbr" --content "$game"); then fail "a missing file verified"; fi
[[ $line == "verified=no "*"reason="* ]] || fail "missing: $line"
echo "replays: recorded, replayed and verified"
