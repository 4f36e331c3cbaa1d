#!/usr/bin/env bash
# The demo: installs and builds (scripts/setup.sh), makes a demo game folder
# in a Wine prefix of its own with the game's registry key set, and then
#  - with a display: opens Morrent and then Vellix on the demo game, for you
#    to use (PATCH in Morrent first; a sample skin is in the programs' folder);
#  - without one, or with --headless: drives the whole road under Xvfb and
#    leaves screenshots of every step and a summary in demo-output/.
#   bash scripts/demo.sh [--headless] [--no-setup]
set -euo pipefail
cd "$(dirname "$0")/.."
headless=; setup=1
for a in "$@"; do
  case $a in
    --headless) headless=1 ;;
    --no-setup) setup= ;;
    *) echo "usage: demo.sh [--headless] [--no-setup]"; exit 2 ;;
  esac
done
[ -n "$setup" ] && bash scripts/setup.sh
[ -z "${DISPLAY:-}" ] && headless=1

if [ -n "$headless" ]; then
  out=$PWD/demo-output
  rm -rf "$out" && mkdir -p "$out"
  bash tests/e2e/road.sh "$out" | tee "$out/road.log"
  {
    echo "The road under Wine, $(date -u '+%Y-%m-%d %H:%M UTC'):"
    grep -E '^(==|ok|note|road)' "$out/road.log"
  } >"$out/summary.txt"
  echo "demo: screenshots and summary in $out"
  exit 0
fi

demo=$HOME/.mw4skins-demo
mkdir -p "$demo/programs"
export WINEPREFIX="$demo/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
[ -d "$demo/game" ] || build/native/mkgame "$demo/game" --seed 7 >/dev/null
cp build/win64/Vellix.exe build/win64/Morrent.exe data/blob.blb data/sample-skin.bmp data/sample-skin.jpg "$demo/programs/"
key='HKLM\Software\Microsoft\Microsoft Games\Mechwarrior Vengeance'
wine reg add "$key" /v "EXE Path" /t REG_SZ /d "$(winepath -w "$demo/game")" /f >/dev/null
wine reg add "$key" /v CDPath /t REG_SZ /d 'D:\' /f >/dev/null
echo "demo: game folder $demo/game; sample skins in $demo/programs"
cd "$demo/programs"
wine Morrent.exe
wine Vellix.exe
