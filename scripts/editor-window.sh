#!/bin/bash
# scripts/editor-window.sh [BUILD_DIR [OUT_DIR]]: the level editor in the real window, as a player uses it.
# Under a virtual X server (run it through `xvfb-run -a -s "-screen 0 1024x768x24"`) it draws a level
# with the mouse (a row of bombs that one hit sets off, red bricks over it, gold at its ends, two bricks
# taken away with the right button), test-plays it with F5 until it is cleared, saves it as "First" in
# the set "Jungle", plays the set from "Свои уровни" to its end and comes back to the set's own table.
# The PNGs of the steps go to OUT_DIR (default BUILD_DIR/editor-window).
set -u
build=$(cd "${1:-build}" && pwd)
out=$(mkdir -p "${2:-$build/editor-window}" && cd "${2:-$build/editor-window}" && pwd)
W=$(mktemp -d)
trap 'rm -rf "$W"' EXIT
cp -r "$build/game" "$W/game"
mkdir -p "$W/home" "$W/shots"
log=$W/screens.log; : > $log
cd $W/game
env XDG_DATA_HOME=$W/home ZUMBALA_SCREEN_LOG=$log SDL_AUDIODRIVER=dummy ./zumbala > $W/game.log 2>&1 &
gp=$!
for _ in $(seq 100); do wid=$(xdotool search --name '^Zumbala$' 2>/dev/null | head -n1); [ -n "$wid" ] && break; sleep 0.1; done
eval "$(xdotool getwindowgeometry --shell "$wid")"; wx=$X; wy=$Y
xdotool windowfocus "$wid" 2>/dev/null
cur() { tail -n1 $log; }
waits() { for _ in $(seq 400); do [ "$(cur)" = "$1" ] && return 0; sleep 0.05; done; echo "never reached $1 (at $(cur))"; return 1; }
shot() { xwd -root -silent | convert xwd:- -crop "800x600+$wx+$wy" +repage "png:$out/$1.png"; }
mv_() { xdotool mousemove $((wx + $1)) $((wy + $2)); sleep 0.05; }
clk() { mv_ $1 $2; sleep 0.2; xdotool click 1; sleep 0.3; }
cellx() { echo $((172 + 37 * $1 + 18)); }
celly() { echo $((20 * $1 + 10)); }
drag() { # col0 col1 row button
  mv_ $(cellx $1) $(celly $3); xdotool mousedown $4; sleep 0.1
  for c in $(seq $1 $2); do mv_ $(cellx $c) $(celly $3); sleep 0.05; done
  xdotool mouseup $4; sleep 0.2; }
waits 1 || exit 1
sleep 0.5; xdotool type --delay 120 "Ann"; xdotool key Return
waits 4; sleep 1; shot 04_menu
clk 400 475; waits 40; sleep 0.5
# Bombs: palette entry 9 (row 3, column 0); a row of them chains from one hit.
clk $((22 + 18)) $((56 + 28 * 3 + 10))
drag 1 14 14 1
# Red bricks above, and gold at the ends; a right drag takes two away again.
clk $((22 + 18)) $((56 + 10))
drag 3 12 13 1
clk $((22 + 45 * 2 + 18)) $((56 + 28 * 2 + 10))
drag 0 0 14 1; drag 15 15 14 1
drag 5 6 13 3
sleep 0.5; shot 40_editor_drawn
xdotool key F5; waits 12 || true; sleep 1.5; shot 12_testplay_start
for _ in $(seq 60); do [ "$(cur)" = 40 ] && break; xdotool key space; sleep 0.5; done
sleep 0.3; shot 40_editor_after_test
clk 86 302; xdotool type --delay 100 "Jungle"
clk 86 356; xdotool type --delay 100 "First"
clk 86 436; sleep 0.5; shot 40_editor_saved
clk 86 556; waits 4; sleep 0.5
clk 400 425; waits 41; sleep 0.8; shot 41_ownlevels
clk 195 486; waits 14; sleep 0.3; clk 400 249
waits 12 || true; sleep 1.5; shot 12_own_play
for _ in $(seq 60); do [ "$(cur)" = 15 ] && break; xdotool key space; sleep 0.5; done
sleep 3; shot 15_cleared
# The next button shows once the count-up is over.
for _ in $(seq 60); do [ "$(cur)" = 15 ] || break; clk 486 350; sleep 0.5; done
waits 22; sleep 3; shot 22_yourscore
for _ in $(seq 60); do [ "$(cur)" = 22 ] || break; xdotool key Return; sleep 0.5; done
waits 41; sleep 0.8; shot 41_ownlevels_table
echo "screens: $(tr '\n' ' ' < $log)"
kill $gp; wait $gp 2>/dev/null
echo "table of Jungle: $(cat $W/home/zumbala/levels/Jungle.scores 2>/dev/null)"
[ -s "$W/home/zumbala/levels/Jungle/level01" ] && [ -s "$W/home/zumbala/levels/Jungle.scores" ]
