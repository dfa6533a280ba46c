#!/usr/bin/env bash
# Whole games back to back for MINUTES under AddressSanitizer and UndefinedBehaviorSanitizer,
# headless and without rasterising, in one process: any sanitizer report ends the run with
# status 1, and so does resident memory that grows more than 5 % after the first game.
#
#   bench/soak.sh [MINUTES [GAME_DIR]]    (defaults: 30 minutes, build/game for the content)
#
# The sanitizer build lives in build-asan/ and holds only the soak program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
minutes=${1:-30}
game=${2:-$root/build/game}
build=$root/build-asan
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

[ -f "$game/Data/data.zbx" ] || { echo "soak: no content in $game; build the game first" >&2; exit 1; }
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j"${JOBS:-2}" --target game_soak >/dev/null
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  SDL_AUDIODRIVER=dummy "$build/bench/game_soak" "$game" "$minutes"
