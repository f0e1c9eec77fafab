#!/usr/bin/env bash
# Keeps the layers pointing one way: a file may include its own folder and the
# layers below it, never a layer above or beside it. Prints each offending
# include with its file and line, and fails if there is any.
set -euo pipefail
cd "$(dirname "$0")/../src"

# Folder -> rank, from the table the build declares the layers with. Equal ranks
# are peers and may not include each other. The build fails on the same includes
# (cmake/layers.cmake); this says so in a second, before anything compiles.
declare -A rank=()
while IFS== read -r folder r; do
  rank[$folder]=$r
done < <(sed -n '/^set(LAYER_RANKS$/,/^)$/p' ../cmake/layers.cmake | grep -o '[a-z/]*=[0-9]*')
(( ${#rank[@]} )) || { echo "check_includes: no LAYER_RANKS in cmake/layers.cmake"; exit 1; }

layer_of() {  # path relative to src -> its layer's folder
  case "$1" in
    sim/main/*) echo sim/main ;;
    */*) echo "${1%%/*}" ;;
    *) echo "" ;;
  esac
}

status=0
while IFS= read -r -d '' file; do
  from=$(layer_of "$file")
  [[ -n ${rank[$from]+x} ]] || { echo "check_includes: $file: folder '$from' has no layer"; status=1; continue; }
  while IFS=: read -r line target; do
    to=$(layer_of "$target")
    [[ -n $to && -n ${rank[$to]+x} ]] || continue  # not a layer: Qt, system or generated header
    [[ $to == "$from" ]] && continue
    if [[ $from == sim/main && $to == sim ]]; then continue; fi  # the program over its library
    if (( ${rank[$to]} >= ${rank[$from]} )); then
      echo "src/$file:$line: includes \"$target\" ($to), which is not below $from"
      status=1
    fi
  done < <(grep -no '^#include "[^"]*"' "$file" | sed 's/:#include "\(.*\)"$/:\1/')
done < <(find . \( -name '*.h' -o -name '*.cpp' \) -print0 | sed -z 's#^\./##')
exit $status
