#!/usr/bin/env bash
# The whole road under Wine, through the real win64 programs, driven from
# outside: Morrent patches, Vellix inserts a BMP and a JPEG and restores,
# Morrent restores; then the failure cases. After each step the archives are
# checked by check_archives.py, a reader of the format of its own.
#   tests/e2e/road.sh [SCREENSHOT_FOLDER]
# Expects the native and win64 presets built; runs in a Wine prefix and an
# Xvfb display of its own (scripts/wine-env.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
shots=${1:-}
source scripts/wine-env.sh
trap wine_cleanup EXIT
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null  # Wine draws the frames
command -v xsetroot >/dev/null && xsetroot -solid '#3a6ea5' || true

work="$WINE_RUN_DIR/road"
mkdir -p "$work/programs" "$work/pictures"
cp build/win64/Vellix.exe build/win64/Morrent.exe data/blob.blb "$work/programs/"
cp data/sample-skin.bmp "$work/pictures/skin.bmp"
cp data/sample-skin.jpg "$work/pictures/skin.jpg"
w() { wine_path "$1"; }
VELLIX=$(w "$work/programs/Vellix.exe")
MORRENT=$(w "$work/programs/Morrent.exe")
KEY='HKLM\Software\Microsoft\Microsoft Games\Mechwarrior Vengeance'
check() { python3 tests/e2e/check_archives.py "$@"; }
steps=0
# drive NAME: plays the script on standard input; NAME.bmp screenshots go to $shots.
drive() {
  local name=$1 script="$work/$1.txt"
  cat >"$script"
  steps=$((steps + 1))
  echo "== $name"
  local prefix=()
  [ -n "$shots" ] && prefix=("$(w "$work/$name")")
  if ! timeout 300 wine build/win64/tests/drive.exe "$(w "$script")" "${prefix[@]}" 2>/dev/null | sed 's/^/   /'; then
    echo "road: step $name failed"; return 1
  fi
}
shot() {  # shot NAME: a screenshot step for drive scripts, when screenshots are wanted
  [ -n "$shots" ] && echo "shot $(w "$work/$1.bmp")" || true
}
keep_shots() {
  [ -n "$shots" ] || return 0
  mkdir -p "$shots"
  for f in "$work"/*.bmp; do [ -e "$f" ] && convert "$f" "$shots/$(basename "${f%.bmp}").png" && rm -f "$f"; done
}

QUESTION='This program is going to patch the Mechwarrior4 Vengeance files to allow quick skinning.\nThe program will backup the current files into a *.mw4b file for restoration.  This backup\nwill require 250 Megabytes free on the drive that Mechwarrior4 Vengeance is installed.\nThis is an unauthorized patch and is not supported by Microsoft or the Mech4 team.\nInstall this patch at your own risk.\nDo you wish to continue to patch?'
INDEX='An index of the skins must be created to be patch independent.'

# morrent_patch NAME [STEP]: Morrent, PATCH, Yes, "Done!", QUIT (STEP after the start).
morrent_patch() {
  drive "$1" <<SCRIPT
start $MORRENT
window Morrent [2.0.0]
${2:-}
press 250 100
message Continue to patch? | $QUESTION | YES
message Morrent | Done! | OK
caption Morrent [2.0.0]
press 260 165
exit
SCRIPT
}

# ---- a fresh game folder and the key that points at it ----
build/native/mkgame "$work/game" --seed 7 >/dev/null
cp -r "$work/game" "$work/original"
GAME=$(w "$work/game")
wine reg add "$KEY" /v "EXE Path" /t REG_SZ /d "$GAME" /f >/dev/null
wine reg add "$KEY" /v CDPath /t REG_SZ /d 'D:\' /f >/dev/null

# ---- Vellix before the patch: the first start indexes; Insert is refused ----
drive vellix-before-patch <<SCRIPT
start $VELLIX
message Vellix | $INDEX | OK
window Vellix [1.1.18]
status Ready to load texture.
menu 101
open $(w "$work/pictures/skin.bmp")
status Texture Loaded ready to insert
menu 320
menu 201
message textures.mw4 not patched! | The Morrent is required to use the Vellix tool! | OK
menu 102
exit
SCRIPT
check same "$work/game" "$work/original"
cmp "$work/game/resource/textures.mw4b" "$work/original/resource/textures.mw4" && echo "ok: textures backup made, archive unchanged"
[ ! -e "$work/game/resource/props.mw4b" ] && echo "ok: props archive not backed up"
sha_index() { sha256sum "$work/game/resource/textures.inx" "$work/game/resource/props.inx" | cut -c1-64 | tr '\n' ' '; }
index_before=$(sha_index)

# ---- Morrent: PATCH, Yes, Done!, QUIT ----
morrent_patch morrent-patch "$(shot morrent)"
check patched "$work/game" "$work/original"
cp -r "$work/game" "$work/patched"

# ---- Vellix after the patch: no index message; a BMP into slot 20 ----
drive vellix-insert-bmp <<SCRIPT
start $VELLIX
window Vellix [1.1.18]
nomessage 1500
menu 101
open $(w "$work/pictures/skin.bmp")
status Texture Loaded ready to insert
menu 320
altkey S
$(shot vellix)
key ESC
key ESC
menu 201
status Done.
nomessage 500
menu 102
exit
SCRIPT
check inserted "$work/game" "$work/patched" 20 "$work/pictures/skin.bmp" 0
rm -rf "$work/inserted20" && cp -r "$work/game" "$work/inserted20"

# ---- a JPEG into slot 37, then Edit > Restore to Original ----
drive vellix-insert-jpeg <<SCRIPT
start $VELLIX
window Vellix [1.1.18]
menu 101
open $(w "$work/pictures/skin.jpg")
status Texture Loaded ready to insert
menu 337
menu 201
status Done.
nomessage 500
menu 102
exit
SCRIPT
check inserted "$work/game" "$work/inserted20" 37 "$work/pictures/skin.jpg" 2
drive vellix-restore <<SCRIPT
start $VELLIX
window Vellix [1.1.18]
menu 202
message Continue? | Restoring may require you to rerun the Morrent!\nDo you wish to continue? | YES
nomessage 1500
status Done.
menu 102
exit
SCRIPT
check same "$work/game" "$work/original"

# ---- Morrent: RESTORE, Yes, QUIT: the game's own archives again ----
morrent_patch morrent-patch-again
check patched "$work/game" "$work/original"
drive morrent-restore <<SCRIPT
start $MORRENT
window Morrent [2.0.0]
press 260 130
message Are you sure? | Restore from backup? | YES
nomessage 2000
press 260 165
exit
SCRIPT
check same "$work/game" "$work/original"
[ "$(sha_index)" = "$index_before" ] && echo "ok: index files untouched by patching and restoring"

# ---- failure cases, each with its exact message and no archive damaged ----
morrent_patch vellix-readonly-archive-setup
cp -r "$work/game" "$work/before-readonly"
if chattr +i "$work/game/resource/props.mw4" 2>/dev/null; then
  drive vellix-readonly-archive <<SCRIPT
start $VELLIX
window Vellix [1.1.18]
menu 101
open $(w "$work/pictures/skin.bmp")
status Texture Loaded ready to insert
menu 201
message Vellix | Error 70\nPermission denied: $GAME\\resource\\props.mw4\nOpen File $GAME\\resource\\props.mw4 | OK
exit
SCRIPT
  chattr -i "$work/game/resource/props.mw4"
  cmp "$work/game/resource/props.mw4" "$work/before-readonly/resource/props.mw4"
  cmp "$work/game/resource/props.mw4b" "$work/original/resource/props.mw4"
  cmp "$work/game/resource/textures.mw4b" "$work/original/resource/textures.mw4"
  echo "ok: read-only props archive: the error, the program ended, archive and backups intact"
else
  echo "note: this file system cannot make a file read-only for root; that case is left out"
fi

mkdir -p "$work/noblob" && cp build/win64/Morrent.exe "$work/noblob/"
cp -r "$work/game" "$work/before-noblob"
drive morrent-blob-missing <<SCRIPT
start $(w "$work/noblob/Morrent.exe")
window Morrent [2.0.0]
press 250 100
message Continue to patch? | $QUESTION | YES
message Morrent | Blob.blb is missing! | OK
caption Morrent [2.0.0]
press 260 165
exit
SCRIPT
check same "$work/game" "$work/before-noblob"

mkdir -p "$work/empty-folder"
wine reg add "$KEY" /v "EXE Path" /t REG_SZ /d "$(w "$work/empty-folder")" /f >/dev/null
drive invalid-path <<SCRIPT
start $VELLIX
message Vellix | Mechwarrior path is invalid! | OK
exit
start $MORRENT
message Morrent | Mechwarrior path is invalid! | OK
exit
SCRIPT
wine reg delete "$KEY" /f >/dev/null
drive key-missing <<SCRIPT
start $VELLIX
message Vellix | Problem getting Mechwarrior Path! | OK
exit
start $MORRENT
message Morrent | Problem getting Mechwarrior Path! | OK
exit
SCRIPT
check same "$work/game" "$work/before-noblob"
keep_shots
echo "road: $steps steps passed"
