#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file names its licence in an SPDX line among its first two lines (after a
# shebang), so a file copied out of the project keeps its terms. Usage: licence_check.sh SOURCE_DIR
set -u
cd "$1" || exit 1
missing=0
while IFS= read -r -d '' file; do
  head -n 2 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' && continue
  echo "no SPDX line: $file"
  missing=1
done < <(find src tests tools bench fuzz packaging scripts .ci \
           -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name 'CMakeLists.txt' \
           -o -name '*.cmake' -o -path 'scripts/*' -o -path '.ci/*' \) \
           -not -path 'tests/replays/*' -print0)
[ -f LICENSE ] && grep -q 'GNU GENERAL PUBLIC LICENSE' LICENSE || { echo "no LICENSE"; missing=1; }
exit $missing
