#!/usr/bin/env bash
# Shows the contact dialog under Wine on a virtual display at its designed size
# and half as big again, and saves both as PNGs in this folder.
#
#   examples/win32-dialog/screenshots.sh [--exe DIALOG.exe] [--out DIR]
#
# Defaults: the example of the mingw64 preset. Needs wine64, xvfb and python3;
# the demo's script does the work.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe="$here/../../build/mingw64/examples/win32-dialog/quorvel_win32_dialog.exe"
out="$here"
while (($#)); do
  case "$1" in
    --exe) exe=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) echo "usage: $0 [--exe DIALOG.exe] [--out DIR]" >&2; exit 2 ;;
  esac
done
exec "$here/../native-demo/screenshots.sh" --exe "$exe" --out "$out" --steps 2
