#!/usr/bin/env bash
# The real game in a real window under private virtual X servers of three sizes: the window opens
# at the whole scale that fits the desktop, a resized window letterboxes the picture and still
# takes clicks on the buttons where they are drawn, the size is kept for the next start, and full
# screen goes and comes back to that size.
#
#   tests/app/window-fit.sh GAME_DIR ZBTOOL [SHOT_DIR]
#
# With SHOT_DIR the screenshots are kept there.
set -uo pipefail
game=${1:?usage: window-fit.sh GAME_DIR ZBTOOL [SHOT_DIR]}
zbtool=${2:?usage: window-fit.sh GAME_DIR ZBTOOL [SHOT_DIR]}
shots=${3:-}
failures=0
source "$(dirname "$0")/real-window.sh"

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
stop_game() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
  game_pid=""
}
stop_all() {
  stop_game
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap stop_all EXIT
[ -n "$shots" ] && mkdir -p "$shots"

"$zbtool" gui "$game/Data/gfx.zbx" | awk '
  $1 == 0 { fl = $4; ft = $5 }
  $1 == 1 && $3 != "" { print $3, fl + $4, ft + $5, $6, $7 }' >"$work/controls" ||
  { echo "the layout cannot be read" >&2; exit 1; }

log=$work/screens.log
wid=""
win_x=0 win_y=0 win_w=0 win_h=0
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  win_x=$X win_y=$Y win_w=$WIDTH win_h=$HEIGHT
}

# Clicks the middle of the control NAME where the window draws it: the 800 x 600 picture scaled
# to fit the window, kept in proportion and centred.
click() {
  local n l t w h
  read -r n l t w h < <(grep "^$1 " "$work/controls")
  [ -n "$n" ] || return 1
  geometry
  read -r px py < <(awk -v W="$win_w" -v H="$win_h" -v x=$((l * 2 + w)) -v y=$((t * 2 + h)) 'BEGIN {
    s = W / 800 < H / 600 ? W / 800 : H / 600
    printf "%d %d\n", (W - 800 * s) / 2 + x / 2 * s, (H - 600 * s) / 2 + y / 2 * s }')
  xdotool mousemove $((win_x + px)) $((win_y + py))
  sleep 0.25
  xdotool click 1
}

start() {
  start_game "$1" || return 1
  geometry
}

# The mean brightness (0..1) of the part WxH+X+Y of the window in the screenshot SHOT.
mean() { convert "$1" -crop "$2x$3+$((win_x + $4))+$((win_y + $5))" +repage -format '%[fx:mean]' info:; }
dark() { awk -v m="$1" 'BEGIN { exit !(m < 0.002) }'; }
lit() { awk -v m="$1" 'BEGIN { exit !(m > 0.05) }'; }

shoot() {
  local name=$1
  sleep 0.5
  import -window root "$work/$name.png"
  [ -n "$shots" ] && cp "$work/$name.png" "$shots/"
}

# The menu takes a click on "options" and one on "back" where they are drawn.
buttons_land() {
  local label=$1
  click b_mainmenu_options && wait_screen 7 || { fail "$label: the options button did not open options (on $(current))"; return; }
  click b_options_back && wait_screen 4 || fail "$label: the back button did not lead to the menu (on $(current))"
}

expect_size() {
  local label=$1 w=$2 h=$3
  geometry
  [ "$win_w" = "$w" ] && [ "$win_h" = "$h" ] || fail "$label: the window is $win_w x $win_h, not $w x $h"
}

# SCREEN (WxH), the window size expected at start, and a size to resize it to whose picture is
# letterboxed: bars BARS (left-right or top-bottom) of BAR pixels each.
one_screen() {
  local screen=$1 start_w=$2 start_h=$3 new_w=$4 new_h=$5 bars=$6 bar=$7
  local label="$screen"
  start_x "$screen"
  local folder=$work/home-$screen
  start "$folder" || { fail "$label: the game did not open its window: $(cat "$work/game.log")"; return; }
  to_menu || { fail "$label: the main menu was not reached (on $(current))"; stop_game; return; }
  expect_size "$label: at start" "$start_w" "$start_h"
  shoot "$screen-start"
  lit "$(mean "$work/$screen-start.png" "$start_w" "$start_h" 0 0)" || fail "$label: the window shows nothing"
  buttons_land "$label at start"

  xdotool windowsize "$wid" "$new_w" "$new_h"
  sleep 0.5
  expect_size "$label: resized" "$new_w" "$new_h"
  shoot "$screen-resized"
  local shot=$work/$screen-resized.png
  if [ "$bars" = sides ]; then
    dark "$(mean "$shot" "$bar" "$new_h" 0 0)" || fail "$label: no black bar at the left"
    dark "$(mean "$shot" "$bar" "$new_h" $((new_w - bar)) 0)" || fail "$label: no black bar at the right"
    lit "$(mean "$shot" $((new_w - 2 * bar)) "$new_h" "$bar" 0)" || fail "$label: no picture between the bars"
  else
    dark "$(mean "$shot" "$new_w" "$bar" 0 0)" || fail "$label: no black bar at the top"
    dark "$(mean "$shot" "$new_w" "$bar" 0 $((new_h - bar)))" || fail "$label: no black bar at the bottom"
    lit "$(mean "$shot" "$new_w" $((new_h - 2 * bar)) 0 "$bar")" || fail "$label: no picture between the bars"
  fi
  buttons_land "$label resized"

  # Full screen covers the display and comes back to the player's size.
  click b_mainmenu_options && wait_screen 7 && click b_options_graphics && wait_screen 26 &&
    click b_fullscreen && sleep 0.5 ||
    fail "$label: the graphics screen was not reached (on $(current))"
  expect_size "$label: full screen" "${screen%x*}" "${screen#*x}"
  shoot "$screen-fullscreen"
  click b_fullscreen && sleep 0.5
  expect_size "$label: out of full screen" "$new_w" "$new_h"
  click b_graphics_back && wait_screen 7 && click b_options_back && wait_screen 4 ||
    fail "$label: back to the menu out of full screen failed (on $(current))"

  # An end signal saves as a close does; the next start takes the kept size.
  kill -TERM "$game_pid"
  wait "$game_pid"
  game_pid=""
  local kept
  kept=$(cat "$folder/zumbala/Window.cfg" 2>/dev/null)
  [ "$kept" = "$new_w $new_h" ] || fail "$label: Window.cfg holds \"$kept\", not \"$new_w $new_h\""
  start "$folder" || { fail "$label: the game did not start again: $(cat "$work/game.log")"; return; }
  to_menu || fail "$label: the main menu was not reached again (on $(current))"
  expect_size "$label: started again" "$new_w" "$new_h"
  buttons_land "$label started again"
  stop_game

  # A damaged file gives the size that fits.
  printf 'damaged\n' >"$folder/zumbala/Window.cfg"
  start "$folder" || { fail "$label: the game did not start with a damaged Window.cfg: $(cat "$work/game.log")"; return; }
  to_menu
  expect_size "$label: after a damaged Window.cfg" "$start_w" "$start_h"
  stop_game
  echo "$label: opened at $start_w x $start_h, resized to $new_w x $new_h and back"
}

one_screen 1366x768 800 600 1000 600 sides 100
one_screen 2560x1440 1600 1200 2000 1200 sides 200
one_screen 3840x2160 2400 1800 2400 2000 ends 100

[ "$failures" = 0 ] || exit 1
echo "the window fits every screen"
