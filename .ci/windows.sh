#!/usr/bin/env bash
# The Windows part of CI: cross-compiles both mingw-w64 targets and runs the
# native tests of the 64-bit one under Wine on a virtual display. This machine
# cannot run 32-bit Windows programs, so that target is built and linked only
# (its link alone proves the seam imports what 32-bit user32 exports).
set -euo pipefail
cd "$(dirname "$0")/.."

# ---- Tools -----------------------------------------------------------------------
packages=(cmake g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 xvfb xauth)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -qx 'install ok installed' ||
    missing+=("$package")
done
if ((${#missing[@]})); then
  echo "windows: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Every step runs even after a failure, so one run reports all of them.
failed=()

# ---- Seam check coverage ---------------------------------------------------------------
# Win32Check.cpp compares only the constants it names; a new one must be added there.
unchecked=()
for name in $(sed -nE 's/^constexpr [A-Za-z_]+ ([A-Za-z0-9_]+) =.*/\1/p' src/platform/win/Win32.h); do
  grep -qw "$name" src/platform/win/Win32Check.cpp || unchecked+=("$name")
done
if ((${#unchecked[@]})); then
  echo "windows: Win32Check.cpp does not compare: ${unchecked[*]}" >&2
  failed+=("seam check coverage")
fi

# ---- Builds ----------------------------------------------------------------------------
build() {
  echo "windows: building $1"
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1"
}

build mingw64 || failed+=("mingw64 build")

# ---- Native tests under Wine -------------------------------------------------------------
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
export WINEDEBUG=-all
# No Mono or Gecko: their install prompts would stall a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
WINEPREFIX=$(mktemp -d /tmp/quorvel-wine.XXXXXX)
export WINEPREFIX

cleanup() {
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# One server for the whole run; the first program creates the prefix.
"$wineserver" -p

# Report Windows 10, which tells unmanifested programs it is 6.2: the test then
# proves that the seam reads the real version.
export QUORVEL_EXPECT_OS_MAJOR=10

run_native() {
  echo "windows: running test_native.exe under Wine"
  timeout 900 xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    wine=$1 wineserver=$2
    "$wine" reg add "HKCU\\Software\\Wine" /v Version /d win10 /f >/dev/null
    status=0
    "$wine" build/mingw64/tests/test_native.exe || status=$?
    # Stop Wine while the display still exists.
    "$wineserver" -k 2>/dev/null || true
    exit "$status"
  ' windows-native "$wine" "$wineserver"
}

# The native tests need only their own targets, so they run even when another
# part of the build is broken.
if cmake --build --preset mingw64 --target test_native >/dev/null 2>&1; then
  run_native || failed+=("native tests")
else
  echo "windows: test_native.exe was not built; the native tests did not run" >&2
fi

build mingw32 || failed+=("mingw32 build")

if ((${#failed[@]})); then
  printf 'windows: failed: %s\n' "${failed[*]}" >&2
  exit 1
fi
echo "windows: all passed"
