#!/usr/bin/env bash
# Instructions per resize pass and per floor loop (the same setters with the same
# values in a bare loop) at 10 to 10,000 controls, counted by callgrind: exact
# and the same on a busy machine, where wall-clock times are not.
#   bench/instructions.sh [BENCH_PROGRAM] [PASSES]
# The program defaults to the release build's bench_resize_pass.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/release/bench/bench_resize_pass}
passes=${2:-10}
out=$(mktemp -d /tmp/quorvel-callgrind.XXXXXX)
trap 'rm -rf "$out"' EXIT

# The inclusive instructions of the measured function, over all its calls.
count() {
  local controls=$1 kind=$2 function=$3
  valgrind --tool=callgrind --callgrind-out-file="$out/$kind.$controls" \
           --toggle-collect="$function" "$program" --instructions "$controls" "$kind" \
           "$passes" >/dev/null 2>&1
  sed -n 's/^summary: //p' "$out/$kind.$controls"
}

printf '%8s %16s %16s %7s\n' controls pass floor ratio
for controls in 10 100 1000 10000; do
  pass=$(count "$controls" pass '*Pass(*')
  floor=$(count "$controls" floor '*SetTargets(*')
  awk -v c="$controls" -v p="$pass" -v f="$floor" -v n="$passes" \
      'BEGIN { printf "%8d %16.0f %16.0f %7.3f\n", c, p / n, f / n, p / f }'
done
