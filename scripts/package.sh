#!/usr/bin/env bash
# Builds the release zips (32-bit and 64-bit Windows) from the built win32 and
# win64 presets, and checks each program: it imports only system DLLs, and its
# version resource gives the numbers its caption shows.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/packages
rm -rf "$out" && mkdir -p "$out"
system_dlls="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll comdlg32.dll version.dll msvcrt.dll"
declare -A versions=([Vellix]=1.1.18 [Morrent]=2.0.0)

version_of() {  # FILEVERSION of a PE file as major.minor.revision
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
at = data.find(struct.pack("<I", 0xFEEF04BD))
if at < 0:
    sys.exit("no version resource")
ms, ls = struct.unpack_from("<II", data, at + 8)
print("%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls & 0xFFFF))
PY
}

for arch in win32 win64; do
  name="mw4skins-$arch"
  dir="$out/$name"
  mkdir -p "$dir"
  objdump=$([ "$arch" = win32 ] && echo i686-w64-mingw32-objdump || echo x86_64-w64-mingw32-objdump)
  for program in Vellix Morrent; do
    exe="build/$arch/$program.exe"
    for dll in $($objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}'); do
      case " $system_dlls " in *" $dll "*) ;; *) echo "package: $exe imports $dll, not a system DLL"; exit 1 ;; esac
    done
    got=$(version_of "$exe")
    [ "$got" = "${versions[$program]}" ] || { echo "package: $exe has version $got"; exit 1; }
    echo "ok: $arch $program.exe imports only system DLLs, version $got"
    cp "$exe" "$dir/"
  done
  cp data/blob.blb "$dir/blob.blb"
  sed 's/$/\r/' data/README-player.txt > "$dir/README.txt"
  (cd "$out" && zip -qr "$name.zip" "$name")
  echo "ok: $out/$name.zip"
done
