#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A media service that cannot start ends the game with its "Alert" text on stderr and a
# non-zero exit status, and the platform's reason comes on a line of its own before the alert.
# Usage: startup_alert.sh GAME "EXPECTED TEXT" "REASON TEXT" VAR=VALUE...
set -u
game=$1 expected=$2 reason=$3
shift 3
out=$(cd "$(dirname "$game")" && env "$@" timeout 20 "$game" 2>&1 >/dev/null)
status=$?
if [ "$status" -eq 0 ] || [ "$status" -eq 124 ]; then
  echo "expected a non-zero exit, got $status"; exit 1
fi
alert_line=$(grep -nF "Alert: $expected" <<<"$out" | head -n 1 | cut -d: -f1)
if [ -z "$alert_line" ]; then
  echo "expected \"Alert: $expected\" on stderr, got: $out"; exit 1
fi
if ! head -n "$((alert_line - 1))" <<<"$out" | grep -qF "$reason"; then
  echo "expected a line with \"$reason\" before the alert, got: $out"; exit 1
fi
echo "exit $status with \"$expected\" after \"$reason\""
