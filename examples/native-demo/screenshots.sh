#!/usr/bin/env bash
# Runs the demo under Wine on a virtual display, lets it step through its sizes
# (designed, larger, maximized, restored, smaller) and saves each step as a PNG.
#
#   examples/native-demo/screenshots.sh [--exe DEMO.exe] [--out DIR] [--steps N]
#
# Defaults: the demo of the mingw64 preset, this folder for the PNGs, and the
# demo's five steps (another program that takes --screenshots DIR, such as the
# dialog example, names its own exe and number of steps). Run
# with a display already set (as .ci/windows.sh does, inside its one Xvfb and
# Wine session) it uses that display and the running Wine server; otherwise it
# starts Xvfb itself. Needs wine64, xvfb and python3.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe="$here/../../build/mingw64/examples/native-demo/quorvel_native_demo.exe"
out="$here"
steps=5
while (($#)); do
  case "$1" in
    --exe) exe=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --steps) steps=$2; shift 2 ;;
    *) echo "usage: $0 [--exe DEMO.exe] [--out DIR] [--steps N]" >&2; exit 2 ;;
  esac
done
[[ -f "$exe" ]] || { echo "screenshots: $exe is not built (cmake --build --preset mingw64)" >&2; exit 1; }

if [[ -z "${DISPLAY:-}" ]]; then
  QUORVEL_SHOTS_OWN_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --exe "$exe" --out "$out" --steps "$steps"
fi

wine=${QUORVEL_WINE:-/usr/lib/wine/wine64}
wineserver=${QUORVEL_WINESERVER:-/usr/lib/wine/wineserver64}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

mkdir -p "$out"
shots=$(mktemp -d /tmp/quorvel-shots.XXXXXX)
finish() {
  rm -rf "$shots"
  # Wine leaves with the display it started on.
  if [[ -n "${QUORVEL_SHOTS_OWN_DISPLAY:-}" ]]; then "$wineserver" -k 2>/dev/null || true; fi
}
trap finish EXIT
# Without a window manager Wine draws the captions and frames itself.
"$wine" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Decorated /d N /f >/dev/null
"$wine" "$exe" --screenshots "Z:${shots//\//\\}"

# BMP (24 bits, bottom-up) to PNG, with nothing but the standard library.
python3 - "$shots" "$out" "$steps" <<'PY'
import pathlib, struct, sys, zlib

def png(bmp: bytes) -> bytes:
    offset, = struct.unpack_from("<I", bmp, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", bmp, 18)
    if bits != 24:
        raise SystemExit(f"screenshots: {bits}-bit bitmap")
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        source = height - 1 - y if height > 0 else y
        row = bmp[offset + source * stride: offset + source * stride + width * 3]
        rgb = bytearray(row)
        rgb[0::3], rgb[2::3] = row[2::3], row[0::3]  # BGR to RGB
        rows.append(b"\0" + bytes(rgb))
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))

shots, out = map(pathlib.Path, sys.argv[1:3])
steps = int(sys.argv[3])
bmps = sorted(shots.glob("*.bmp"))
if len(bmps) != steps:
    raise SystemExit(f"screenshots: expected {steps} steps, got {len(bmps)}")
for bmp in bmps:
    target = out / (bmp.stem + ".png")
    target.write_bytes(png(bmp.read_bytes()))
    print(f"screenshots: {target} ({target.stat().st_size} bytes)")
PY
