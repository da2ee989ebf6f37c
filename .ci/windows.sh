#!/usr/bin/env bash
# The Windows part of CI: cross-compiles both mingw-w64 targets (framework,
# component, QuorvelPack.dll, native tests, demo), checks both DLLs' exports,
# imports and resources with the mingw binutils, and runs the native tests and
# the demo's screenshot tour of the 64-bit build under Wine on a virtual display,
# all in one Wine server. This machine cannot run 32-bit Windows programs, so
# that target is built, linked and inspected only.
set -euo pipefail
cd "$(dirname "$0")/.."

# ---- Tools -----------------------------------------------------------------------
scripts/install-deps.sh windows

# Every step runs even after a failure, so one run reports all of them.
failed=()

# ---- Seam check coverage ---------------------------------------------------------------
# Win32Check.cpp compares only the constants it names; a new one must be added there.
unchecked=()
for name in $(sed -nE 's/^constexpr [A-Za-z_]+ ([A-Za-z0-9_]+) =.*/\1/p' src/quorvel/win/Win32.h); do
  grep -qw "$name" src/quorvel/win/Win32Check.cpp || unchecked+=("$name")
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
build mingw32 || failed+=("mingw32 build")

# ---- The package DLLs ----------------------------------------------------------------------
# objdump -p lists exports and imports; objcopy extracts the resource section,
# whose entries python3 lists (type, name, language, size); windres decompiles
# the version block.
check_package() {
  local preset=$1 triple=$2 format=$3
  local dll=build/$preset/src/quorvel/package/QuorvelPack.dll
  local problems=()
  echo "windows: checking $dll"
  [[ -f $dll ]] || { echo "windows: $dll is missing" >&2; return 1; }

  "$triple-objdump" -f "$dll" | grep -q "file format $format" ||
    problems+=("not a $format image")
  local dump
  dump=$("$triple-objdump" -p "$dll")
  local exports
  exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" |
            sed -nE 's/^\s*\[\s*[0-9]+\] ([A-Za-z_][A-Za-z0-9_@]*)$/\1/p')
  for name in Initialize Finalize GetPackageInfoTable Register; do
    grep -qx "$name" <<<"$exports" || problems+=("no export $name")
  done
  # Window longs: pointer-sized exports on 64-bit, the plain ones on 32-bit.
  if [[ $format == pei-x86-64 ]]; then
    grep -qw SetWindowLongPtrW <<<"$dump" || problems+=("does not import SetWindowLongPtrW")
  else
    grep -qw SetWindowLongW <<<"$dump" || problems+=("does not import SetWindowLongW")
    ! grep -qw SetWindowLongPtrW <<<"$dump" || problems+=("imports SetWindowLongPtrW")
  fi
  # The compositor library is bound at run time, not imported.
  ! grep -qi 'DLL Name: dwmapi' <<<"$dump" || problems+=("imports dwmapi.dll")

  # The resource section as objcopy extracts it, walked by python3: type, name
  # and language directories down to each entry's data.
  local rsrc vma base
  rsrc=$(mktemp /tmp/quorvel-rsrc.XXXXXX)
  vma=$("$triple-objdump" -h "$dll" | awk '$2 == ".rsrc" { print $4 }')
  base=$(awk '$1 == "ImageBase" { print $2 }' <<<"$dump")
  local listed
  if [[ -n $vma && -n $base ]] &&
     "$triple-objcopy" -O binary --only-section=.rsrc "$dll" "$rsrc" &&
     listed=$(python3 - "$rsrc" "$((16#$vma - 16#$base))" <<'PY'
import struct, sys
blob = open(sys.argv[1], "rb").read()
section_rva = int(sys.argv[2])

def entries(offset):
    named, ids = struct.unpack_from("<HH", blob, offset + 12)
    for i in range(named + ids):
        yield struct.unpack_from("<II", blob, offset + 16 + 8 * i)

def label(name):
    if name & 0x80000000:
        at = name & 0x7FFFFFFF
        length = struct.unpack_from("<H", blob, at)[0]
        return blob[at + 2: at + 2 + 2 * length].decode("utf-16-le")
    return str(name)

for kind, kinds in entries(0):
    for name, names in entries(kinds & 0x7FFFFFFF):
        for language, leaf in entries(names & 0x7FFFFFFF):
            rva, size = struct.unpack_from("<II", blob, leaf)
            body = blob[rva - section_rva: rva - section_rva + size]
            extra = " value %d" % struct.unpack("<I", body)[0] if size == 4 else ""
            print(f"{label(kind)} {label(name)} {language} {size}{extra}")
PY
     ); then
      echo "$listed" | sed 's/^/    resource (type name language size): /'
      grep -qx '2 TQUORVEL 1041 392' <<<"$listed" ||
        problems+=("no 392-byte bitmap TQUORVEL in language 1041")
      grep -q '^10 DESCRIPTION 0 ' <<<"$listed" || problems+=("no DESCRIPTION")
      grep -q '^10 PACKAGEINFO 0 ' <<<"$listed" || problems+=("no PACKAGEINFO")
      grep -qx '10 PLATFORMTARGETS 0 4 value 3' <<<"$listed" ||
        problems+=("PLATFORMTARGETS is not the 32-bit 3")
      grep -q '^16 1 0 ' <<<"$listed" || problems+=("no version block")
  else
    problems+=("the resource section does not read")
  fi
  rm -f "$rsrc"
  # windres reads the version block back as resource script text.
  "$triple-windres" -J coff -O rc -i "$dll" 2>/dev/null | grep -q '"FileVersion", "1.0.0.0"' ||
    problems+=("the version block has no FileVersion 1.0.0.0")

  if ((${#problems[@]})); then
    printf 'windows: %s: %s\n' "$dll" "${problems[@]}" >&2
    return 1
  fi
}

check_package mingw64 x86_64-w64-mingw32 pei-x86-64 || failed+=("mingw64 package")
check_package mingw32 i686-w64-mingw32 pei-i386 || failed+=("mingw32 package")

# ---- Native tests and screenshots under Wine -----------------------------------------------------
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

out=build/mingw64/wine
rm -rf "$out"
mkdir -p "$out"

# The native tests, then the demo's tour; each step writes its status file.
run_wine() {
  timeout 900 xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    wine=$1 wineserver=$2 out=$3
    "$wine" reg add "HKCU\\Software\\Wine" /v Version /d win10 /f >/dev/null
    # The simulated desktop measures text from the Tahoma of fonts-wine and MS Sans
    # Serif and the families of fonts-liberation2 (src/quorvel/win/sim/SimDesktop.h).
    # Wine gets the same: Arial, Times New Roman and Courier New replaced by the
    # Liberation families, and the two fonts-wine faces in the font folder of
    # the prefix, which exists once the first command has made the prefix.
    for pair in "Arial=Liberation Sans" "Times New Roman=Liberation Serif" \
                "Courier New=Liberation Mono"; do
      "$wine" reg add "HKCU\\Software\\Wine\\Fonts\\Replacements" /v "${pair%%=*}" \
        /d "${pair#*=}" /f >/dev/null
    done
    cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
       /usr/share/wine/fonts/sserife.fon "$WINEPREFIX/drive_c/windows/Fonts/"
    if [[ -f build/mingw64/tests/test_native.exe ]]; then
      echo "windows: running test_native.exe under Wine"
      status=0
      "$wine" build/mingw64/tests/test_native.exe > >(tr -d "\r" | tee "$out/test_native.log") ||
        status=$?
      echo "$status" > "$out/test_native.status"
    fi
    if [[ -f build/mingw64/examples/native-demo/quorvel_native_demo.exe ]]; then
      echo "windows: the demo under Wine (screenshots in $out/screenshots)"
      status=0
      examples/native-demo/screenshots.sh \
        --exe build/mingw64/examples/native-demo/quorvel_native_demo.exe \
        --out "$out/screenshots" || status=$?
      echo "$status" > "$out/screenshots.status"
    fi
    # Stop Wine while the display still exists.
    "$wineserver" -k 2>/dev/null || true
  ' windows-wine "$wine" "$wineserver" "$out"
}
run_wine || true
sleep 1 # the log's tee may still be writing

if [[ ! -f $out/test_native.status ]]; then
  echo "windows: test_native.exe was not built or did not run" >&2
  failed+=("native tests")
elif [[ $(cat "$out/test_native.status") != 0 ]]; then
  failed+=("native tests")
else
  # The measured scenario values as text, beside what the simulation must match.
  sed -n 's/^ *wine: //p' "$out/test_native.log" > "$out/WineScreen.measured.txt"
  if ! diff <(grep -v '^#' tests/scenarios/WineScreen.txt) "$out/WineScreen.measured.txt"; then
    echo "windows: Wine measured other values than tests/scenarios/WineScreen.txt" >&2
    failed+=("Wine scenario record")
  fi
fi
if [[ ! -f $out/screenshots.status || $(cat "$out/screenshots.status" 2>/dev/null) != 0 ]]; then
  failed+=("demo screenshots")
fi

if ((${#failed[@]})); then
  printf 'windows: failed: %s\n' "${failed[*]}" >&2
  exit 1
fi
echo "windows: all passed"
