#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# CTest runs a test program suite by suite, from the suites CMake read in its sources: every
# suite the program holds must be among them, or its tests would never run.
# Usage: suites_check.sh PROGRAM SUITE...
set -u
program=$1
shift
listed=$("$program" --gtest_list_tests) || { echo "$program could not list its tests"; exit 1; }
# "Suite." or "Instances/Suite." lines (a parameterised suite), its tests indented below.
held=$(grep -v '^ ' <<<"$listed" | sed 's/\.$//; s|^.*/||' | sort -u)
missing=$(comm -23 <(echo "$held") <(printf '%s\n' "$@" | sort -u))
[ -n "$held" ] || { echo "$program lists no suite"; exit 1; }
[ -z "$missing" ] || { echo "suites CTest never runs:"; echo "$missing"; exit 1; }
echo "$(wc -l <<<"$held") suites, each run by CTest"
