#!/usr/bin/env bash
# Lists the #includes that point up the layers (engine <- gui, persist <- game <- screens <- app)
# or sideways between gui and persist, and prints their count last.
cd "$(dirname "$0")/.."
rank() {
  case "$1" in
    engine) echo 0 ;; gui | persist) echo 1 ;; game) echo 2 ;; screens) echo 3 ;; app) echo 4 ;; *) echo -1 ;;
  esac
}
count=0
while IFS=: read -r file _ include; do
  from=${file%%/*}
  to=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$include")
  rf=$(rank "$from"); rt=$(rank "$to")
  [[ $rf -lt 0 || $rt -lt 0 || $from == "$to" ]] && continue
  if [[ $rt -gt $rf || $rt -eq $rf ]]; then
    echo "$file -> $to: $include"
    count=$((count + 1))
  fi
done < <(grep -n '#include "' app/*.* screens/*.* game/*.* persist/*.* gui/*.* $(find engine -name '*.cpp' -o -name '*.h'))
echo "upward includes: $count"
