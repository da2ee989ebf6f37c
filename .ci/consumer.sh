#!/usr/bin/env bash
# Installs a configured build tree into a scratch prefix, then configures, builds
# and runs tests/consumer against it with find_package(Quorvel), as a user's
# project would; then builds the same program with Quorvel's source tree as a
# subdirectory, where the library must need nothing but a compiler and CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: consumer.sh BUILD_DIR}
prefix=$(mktemp -d /tmp/quorvel-prefix.XXXXXX)
work=$(mktemp -d /tmp/quorvel-consumer.XXXXXX)
sub=$(mktemp -d /tmp/quorvel-subproject.XXXXXX)
trap 'rm -rf "$prefix" "$work" "$sub"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
# Public headers are listed one by one: every header an installed one includes
# must be installed too.
missing=$(grep -rhoE '#include [<"]quorvel/[^>"]+' "$prefix/include/quorvel" | sed -E 's/#include [<"]//' |
          sort -u | while read -r h; do [[ -f $prefix/include/$h ]] || echo "$h"; done)
if [[ -n $missing ]]; then
  echo "consumer: installed headers include headers that are not installed:" $missing >&2
  exit 1
fi
cmake -S tests/consumer -B "$work" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release
cmake --build "$work" -j 2
"$work/consumer"
# As a subdirectory: no test framework, command-line or JSON library is looked for.
cmake -S tests/consumer -B "$sub" -DQUORVEL_SOURCE_DIR="$PWD" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_CLI11=ON \
      -DCMAKE_DISABLE_FIND_PACKAGE_nlohmann_json=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
cmake --build "$sub" -j 2 --target consumer
"$sub/consumer"

# The installed tool runs from its prefix, with nothing of the build tree.
"$prefix/bin/quorvel" --version
"$prefix/bin/quorvel" run client 960x660 >/dev/null
"$prefix/bin/quorvel" palette

# The README shows the same program.
if ! diff <(sed -n '/^<!-- tests\/consumer\/main.cpp/,/^```$/p' README.md | sed '1,2d;$d') \
          tests/consumer/main.cpp; then
  echo "consumer: README's example differs from tests/consumer/main.cpp" >&2
  exit 1
fi
