#!/usr/bin/env bash
# A media service that cannot start ends the game with its "Alert" text on stderr and a
# non-zero exit status. Usage: startup_alert.sh GAME "EXPECTED TEXT" VAR=VALUE...
set -u
game=$1 expected=$2
shift 2
out=$(cd "$(dirname "$game")" && env "$@" timeout 20 "$game" 2>&1 >/dev/null)
status=$?
if [ "$status" -eq 0 ] || [ "$status" -eq 124 ]; then
  echo "expected a non-zero exit, got $status"; exit 1
fi
if ! grep -qF "$expected" <<<"$out"; then
  echo "expected \"$expected\" on stderr, got: $out"; exit 1
fi
echo "exit $status with \"$expected\""
