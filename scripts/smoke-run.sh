#!/usr/bin/env bash
# Starts the real game in a real window under a virtual X server for a few seconds and
# fails when it crashes, exits early, or never shows its 800 x 600 window.
set -euo pipefail
game_dir=${1:?usage: smoke-run.sh GAME_DIR}
seconds=${SMOKE_SECONDS:-5}

command -v xvfb-run >/dev/null || { echo "smoke: xvfb-run is missing" >&2; exit 1; }
# The player's folder of this run, not the home of whoever runs it.
XDG_DATA_HOME=$(mktemp -d)
export XDG_DATA_HOME
trap 'rm -rf "$XDG_DATA_HOME"' EXIT

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  cd "$1"
  SDL_AUDIODRIVER=dummy ./zumbala &
  pid=$!
  found=""
  for _ in $(seq 1 $(( $2 * 10 ))); do
    sleep 0.1
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"; status=$?
      echo "smoke: the game exited early with status $status" >&2
      exit 1
    fi
    if [ -z "$found" ] && command -v xwininfo >/dev/null; then
      if xwininfo -root -tree 2>/dev/null | grep -q "\"Zumbala\".*800x600"; then found=yes; fi
    fi
  done
  kill -KILL "$pid"; wait "$pid" 2>/dev/null || true
  if command -v xwininfo >/dev/null && [ -z "$found" ]; then
    echo "smoke: no 800 x 600 window named Zumbala appeared" >&2
    exit 1
  fi
  echo "smoke: the game ran for $2 seconds in an 800 x 600 window"
' smoke "$game_dir" "$seconds"
