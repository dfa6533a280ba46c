#!/usr/bin/env bash
# Plays the real game in a real window under a private virtual X server, the way a player would
# (pointer and keyboard through xdotool), and saves a PNG of every screen it reaches, named by
# screen number and name, plus a labelled contact sheet "contact-sheet.png" of them all.
#
#   scripts/screens.sh [BUILD_DIR [OUT_DIR]]      (defaults: build, BUILD_DIR/screens)
#
# The run starts as a first start (no "Config.cfg"), goes through every menu, plays a game on the
# real first level until the lives are gone, then plays a second game whose level files are
# replaced by a single brick over the bat, so each level is cleared by one launch: that reaches
# stage complete, every story scene, the fireworks of the end and the closing screens quickly.
# SCREENS_QUICK=1 stops the second game after its first level (no later story scenes, no end);
# SCREENS_TRACE=1 prints the second of the run at which each picture was taken. The game takes its
# language from the environment on that first start: `LANGUAGE=en make screens` plays it in English.
#
# The game says which screen it is on through $ZUMBALA_SCREEN_LOG. A screen that is not reached is
# reported; the exit status is 1 only when the game does not start (or a tool is missing).
set -uo pipefail

build=${1:-build}
out=${2:-$build/screens}
quick=${SCREENS_QUICK:-0}
convert=/usr/bin/convert
montage=/usr/bin/montage

say() { echo "screens: $*"; }
die() {
  echo "screens: $*" >&2
  exit 1
}

for tool in Xvfb xdotool xwd "$convert" "$montage"; do
  command -v "$tool" >/dev/null || die "$tool is missing"
