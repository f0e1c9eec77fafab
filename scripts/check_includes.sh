#!/usr/bin/env bash
# Keeps the layers pointing one way: a file may include its own folder and the
# layers below it, never a layer above or beside it. Prints each offending
# include with its file and line, and fails if there is any.
set -euo pipefail
cd "$(dirname "$0")/../src"

# Folder -> rank. Equal ranks are peers and may not include each other.
declare -A rank=(
  [console]=0
  [link]=1
  [modbus]=2
  [readers]=3 [config]=3 [sim]=3
  [models]=4
  [operations]=5 [monitor]=5 [discovery]=5
  [session]=6
  [layout]=7
  [app]=8 [cli]=8 [win]=8 [sim/main]=8
)

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
