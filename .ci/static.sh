#!/usr/bin/env bash
# Static checks: clang-format-14 over every C++ file of the tree and clang-tidy-14 with the root .clang-tidy
# over the compile database of one preset (debug): the library, the tool and the
# fuzz targets; tests and benchmarks are left out to keep it short. Either
# failing fails the run.
#
#   .ci/static.sh [format|tidy]      both when not told
set -euo pipefail
cd "$(dirname "$0")/.."

what=${1:-all}
status=0

if [[ $what == all || $what == format ]]; then
  echo "== clang-format-14 --dry-run -Werror"
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
  clang-format-14 --dry-run -Werror "${files[@]}" || status=1
fi

if [[ $what == all || $what == tidy ]]; then
  echo "== clang-tidy-14 (compile database of the debug preset)"
  cmake --preset debug >/dev/null
  # Generated sources (the test dialogs' resources) must exist before tidy reads them.
  cmake --build --preset debug >/dev/null
  run-clang-tidy-14 -p build/debug -j2 -quiet \
    "$PWD/(src|tools|fuzzing)/" >build/debug/clang-tidy.log 2>&1 || {
    grep -E 'warning:|error:' build/debug/clang-tidy.log | sort -u | head -100
    status=1
  }
fi
exit $status
