#!/usr/bin/env bash
# Installs what building and testing Quorvel needs beyond a compiler, CMake,
# GoogleTest and Google Benchmark, from Debian's packages. Installs only what is
# missing, as root or through sudo; does nothing where apt-get is not available.
#
#   scripts/install-deps.sh            the tool and the tests
#   scripts/install-deps.sh windows    also the mingw-w64 cross compilers and Wine
set -euo pipefail

# FreeType and the two font packages let the simulated desktop measure text as
# Wine does; without them it falls back to an approximate metric.
packages=(libcli11-dev nlohmann-json3-dev librsvg2-bin libfreetype-dev fonts-wine fonts-liberation2)
# The tool draws its PNG pictures itself and writes them with zlib.
packages+=(zlib1g-dev)
# Images stored in forms (pictures, glyphs, image lists) are decoded by libpng,
# libjpeg-turbo and giflib; without one, its images are drawn as placeholders.
packages+=(libpng-dev libjpeg62-turbo-dev libgif-dev)
# Chinese, Japanese and Korean text is measured and drawn with WenQuanYi Micro Hei.
packages+=(fonts-wqy-microhei)
# windres compiles the test dialogs' templates for the simulated desktop's tests.
packages+=(binutils-mingw-w64-x86-64)
# The fuzz targets (preset fuzz, .ci/fuzz.sh): Clang 14 with libFuzzer's runtime.
packages+=(clang-14 libclang-rt-14-dev)
# The HTML report's browser test loads the page in headless Chromium; without it
# the test skips.
packages+=(chromium)
# The static checks (.ci/static.sh): clang-format and clang-tidy of the same release.
packages+=(clang-format-14 clang-tidy-14)
if [[ ${1:-} == windows ]]; then
  packages+=(python3 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 xvfb xauth)
fi

command -v apt-get >/dev/null 2>&1 || exit 0
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -qx 'install ok installed' ||
    missing+=("$package")
done
((${#missing[@]})) || exit 0

sudo=()
if [[ $(id -u) != 0 ]]; then
  command -v sudo >/dev/null 2>&1 || { echo "install-deps: needs root or sudo for: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq || true
"${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
