#!/usr/bin/env bash
# The real game in a real window under a private virtual X server sends its score and the replay
# of that game to a real zumbala-scores on 127.0.0.1; the server plays the replay again and its
# score page marks the row with the check mark. SHOT_DIR, when given, keeps a picture of the window
# and the page's HTML.
#
#   tests/server/real-game-replay.sh GAME_DIR ZBTOOL ZUMBALA_SCORES [SHOT_DIR]
set -uo pipefail
built=${1:?usage: real-game-replay.sh GAME_DIR ZBTOOL ZUMBALA_SCORES [SHOT_DIR]}
zbtool=${2:?usage: real-game-replay.sh GAME_DIR ZBTOOL ZUMBALA_SCORES [SHOT_DIR]}
scores=${3:?usage: real-game-replay.sh GAME_DIR ZBTOOL ZUMBALA_SCORES [SHOT_DIR]}
shots=${4:-}
failures=0
source "$(dirname "$0")/../app/real-window.sh"

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
server_pid=""
stop_all() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
  [ -n "$server_pid" ] && kill -TERM "$server_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap stop_all EXIT

# The game plays from a copy of its own, so nothing is written into the build.
game=$work/game
cp -r "$built" "$game"
log=$work/screens.log

# The server on a free port of 127.0.0.1 (one taken meanwhile makes it stop: another is tried),
# and the game's shortcut to it.
page() {
  exec 4<>"/dev/tcp/127.0.0.1/$port" || return 1
  printf 'GET /cgi/version.pl?prg=Tamarix&show&type=0%s HTTP/1.1\r\nHost: scores\r\n\r\n' "$1" >&4
  cat <&4
  exec 4<&-
}
for _ in $(seq 20); do
  port=$((20000 + RANDOM % 40000))
  "$scores" --port "$port" --db "$work/scores.db" --content "$built" >"$work/server.log" 2>&1 &
  server_pid=$!
  for _ in $(seq 100); do
    kill -0 "$server_pid" 2>/dev/null || break
    page "" 2>/dev/null | grep -q "No scores yet" && break 2
    sleep 0.1
  done
  kill "$server_pid" 2>/dev/null
  wait "$server_pid" 2>/dev/null
  server_pid=""
done
[ -n "$server_pid" ] || { echo "the server did not start: $(cat "$work/server.log")" >&2; exit 1; }
printf '[InternetShortcut]\r\nURL=http://127.0.0.1:%s/\r\n' "$port" >"$game/scores.url"

read_controls
win_x=0
win_y=0
until_screen() {
  for _ in $(seq 100); do
    [ "$(current)" = "$1" ] && return 0
    alive || return 1
    key "$2"
    sleep 0.3
  done
  return 1
}

start_x 1024x768
start_game "$work/home" || { echo "no window came" >&2; exit 1; }
to_menu && click b_mainmenu_startgame && wait_screen 14 && click b_choosedif_easy && wait_screen 29 ||
  fail "the game did not start (on $(current))"
until_screen 28 Escape || fail "the story was not left (on $(current))"
wait_screen 12 || fail "play did not begin (on $(current))"
# The serve, some play with the arrows, then the way out through the question.
key space
for _ in 1 2 3; do
  xdotool keydown Left; sleep 0.7; xdotool keyup Left
  xdotool keydown Right; sleep 0.7; xdotool keyup Right
done
# Escape asks only in play: a ball lost meanwhile shows the lost life first, and play comes back.
exit_question() {
  for _ in $(seq 10); do
    [ "$(current)" = 12 ] && key Escape
    for _ in $(seq 30); do
      [ "$(current)" = 0 ] && return 0
      sleep 0.1
    done
  done
  return 1
}
exit_question && click b_exitmm_yes || fail "the exit question did not come (on $(current))"
wait_screen 22 || fail "no final score (on $(current))"
[ -n "$shots" ] && mkdir -p "$shots" && sleep 2 && import -window root "$shots/final-score.png" 2>/dev/null
until_screen 31 Return || fail "the final score did not go on (on $(current))"
xdotool type --delay 120 "Peru" && key Return && wait_screen 23 || fail "the country was not taken (on $(current))"
click b_sendscore_yes 304 || fail "no yes button"
for _ in $(seq 100); do
  [ "$(current)" = 8 ] || [ "$(current)" = 4 ] && break
  sleep 0.1
done

# The verifier plays the game again in the background; the mark comes within its time cap.
for _ in $(seq 300); do
  page "&verified=1" | grep -q "<td>Kim</td>" && break
  sleep 0.1
done
all=$(page "")
verified=$(page "&verified=1")
grep -q '<td>Kim</td><td>Peru</td><td class="score">[0-9]*</td><td class="verified">✓</td>' <<<"$all" ||
  fail "the page shows no verified row of Kim: $all"
grep -q "<td>Kim</td>" <<<"$verified" || fail "the verified view lacks Kim's game"
grep -q "is not verified\|was refused" "$work/server.log" && fail "the server refused the replay: $(cat "$work/server.log")"
[ -f "$work/home/zumbala/replays/last.zbr" ] || fail "the game kept no replay"
if [ -n "$shots" ]; then
  sed '1,/^\r$/d' <<<"$all" >"$shots/page.html"
  import -window root "$shots/after-send.png" 2>/dev/null
fi
kill -TERM "$server_pid" && wait "$server_pid"
server_pid=""
if [ "$failures" -gt 0 ]; then
  echo "$failures failures; the game said: $(tail -5 "$work/game.log")" >&2
  exit 1
fi
echo "a real game's replay was sent, played again and marked on the page"
