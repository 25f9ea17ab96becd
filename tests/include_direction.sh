#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The folders of src/ form layers, and an #include may only run down them (or stay in its own
# folder): media, assets, core, levels, actors, gameplay, then console, frontend and editor side
# by side, then shell. Prints every include that runs the wrong way and fails when there is one.
# Usage: include_direction.sh SOURCE_DIR
set -u
src="${1:?usage: include_direction.sh SOURCE_DIR}/src"
declare -A rank=([media]=0 [assets]=1 [core]=2 [levels]=3 [actors]=4 [gameplay]=5
                 [console]=6 [frontend]=6 [editor]=6 [shell]=7)
status=0
for folder in "$src"/*/; do
  from=$(basename "$folder")
  if [[ -z "${rank[$from]+set}" ]]; then
    echo "$from/: a folder with no place among the layers (add it to include_direction.sh)"
    status=1
    continue
  fi
  while IFS=: read -r file line to; do
    if [[ -z "${rank[$to]+set}" ]]; then
      echo "${file#"$src"/}:$line includes $to/, which is no layer"
      status=1
    elif [[ "$to" != "$from" && ${rank[$to]} -ge ${rank[$from]} ]]; then
      echo "${file#"$src"/}:$line: $from/ includes $to/, which is not below it"
      status=1
    fi
  done < <(grep -rnoE '^#include "[a-z_]+/' "$folder" | sed -E 's|^([^:]+):([0-9]+):#include "([a-z_]+)/$|\1:\2:\3|')
done
[[ $status -eq 0 ]] && echo "every include runs down the layers"
exit $status
