# Helpers for the scripts that drive the real game under a private virtual X server; sourced.
# The caller sets `work` (a scratch folder), `game` (the game folder) and `log` (the screen log),
# and keeps `game_pid` and `xvfb_pid` to stop them.

# A failed check, told and counted in `failures`.
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Starts a virtual X server with one screen of SIZE (WxH) in place of the last one.
start_x() {
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  : >"$work/display"
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  exec 3>&-
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  [ -s "$work/display" ] || { echo "Xvfb did not start at $1" >&2; exit 1; }
  export DISPLAY=:$(head -n1 "$work/display")
}

alive() { kill -0 "$game_pid" 2>/dev/null; }
current() { tail -n1 "$log" 2>/dev/null; }
wait_screen() {
  local want=$1 tries=400
  while [ "$tries" -gt 0 ]; do
    alive || return 1
    [ "$(current)" = "$want" ] && return 0
    sleep 0.05
    tries=$((tries - 1))
  done
  return 1
}

# Starts the game on the player's folder HOME_DIR (kept between runs), waits for its window and
# sets `wid`, `win_x` and `win_y`; false when no window came.
start_game() {
  home=$1
  : >"$log"
  mkdir -p "$home"
  (cd "$game" && exec env XDG_DATA_HOME="$home" ZUMBALA_SCREEN_LOG="$log" SDL_AUDIODRIVER=dummy ./zumbala) \
    >"$work/game.log" 2>&1 &
  game_pid=$!
  wid=""
  # A slow or busy machine takes a while to open a window three times the picture's size.
  for _ in $(seq 600); do
    alive || break
    wid=$(xdotool search --name '^Zumbala$' 2>/dev/null | head -n1)
    [ -n "$wid" ] && break
    sleep 0.1
  done
  [ -n "$wid" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  win_x=$X
  win_y=$Y
  xdotool windowfocus "$wid" 2>/dev/null
  return 0
}

# From a start to the main menu: a first start names the player "Kim". Needs the caller's
# `click NAME`.
to_menu() {
  wait_screen 4 && return
  wait_screen 1 && sleep 0.3 && xdotool type --delay 150 "Kim" && click b_entername_create && wait_screen 4
}

# The layout's controls, one a line (NAME LEFT TOP WIDTH HEIGHT FORM_LEFT, in the picture), into
# $work/controls for `click`; needs `zbtool`.
read_controls() {
  "$zbtool" gui "$game/Data/gfx.zbx" | awk '
    $1 == 0 { fl = $4; ft = $5 }
    $1 == 1 && $3 != "" { print $3, fl + $4, ft + $5, $6, $7, fl }' >"$work/controls" ||
    { echo "the layout cannot be read" >&2; exit 1; }
}

# Clicks the middle of control NAME in a window showing the picture at its own size, at `win_x`,
# `win_y`; LEFT places its form elsewhere than the file does.
click() {
  local n l t w h form_left
  read -r n l t w h form_left < <(grep "^$1 " "$work/controls")
  [ -n "$n" ] || return 1
  [ -n "${2:-}" ] && l=$((l - form_left + $2))
  xdotool mousemove $((win_x + l + w / 2)) $((win_y + t + h / 2))
  sleep 0.25
  xdotool click 1
}
key() { xdotool key --delay 80 "$@"; }
