#!/usr/bin/env bash
# Bounded fuzzing: builds the libFuzzer programs (preset fuzz: Clang 14 with the
# address and undefined-behaviour sanitizers) and runs each for a while, seeded
# from its regression inputs and the shared form-file corpus when it is there.
# Any finding fails the run; its input is minimized and printed as text, base64
# and hex, so it can be added to fuzzing/regressions/<target>/.
#
#   .ci/fuzz.sh [TOTAL_SECONDS]      default 240, shared among the targets
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/fuzz
corpus=${QUORVEL_CORPUS_DIR:-$PWD/../shared/corpus}
targets=(text_reader binary_reader loader core adapter)
total=${1:-240}
seconds=$((total / ${#targets[@]}))
((seconds > 0)) || seconds=1

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]/#/fuzz_}"

status=0
for target in "${targets[@]}"; do
  program=$build/fuzzing/fuzz_$target
  # libFuzzer adds new inputs to the first folder only: the seeds stay untouched.
  work=$build/corpus/$target
  findings=$build/findings/$target
  rm -rf "$findings"
  mkdir -p "$work" "$findings"
  seeds=(fuzzing/regressions/$target)
  case $target in
    text_reader) seeds+=("$corpus/text") ;;
    binary_reader) seeds+=("$corpus/binary") ;;
    loader) seeds+=("$corpus/text" "$corpus/binary") ;;
  esac
  present=()
  for dir in "${seeds[@]}"; do [[ -d $dir ]] && present+=("$dir"); done

  echo "== fuzz $target for ${seconds}s (seeds: ${present[*]})"
  log=$build/findings/$target.log
  if "$program" -max_total_time="$seconds" -max_len=65536 -timeout=20 -rss_limit_mb=2560 \
       -dict=fuzzing/form.dict -print_final_stats=1 -artifact_prefix="$findings/" \
       "$work" "${present[@]}" >"$log" 2>&1; then
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true
    grep -E '^stat::number_of_executed_units' "$log" || true
    continue
  fi

  status=1
  tail -60 "$log"
  artifact=$(find "$findings" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' \
                -o -name 'timeout-*' -o -name 'oom-*' \) | head -1)
  if [[ -z $artifact ]]; then
    echo "fuzz $target: failed without leaving an input (log: $log)" >&2
    continue
  fi
  minimized=$findings/minimized
  "$program" -minimize_crash=1 -runs=20000 -max_total_time=60 \
    -exact_artifact_path="$minimized" "$artifact" >"$findings/minimize.log" 2>&1 || true
  [[ -s $minimized ]] || minimized=$artifact
  echo
  echo "==== fuzz $target: finding, minimized input $minimized ($(wc -c <"$minimized") bytes)"
  echo "---- what the target reports"
  "$program" "$minimized" 2>&1 | grep -E 'finding|runtime error|ERROR|SUMMARY|#[0-9]+ ' | head -30 || true
  echo "---- as text"
  cat -v "$minimized"; echo
  echo "---- base64"
  base64 "$minimized"
  echo "---- hex"
  od -An -tx1 -v "$minimized"
done

if ((status)); then
  echo "fuzz: findings above; add each minimized input to fuzzing/regressions/<target>/" >&2
fi
exit $status
