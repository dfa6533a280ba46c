#!/usr/bin/env bash
# The real game in a real window under a private virtual X server: SIGTERM, SIGINT and SIGHUP end
# it on every kind of screen, with "Config.cfg" written; without a display it does not start.
#
#   tests/app/end-signals.sh GAME_DIR ZBTOOL
set -uo pipefail
game=${1:?usage: end-signals.sh GAME_DIR ZBTOOL}
zbtool=${2:?usage: end-signals.sh GAME_DIR ZBTOOL}
failures=0
source "$(dirname "$0")/real-window.sh"

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
stop_all() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap stop_all EXIT

# --- Without a display ------------------------------------------------------------------------
# The game must say so and end, not run unseen on SDL's offscreen driver.
no_display() {
  local label=$1 status
  shift
  (cd "$game" && exec env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY "$@" XDG_DATA_HOME="$work/nodisplay" \
    SDL_AUDIODRIVER=dummy timeout -s KILL 20 ./zumbala) >"$work/nodisplay.log" 2>&1
  status=$?
  if [ "$status" != 1 ]; then
    fail "$label: exit status $status, not 1"
  elif ! grep -q "needs a display" "$work/nodisplay.log"; then
    fail "$label: no message about the display: $(cat "$work/nodisplay.log")"
  fi
}
no_display "DISPLAY unset" -u DISPLAY
no_display "DISPLAY naming no server" DISPLAY=:87

# --- Signals ----------------------------------------------------------------------------------
log=$work/screens.log
start_x 1024x768

read_controls

home=""
win_x=0
win_y=0

config_id() { stat -c '%i %Y %s' "$home/zumbala/Config.cfg" 2>/dev/null; }

# Sends SIGNAL on the screen the game is on now and checks that it ends and writes "Config.cfg".
# The bound is for a game that hangs, far above the frame or two the end takes.
end_with() {
  local signal=$1 label=$2 before status
  before=$(config_id)
  sleep 0.3
  local sent=$(date +%s%N)
  kill -s "$signal" "$game_pid"
  for _ in $(seq 100); do
    alive || break
    sleep 0.1
  done
  if alive; then
    fail "$label: SIG$signal did not end the game"
    kill -KILL "$game_pid"
    wait "$game_pid" 2>/dev/null
    return
  fi
  wait "$game_pid"
  status=$?
  echo "$label: SIG$signal ended the game in $(( ($(date +%s%N) - sent) / 1000000 )) ms, status $status"
  [ "$status" = 0 ] || fail "$label: exit status $status after SIG$signal"
  local after
  after=$(config_id)
  [ -n "$after" ] || fail "$label: no Config.cfg after SIG$signal"
  [ "$after" != "$before" ] || fail "$label: Config.cfg was not written after SIG$signal"
}

# Runs the game up to screen NUMBER by the steps given, then sends SIGNAL there.
case_on() {
  local number=$1 signal=$2 label=$3 home_dir=$4
  shift 4
  # The cases click the layout's places; a game to continue would move the menu's buttons.
  rm -rf "$home_dir/zumbala/checkpoints"
  if ! start_game "$home_dir"; then
    fail "$label: the game did not open its window: $(cat "$work/game.log")"
    return
  fi
  "$@"
  if [ "$(current)" != "$number" ]; then
    fail "$label: the game did not reach screen $number (it is on $(current))"
    kill -KILL "$game_pid"
    wait "$game_pid" 2>/dev/null
    return
  fi
  end_with "$signal" "$label"
}

to_logo() { wait_screen 3; }
to_name() { wait_screen 1; }
to_story() { to_menu && click b_mainmenu_startgame && wait_screen 14 && click b_choosedif_easy && wait_screen 29; }
to_level_start() {
  to_story || return
  for _ in $(seq 20); do
    [ "$(current)" = 28 ] && return
    key Escape
    sleep 0.3
  done
}
to_play() { to_level_start && wait_screen 12; }
to_score() {
  to_play && key Escape && wait_screen 0 && click b_exitmm_yes || return
  for _ in $(seq 40); do
    [ "$(current)" = 22 ] && return
    sleep 0.2
  done
}

case_on 3 TERM "logo" "$work/first1" to_logo
case_on 1 INT "name entry" "$work/first2" to_name
case_on 4 HUP "main menu" "$work/player" to_menu
case_on 29 TERM "story" "$work/player" to_story
case_on 28 INT "level start" "$work/player" to_level_start
case_on 12 HUP "in play" "$work/player" to_play
case_on 22 TERM "score screen" "$work/player" to_score
case_on 4 INT "main menu again" "$work/player" to_menu

[ "$failures" = 0 ] || exit 1
echo "every signal ended the game with Config.cfg written"
