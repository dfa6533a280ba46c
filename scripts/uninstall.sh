#!/usr/bin/env bash
# Removes what `make install` installed, file by file as the install manifest lists it (DESTDIR
# honoured), then the game's own content folders that are left empty.
set -euo pipefail
manifest=${1:?usage: uninstall.sh INSTALL_MANIFEST}
if [ ! -f "$manifest" ]; then
  echo "uninstall: $manifest is missing: nothing was installed from this build" >&2
  exit 1
fi
dest=${DESTDIR:-}
folders=()
while IFS= read -r file || [ -n "$file" ]; do
  [ -n "$file" ] || continue
  target="$dest$file"
  if [ -e "$target" ] || [ -L "$target" ]; then
    rm -f -- "$target"
    echo "Removed $target"
  fi
  case "$file" in
    */share/zumbala/*) folders+=("$(dirname -- "$target")") ;;
  esac
done <"$manifest"
# Deepest first; folders shared with other programs (bin/, the icon theme) stay.
if [ ${#folders[@]} -gt 0 ]; then
  while IFS= read -r folder; do
    while [[ $folder == */share/zumbala* ]] && rmdir -- "$folder" 2>/dev/null; do
      folder=$(dirname -- "$folder")
    done
  done < <(printf '%s\n' "${folders[@]}" | sort -ru)
fi
