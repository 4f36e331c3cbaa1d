#!/usr/bin/env bash
# The benchmarks: the native figures (bench/bench.cpp, the bench preset) and,
# for comparison, the real win64 programs under Wine timed from outside on
# the same full-size game folder. Prints one table.
#   bash scripts/bench.sh        (after scripts/setup.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench --target bench >/dev/null
echo "machine: $(nproc) cores, $(free -g | awk '/Mem:/ {print $2}') GiB, $(uname -m); $(g++ --version | head -1)"
echo
echo "## native (bench preset, portable platform layer)"
build/bench/bench --runs 25 | sed -n '/^full-size/,$p'

echo
echo "## win64 under wine64 (timed from outside by the driver)"
source scripts/wine-env.sh
trap wine_cleanup EXIT
work="$WINE_RUN_DIR/bench"
mkdir -p "$work/programs"
cp build/win64/Vellix.exe build/win64/Morrent.exe data/blob.blb data/sample-skin.bmp "$work/programs/"
build/native/mkgame "$work/game" --full >/dev/null
key='HKLM\Software\Microsoft\Microsoft Games\Mechwarrior Vengeance'
wine reg add "$key" /v "EXE Path" /t REG_SZ /d "$(wine_path "$work/game")" /f >/dev/null
wine reg add "$key" /v CDPath /t REG_SZ /d 'D:\' /f >/dev/null
question=$(sed -n 's/^QUESTION=.\(.*\).$/\1/p' tests/e2e/road.sh)
p=$(wine_path "$work/programs")
cat >"$work/script.txt" <<SCRIPT
start $p\\Morrent.exe
window Morrent [2.0.0]
press 250 100
message Continue to patch? | $question | YES
message Morrent | Done! | OK
press 250 100
message Continue to patch? | $question | YES
timer
message Morrent | Done! | OK
elapsed patch (second run, backups in place)
press 260 165
exit
start $p\\Vellix.exe
message Vellix | An index of the skins must be created to be patch independent. | OK
window Vellix [1.1.18]
menu 101
open $p\\sample-skin.bmp
status Texture Loaded ready to insert
menu 201
status Done.
menu 101
open $p\\sample-skin.bmp
status Texture Loaded ready to insert
timer
menu 201
status Done.
elapsed insert (polled every 50 ms)
menu 102
exit
SCRIPT
wine build/win64/tests/drive.exe "$(wine_path "$work/script.txt")" 2>/dev/null | grep '  time' | sed 's/^ *time /| /; s/: / | /; s/$/ |/'
