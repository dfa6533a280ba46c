#!/usr/bin/env bash
# Checks the game as a packager would: installs it into a temporary DESTDIR, validates the launcher
# and the AppStream metadata that were installed, then starts the installed binary under a virtual
# X server from an unrelated working folder, creates a player there, and checks that "Config.cfg"
# landed in the per-user folder and that nothing under the prefix changed.
set -euo pipefail
build=${1:-build}
prefix=/usr
id=org.zumbala.Zumbala
seconds=${PACKAGE_CHECK_SECONDS:-30}

for tool in desktop-file-validate appstreamcli xvfb-run xdotool; do
  command -v "$tool" >/dev/null || { echo "package-check: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dest=$work/dest
make --no-print-directory install BUILD="$build" PREFIX="$prefix" DESTDIR="$dest" >"$work/install.log"
root=$dest$prefix

fail() {
  echo "package-check: $*" >&2
  exit 1
}

for file in bin/zumbala bin/zumbala-scores share/zumbala/Data/data.zbx share/zumbala/Data/gfx.zbx \
  share/zumbala/Sounds/1.xm share/zumbala/wdata/config.ini share/applications/$id.desktop \
  share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
  share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/128x128/apps/$id.png \
  share/icons/hicolor/256x256/apps/$id.png; do
  [ -e "$root/$file" ] || fail "$file was not installed"
done
desktop-file-validate "$root/share/applications/$id.desktop"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml"
# The launcher, the metadata and the icon as one installed tree.
appstreamcli validate-tree --no-net "$root"
# The metadata as a build with a web address writes it, with its homepage and screenshots.
cmake -DIN="$(dirname "$0")/../dist/$id.metainfo.xml.in" -DOUT="$work/web.metainfo.xml" \
  -DWEB_URL=https://games.example/zumbala/ -P "$(dirname "$0")/../dist/metainfo.cmake"
grep -q '<image type="source" width="800" height="600">https://games.example/zumbala/screenshots/level3.png</image>' \
  "$work/web.metainfo.xml" || fail "the screenshots are missing from the metadata written with a web address"
appstreamcli validate --no-net "$work/web.metainfo.xml"

# The prefix as installed, to compare with after the run.
snapshot() { (cd "$root" && find . -printf '%p %s %T@\n' | sort); }
snapshot >"$work/before.txt"

mkdir -p "$work/elsewhere" "$work/home"
export XDG_DATA_HOME=$work/xdg HOME=$work/home
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  cd "$1"
  SDL_AUDIODRIVER=dummy "$2" >"$4/game.log" 2>&1 &
  pid=$!
  # The logo, then the name entry of the first start: type a name and press Enter.
  for _ in $(seq 1 $(( $3 * 10 ))); do
    sleep 0.1
    kill -0 "$pid" 2>/dev/null || { echo "package-check: the game exited early" >&2; cat "$4/game.log" >&2; exit 1; }
    [ -e "$XDG_DATA_HOME/zumbala/Config.cfg" ] && break
    window=$(xdotool search --name "^Zumbala$" 2>/dev/null | head -1)
    if [ -n "$window" ] && [ $(( SECONDS % 2 )) -eq 0 ]; then
      xdotool windowfocus "$window" 2>/dev/null
      xdotool type --window "$window" --delay 40 "Tester" 2>/dev/null
      xdotool key --window "$window" Return 2>/dev/null
      sleep 1
    fi
  done
  kill -KILL "$pid"; wait "$pid" 2>/dev/null || true
' check "$work/elsewhere" "$root/bin/zumbala" "$seconds" "$work"

[ -s "$XDG_DATA_HOME/zumbala/Config.cfg" ] || { cat "$work/game.log" >&2; fail "no Config.cfg in \$XDG_DATA_HOME/zumbala"; }
[ -z "$(ls -A "$work/elsewhere")" ] || fail "the game wrote into its working folder: $(ls -A "$work/elsewhere")"
snapshot >"$work/after.txt"
diff -u "$work/before.txt" "$work/after.txt" >&2 || fail "the game changed files under the prefix"

make --no-print-directory uninstall BUILD="$build" PREFIX="$prefix" DESTDIR="$dest" >/dev/null
left=$(cd "$root" && find . -type f | head -5)
[ -z "$left" ] || fail "uninstall left files behind: $left"
echo "package-check: installed, validated, ran from another folder, kept its files in \$XDG_DATA_HOME, uninstalled"