done
[ -x "$build/game/zumbala" ] || die "no game in $build/game (build it first)"
[ -x "$build/tools/zbtool" ] || die "no zbtool in $build/tools"

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
watchdog_pid=""
stop_all() {
  [ -n "$watchdog_pid" ] && kill "$watchdog_pid" 2>/dev/null
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap stop_all EXIT
trap 'exit 1' INT TERM
# Whatever hangs, the whole run ends: the long way takes about six minutes, the short one two.
limit=900
[ "$quick" = 1 ] && limit=300
(
  sleep "$limit" &
  sleeper=$!
  trap 'kill "$sleeper"; exit 0' TERM
  wait "$sleeper" || exit 0
  echo "screens: the run took more than $limit seconds" >&2
  kill -TERM $$
) &
watchdog_pid=$!

mkdir -p "$out"
rm -f "$out"/*.png

# The game folder is a copy, so its level files can be swapped and nothing of the build changes.
cp -r "$build/game" "$work/game"
mkdir -p "$work/home"
log=$work/screens.log
: >"$log"

# Control positions: "name left top width height" on the screen, from the layout the game loads.
"$build/tools/zbtool" gui "$work/game/Data/gfx.zbx" | awk '
  $1 == 0 { fl = $4; ft = $5 }
  $1 == 1 && $3 != "" { print $3, fl + $4, ft + $5, $6, $7, fl }' >"$work/controls" ||
  die "the layout cannot be read"

# A private display: the server picks a free number itself.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 50); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || die "Xvfb did not start"
DISPLAY=:$(head -n1 "$work/display")
export DISPLAY

(
  cd "$work/game" &&
    exec env XDG_DATA_HOME="$work/home" ZUMBALA_SCREEN_LOG="$log" SDL_AUDIODRIVER=dummy ./zumbala
) >"$work/game.log" 2>&1 &
game_pid=$!

alive() { kill -0 "$game_pid" 2>/dev/null; }

wid=""
for _ in $(seq 100); do
  alive || break
  wid=$(xdotool search --name '^Zumbala$' 2>/dev/null | head -n1)
  [ -n "$wid" ] && break
  sleep 0.1
done
if [ -z "$wid" ]; then
  cat "$work/game.log" >&2
  die "the game did not open its window"
fi
eval "$(xdotool getwindowgeometry --shell "$wid")"
win_x=$X
win_y=$Y
[ "$WIDTH" = 800 ] && [ "$HEIGHT" = 600 ] || say "the window is ${WIDTH}x$HEIGHT, not 800x600"
xdotool windowfocus "$wid" 2>/dev/null

current() { tail -n1 "$log"; }

# Waits until the game is on one of the screens given; false after TIMEOUT seconds (default 8).
wait_screen() {
  local timeout=8
  if [ "$1" = "-t" ]; then
    timeout=$2
    shift 2
  fi
  local tries=$((timeout * 20)) s
  while [ "$tries" -gt 0 ]; do
    alive || return 1
    s=$(current)
    for want in "$@"; do [ "$s" = "$want" ] && return 0; done
    sleep 0.05
    tries=$((tries - 1))
  done
  return 1
}

declare -A shot_of=()
shot() {
  local name=$1 number=${1%%_*}
  alive || return 1
  xwd -root -silent | "$convert" xwd:- -crop "800x600+$win_x+$win_y" +repage "png:$out/$name.png" &&
    shot_of[$((10#$number))]+="$name "
  [ -n "${SCREENS_TRACE:-}" ] && say "$SECONDS s: $name"
  return 0
}

# The centre of a control on the screen; a form placed at run time gives its Left as $2.
centre() {
  local name=$1 left_override=${2:-} n l t w h form_left
  read -r n l t w h form_left < <(grep "^$name " "$work/controls")
  [ -n "$n" ] || return 1
  [ -n "$left_override" ] && l=$((l - form_left + left_override))
  # With a game to continue the main menu shows "Продолжить" and moves the buttons below it down
  # (screens/MenuScreens.cpp): 46 pixels apart from 214 within the form.
  if compgen -G "$work/home/zumbala/checkpoints/*.zbc" > /dev/null; then
    local i=0 button
    for button in b_mainmenu_startgame b_mainmenu_highscore b_mainmenu_options b_mainmenu_help \
      b_mainmenu_ownlevels b_mainmenu_editor b_mainmenu_exit; do
      [ "$button" = "$name" ] && t=$((t - (180 + 50 * i) + 214 + 46 * i))
      i=$((i + 1))
    done
  fi
  echo $((win_x + l + w / 2)) $((win_y + t + h / 2))
}
hover() {
  local x y
  read -r x y < <(centre "$@") || return 1
  xdotool mousemove "$x" "$y"
  sleep 0.25
}
click() {
  hover "$@" || return 1
  xdotool click 1
}
key() { xdotool key --delay 80 "$@"; }
type_text() { xdotool type --delay 180 "$1"; }

# Whether the game leaves screen FROM within a third of a second.
left_within() {
  local from=$1
  for _ in 1 2 3 4 5 6; do
    [ "$(current)" != "$from" ] && return 0
    sleep 0.05
  done
  [ "$(current)" != "$from" ]
}
# Clicks a control until the game has left the screen it is on (the control may still be hidden).
click_until_left() {
  local from timeout=$1
  shift
  from=$(current)
  for _ in $(seq $((timeout * 2))); do
    alive || return 1
    [ "$(current)" != "$from" ] && return 0
    click "$@"
    left_within "$from" && return 0
  done
  return 1
}
# Presses a key until the game has left the screen it is on.
key_until_left() {
  local from timeout=$1 k=$2
  from=$(current)
  for _ in $(seq $((timeout * 3))); do
    alive || return 1
    key "$k"
    left_within "$from" && return 0
  done
  return 1
}

# A level of one one-hit brick just over the ball on the bat: records of 32 words, each the words
# of the level image from its destination on (header at 0, 4 and 2, then the three grid cells).
write_one_brick_level() {
  local file=$1 i
  local -a image=()
  for ((i = 0; i < 40; i++)); do image[i]=0; done
  image[2]=298 # OffsetX: the brick spans x 470..507, over the ball
  image[3]=494 # OffsetY: its bottom just above the ball at y 518
  image[6]=10  # cell (0, 0): kind 9, the red one-hit brick
  local words="" word
  record() {
    local from=$1 w v
    for ((w = from; w < from + 32; w++)); do
      v=${image[w]:-0}
      printf -v word '\\x%02x\\x%02x\\x00\\x00' $((v & 255)) $((v >> 8 & 255))
      words+=$word
    done
  }
  record 0
  record 4
  record 2
  record 6
  for ((i = 0; i < 256; i++)); do words+='\x00'; done
  printf '%b' "$words" >"$file"
}

# --- First start ----------------------------------------------------------------------------------
if ! wait_screen -t 20 3; then
  cat "$work/game.log" >&2
  die "the game did not start (no logo screen)"
fi
say "the game runs on display $DISPLAY, window at $win_x,$win_y"
xdotool mousemove $((win_x + 780)) $((win_y + 580))
sleep 1.8
shot 03_logo

if wait_screen 1; then
  sleep 0.3
  type_text "Маша"
  hover b_entername_create
  shot 01_entername
  click b_entername_create
fi

# --- Menus ----------------------------------------------------------------------------------------
if wait_screen 4; then
  hover b_mainmenu_startgame
  sleep 0.3
  shot 04_mainmenu
fi

click b_mainmenu_help
if wait_screen 6; then
  sleep 0.3
  shot 06_help_1
  for page in 2 3 4 5; do
    click b_help_next
    sleep 0.3
    shot "06_help_$page"
  done
  click b_help_back
fi

wait_screen 4 && click b_mainmenu_options
if wait_screen 7; then
  hover b_options_graphics
  shot 07_options
  click b_options_graphics
fi
if wait_screen 26; then
  hover b_antialias
  shot 26_graphics
  click b_antialias
  sleep 0.4
  shot 26_graphics_smoothing_off
  click b_antialias
  sleep 0.2
  click b_graphics_back
fi
wait_screen 7 && click b_options_sound
if wait_screen 25; then
  click b_sound_fxmin
  sleep 0.2
  hover b_sound_musicmin
  shot 25_sound
  click b_sound_fxmax
  sleep 0.2
  click b_sound_back
fi
wait_screen 7 && click b_options_controls
if wait_screen 27; then
  hover b_controls_back
  shot 27_controls
  click b_controls_back
fi
wait_screen 7 && click b_options_back

wait_screen 4 && click b_mainmenu_highscore
if wait_screen 8; then
  hover b_highscore_back
  shot 08_highscore
  click b_highscore_medium
  sleep 0.3
  shot 08_highscore_medium
  click b_highscore_clear
fi
if wait_screen 9; then
  hover b_clear_no
  shot 09_clear
  click b_clear_no
fi
wait_screen 8 && click b_highscore_back

wait_screen 4 && click b_mainmenu_presshere
if wait_screen 19; then
  hover b_change_create
  shot 19_change
  click b_change_create
fi
if wait_screen 18; then
  sleep 0.3
  type_text "Тимоха"
  hover b_create_create
  shot 18_create
  click b_create_create
fi
if wait_screen 19; then
  sleep 0.3
  hover b_change_delete
  shot 19_change_two
  click b_change_delete
fi
if wait_screen 20; then
  hover b_delete_no
  shot 20_delete
  click b_delete_no
fi
wait_screen 19 && click b_change_back

# --- A game on the real first level, played until the lives are gone -----------------------------
wait_screen 4 && click b_mainmenu_startgame
if wait_screen 14; then
  hover b_choosedif_easy
  shot 14_choosedif
  click b_choosedif_easy
fi
if wait_screen 29; then
  hover b_speech_next
  sleep 1.1
  shot 29_story_0
  key Return
  sleep 1.4
  shot 29_story_0_hunter
  key_until_left 5 Escape
fi
if wait_screen 28; then
  # The title has rolled in and shows the level's number from its 100th tick to its 225th, that is
  # from 1 to 2.25 seconds at a hundred frames a second and from 1.4 to 3 at the seventy a busy
  # machine gives.
  sleep 1.6
  shot 28_levelstart
fi
if wait_screen 12; then
  sleep 0.3
  shot 12_game
  key space
  sleep 0.6
  shot 12_game_ball
  key p
  if wait_screen -t 2 17; then
    shot 17_pause
    key p
  fi
  wait_screen 12 && key Escape
  if wait_screen 0; then
    hover b_exitmm_no
    shot 00_exittomm
    click b_exitmm_no
  fi
fi
# The bat waits at the left wall; each new ball is launched at once.
if wait_screen 12; then
  xdotool keydown Left
  lost=0
  for _ in $(seq 300); do
    alive || break
    case $(current) in
      24)
        if [ "$lost" = 0 ]; then
          sleep 0.6
          shot 24_lifelost
          lost=1
        fi
        ;;
      12) key space ;;
      13) break ;;
    esac
    sleep 0.2
  done
  xdotool keyup Left
fi
if [ "$(current)" = 12 ]; then
  # The ball kept coming back to the bat: out through the question during play.
  key Escape
  wait_screen 0 && click b_exitmm_yes
fi
if wait_screen -t 2 13; then
  sleep 1.3
  shot 13_gameover
fi
if wait_screen 22; then
  sleep 2.5
  hover b_yourscore_next 304
  shot 22_yourscore
  click_until_left 8 b_yourscore_next 304
fi
if wait_screen 31; then
  sleep 0.3
  type_text "Россия"
  hover b_ycountry_next 304
  shot 31_ycountry
  click b_ycountry_next 304
fi
if wait_screen 23; then
  hover b_sendscore_no 304
  shot 23_sendscore
  click b_sendscore_no 304
fi
if wait_screen 8 4 && [ "$(current)" = 8 ]; then
  click b_highscore_back
fi

# --- A game of one-brick levels: stage complete, the story, the end ------------------------------
# Launches the ball until the level is cleared; false when that has not happened in 20 seconds (a
# ball that missed the brick is lost or breaks it later).
clear_level() {
  for _ in $(seq 80); do
    alive || return 1
    case $(current) in
      15) return 0 ;;
      12) key space ;;
    esac
    sleep 0.25
  done
  return 1
}
# Ends the game from where it is through the closing screens, whose forms stand at LEFT; with a
# SUFFIX their pictures are taken under that name.
close_game() {
  local left=$1 suffix=${2:-}
  if [ "$(current)" = 12 ]; then
    key Escape
    wait_screen 0 && click b_exitmm_yes
  fi
  if wait_screen 22; then
    sleep 3
    if [ -n "$suffix" ]; then
      hover b_yourscore_next "$left"
      shot "22_yourscore$suffix"
    fi
    click_until_left 12 b_yourscore_next "$left"
  fi
  if wait_screen 31; then
    if [ -n "$suffix" ]; then
      hover b_ycountry_next "$left"
      shot "31_ycountry$suffix"
    fi
    click b_ycountry_next "$left"
  fi
  if wait_screen 23; then
    if [ -n "$suffix" ]; then
      hover b_sendscore_no "$left"
      shot "23_sendscore$suffix"
    fi
    click b_sendscore_no "$left"
  fi
  if wait_screen 8 4 && [ "$(current)" = 8 ]; then
    sleep 0.3
    [ -n "$suffix" ] && shot "08_highscore$suffix"
    click b_highscore_back
  fi
}

write_one_brick_level "$work/one-brick"
for level in $(seq 25); do cp "$work/one-brick" "$work/game/Data/data$level"; done
wait_screen 4 && click b_mainmenu_startgame
wait_screen 14 && click b_choosedif_easy
wait_screen 29 && sleep 1 && key_until_left 5 Escape
level=1
while wait_screen -t 8 28 29 30; do
  case $(current) in
    29)
      # Scenes follow levels 3, 4, 11, 18 and 25; each first line waits at its 60th tick.
      hover b_speech_next
      sleep 1
      case $level in
        4) shot 29_story_1 ;;
        5) shot 29_story_2 ;;
        12) shot 29_story_3 ;;
        19) shot 29_story_4 ;;
        26) shot 29_story_5 ;;
      esac
      key_until_left 5 Escape
      continue
      ;;
    30) break ;;
  esac
  [ "$quick" = 1 ] && [ "$level" -ge 2 ] && break
  wait_screen 12 || break
  clear_level || break
  if [ "$level" = 1 ]; then
    sleep 3.6
    hover b_stagecomplete_next
    shot 15_stagecomplete
  fi
  click_until_left 12 b_stagecomplete_next || break
  level=$((level + 1))
done
if [ "$(current)" = 30 ]; then
  sleep 2.5
  shot 30_endgame
  wait_screen 22
  close_game 225 _end
else
  [ "$quick" = 1 ] || say "the story's end was not reached (stopped at level $level)"
  wait_screen 12
  close_game 304
fi

# --- Quitting: the question, then the share page -------------------------------------------------
if wait_screen 4; then
  click b_mainmenu_exit
  if wait_screen 10; then
    hover b_exit_yes
    shot 10_exitgame
    click b_exit_yes
  fi
fi
if wait_screen 32; then
  sleep 1
  xdotool mousemove $((win_x + 400)) $((win_y + 300))
  sleep 0.3
  shot 32_share
  sleep 2.5
  for _ in $(seq 20); do
    alive || break
    key Escape
    sleep 0.3
  done
fi
closed=no
for _ in $(seq 20); do
  alive || {
    closed=yes
    break
  }
  sleep 0.2
done

# --- Report ----------------------------------------------------------------------------------------
names=([0]=exittomm [1]=entername [3]=logo [4]=mainmenu [6]=help [7]=options [8]=highscore [9]=clear
  [10]=exitgame [12]=game [13]=gameover [14]=choosedif [15]=stagecomplete [17]=pause [18]=create
  [19]=change [20]=delete [22]=yourscore [23]=sendscore [24]=lifelost [25]=sound [26]=graphics
  [27]=controls [28]=levelstart [29]=speech [30]=endgame [31]=ycountry [32]=share)
missing=0
for n in "${!names[@]}"; do
  if [ -n "${shot_of[$n]:-}" ]; then
    printf 'screens: %2d %-14s %s\n' "$n" "${names[$n]}" "${shot_of[$n]}"
  else
    printf 'screens: %2d %-14s NOT REACHED\n' "$n" "${names[$n]}"
    missing=$((missing + 1))
  fi
done
say "the game closed by itself at the end: $closed"
say "$((28 - missing)) of 28 screens saved in $out ($(ls "$out"/*.png 2>/dev/null | wc -l) pictures)"
say "screen log: $(tr '\n' ' ' <"$log")"

# A contact sheet of every picture, labelled with its file name.
if ls "$out"/[0-9]*.png >/dev/null 2>&1; then
  "$montage" -font DejaVu-Sans -pointsize 13 -label '%t' "$out"/[0-9]*.png \
    -geometry 320x240+6+6 -tile 6x -background '#202020' -fill white -depth 8 "PNG24:$out/contact-sheet.png" &&
    say "contact sheet: $out/contact-sheet.png"
fi
exit 0
