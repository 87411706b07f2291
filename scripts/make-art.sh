#!/usr/bin/env bash
# Draws the program's icons, cursor and bitmaps from simple shapes and text and
# writes them into res/art/, where res/art.rc picks them up. The outputs are
# committed; run this again after changing a drawing (the results are byte-stable).
#   scripts/make-art.sh [--preview DIR]   also writes enlarged previews (PNG) into DIR
# Needs ImageMagick (convert, montage) and icoutils (icotool).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=$here/../res/art
preview=""
if [ "${1:-}" = "--preview" ]; then preview=${2:?"--preview needs a folder"}; fi

for tool in convert montage icotool; do
  command -v "$tool" >/dev/null || { echo "make-art: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/qr-art.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# Colours shared by every picture, so the set reads as one family.
NAVY='#1b3c86'; SKY='#4f8fe8'; EDGE='#14306e'
RAIL='#eef2f8'; RAIL_EDGE='#8c9bb5'
GREEN='#2fa84f'; ORANGE='#f39c12'; RED='#d9412f'
INK='#27364f'; PAPER='#fbfcfe'; GREY='#7d8898'

# Every icon is drawn in the pixel grid of its base size (16 or 32 pixels) and
# rendered at each size of SIZES by art-scale.py, which maps each shape onto the
# larger grid; at its base size a picture is exactly the base drawing. A display
# at 150 % gets a 24-pixel image drawn at 24, not a 16-pixel one stretched.
SIZES="16 20 24 32 40 48 64"
SIZE=16
# The base drawing that suits the current SIZE: the 16-pixel one up to 24.
base_for_size() { if [ "$SIZE" -le 24 ]; then echo 16; else echo 32; fi; }
scaled() { awk -v s="$SIZE" -v b="$2" -v v="$1" 'BEGIN { printf "%g", v * s / b }'; }
blank() { local s=$1; shift; "$here/art-scale.py" "$SIZE" "$s" -size "${SIZE}x${SIZE}" xc:none "$@"; }
# Writes an icon with one image per size of SIZES; `draw` is called with SIZE set
# and writes "$work/<name>_<SIZE>.png".
multi_icon() { # name output draw-function
  local name=$1 file=$2 draw=$3 pngs=()
  for SIZE in $SIZES; do
    "$draw" "$work/${name}_$SIZE.png"
    pngs+=("$work/${name}_$SIZE.png")
  done
  SIZE=16
  # shellcheck disable=SC2086
  icotool -c ${ICO_FLAGS:-} -o "$file" "${pngs[@]}"
}

# A rounded square with a vertical blue gradient: the program's tile.
tile_background() { # size radius stroke-width file
  local s=$1 r=$2 w=$3 f=$4 m=$(( $1 - 1 ))
  # the outline is drawn first and the rounded mask cut afterwards, so no stroke
  # pixels stand outside the corners
  convert -size "${s}x${s}" gradient:"$SKY-$NAVY" \
    -fill none -stroke "$EDGE" -strokewidth "$w" -draw "roundrectangle 0.5,0.5 $((m-1)).5,$((m-1)).5 $r,$r" \
    \( -size "${s}x${s}" xc:none -fill white -draw "roundrectangle 0,0 $m,$m $r,$r" \) \
    -compose DstIn -composite PNG32:"$f"
}

# --- icon 128: the program ------------------------------------------------------
# A rail carrying three coloured launch buttons on the program's tile.
app_draw() { # file
  local b; b=$(base_for_size)
  if [ "$b" = 32 ]; then
    tile_background "$SIZE" "$(scaled 6 32)" "$(scaled 1.5 32)" "$work/bg.png"
    "$here/art-scale.py" "$SIZE" 32 "$work/bg.png" +antialias \
      -fill "$RAIL" -stroke "$RAIL_EDGE" -draw "rectangle 3,10 28,21" \
      -stroke none \
      -fill "$GREEN"  -draw "rectangle 6,13 11,18" \
      -fill "$ORANGE" -draw "rectangle 13,13 18,18" \
      -fill "$RED"    -draw "rectangle 20,13 25,18" \
      -fill white -draw "rectangle 3,24 28,25" \
      PNG32:"$1"
  else
    tile_background "$SIZE" "$(scaled 3 16)" "$(scaled 1.5 16)" "$work/bg.png"
    "$here/art-scale.py" "$SIZE" 16 "$work/bg.png" +antialias \
      -fill "$RAIL" -stroke "$RAIL_EDGE" -draw "rectangle 1,4 14,11" \
      -stroke none \
      -fill "$GREEN"  -draw "rectangle 3,6 5,9" \
      -fill "$ORANGE" -draw "rectangle 7,6 9,9" \
      -fill "$RED"    -draw "rectangle 11,6 13,9" \
      -fill white -draw "rectangle 2,13 13,13" \
      PNG32:"$1"
  fi
}
app_icon() { ICO_FLAGS="-b 32" multi_icon app "$out/app.ico" app_draw; }

# --- icon 200: the bar (notification area) --------------------------------------
# The rail alone, without the tile, so it reads on any taskbar colour.
bar_draw() { # file
  if [ "$(base_for_size)" = 32 ]; then
    blank 32 +antialias \
      -fill "$NAVY" -draw "rectangle 1,8 30,23" \
      -fill "$RAIL" -draw "rectangle 3,10 28,21" \
      -fill "$GREEN"  -draw "rectangle 5,12 11,19" \
      -fill "$ORANGE" -draw "rectangle 13,12 19,19" \
      -fill "$RED"    -draw "rectangle 21,12 26,19" \
      PNG32:"$1"
  else
    blank 16 +antialias \
      -fill "$NAVY" -draw "rectangle 0,3 15,12" \
      -fill "$RAIL" -draw "rectangle 1,4 14,11" \
      -fill "$GREEN"  -draw "rectangle 2,5 4,10" \
      -fill "$ORANGE" -draw "rectangle 6,5 9,10" \
      -fill "$RED"    -draw "rectangle 11,5 13,10" \
      PNG32:"$1"
  fi
}
bar_icon() { multi_icon bar "$out/bar.ico" bar_draw; }

# --- icon 214: the bar-switch button ---------------------------------------------
# Two stacked rails and a drop-down arrow: "pick another bar".
switch_draw() { # file
  if [ "$(base_for_size)" = 32 ]; then
    blank 32 +antialias \
      -fill "$SKY"  -stroke "$EDGE" -draw "rectangle 6,3 28,10" \
      -fill "$RAIL" -stroke "$RAIL_EDGE" -draw "rectangle 2,8 24,17" \
      -stroke none \
      -fill "$GREEN"  -draw "rectangle 5,11 9,14" \
      -fill "$ORANGE" -draw "rectangle 11,11 15,14" \
      -fill "$RED"    -draw "rectangle 17,11 21,14" \
      -fill "$INK" -draw "polygon 8,21 24,21 16,29" \
      PNG32:"$1"
  else
    blank 16 +antialias \
      -fill "$SKY"  -stroke "$EDGE" -draw "rectangle 4,1 14,5" \
      -fill "$RAIL" -stroke "$RAIL_EDGE" -draw "rectangle 1,4 12,9" \
      -stroke none \
      -fill "$GREEN"  -draw "rectangle 3,6 4,7" \
      -fill "$ORANGE" -draw "rectangle 6,6 7,7" \
      -fill "$RED"    -draw "rectangle 9,6 10,7" \
      -fill "$INK" -draw "polygon 3,11 13,11 8,15" \
      PNG32:"$1"
  fi
}
barswitch_icon() { multi_icon switch "$out/barswitch.ico" switch_draw; }

# --- cursor 147: the pointing hand over links and the clock panel -----------------
# Hotspot at the tip of the index finger.
hand_cursor() {
  local SIZE=32
  blank 32 +antialias -fill white -stroke black -strokewidth 1 \
    -draw "polygon 9,1 11,1 12,2 12,9 13,8 15,8 16,9 17,9 18,10 19,10 20,11 21,11 22,12 22,21 20,24 20,26 9,26 9,24 4,17 4,15 5,14 6,14 8,16 8,2" \
    -stroke black -draw "line 14,9 14,15" -draw "line 17,10 17,15" -draw "line 20,11 20,15" \
    PNG32:"$work/hand32.png"
  icotool -c --cursor -X 10 -Y 1 -o "$out/hand.cur" "$work/hand32.png"
}

# --- menu icons (16 x 16) ---------------------------------------------------------
# A small screen with the bar drawn along one edge: the "Screen edge" family.
screen_glyph() { # file edge(top|bottom|left|right|none) [extra draw args...]
  local f=$1 edge=$2; shift 2
  local bar=""
  case $edge in
    top)    bar="rectangle 2,3 13,5" ;;
    bottom) bar="rectangle 2,9 13,11" ;;
    left)   bar="rectangle 2,3 4,11" ;;
    right)  bar="rectangle 11,3 13,11" ;;
  esac
  blank 16 +antialias \
    -fill "$PAPER" -stroke "$INK" -draw "rectangle 1,2 14,12" -stroke none \
    -fill "$INK" -draw "rectangle 6,13 9,13" -draw "rectangle 4,14 11,14" \
    ${bar:+-fill "$SKY" -draw "$bar"} "$@" PNG32:"$f"
}

menu_glyphs() { # every menu glyph at the current SIZE
  # 229 autohide: the bar slides up out of view.
  screen_glyph "$work/m229_$SIZE.png" top -fill "$RED" -draw "polygon 4,9 11,9 7.5,5.5" -draw "rectangle 6,9 9,11"
  # 230 screen edge: a screen with its top bar and a side arrow.
  screen_glyph "$work/m230_$SIZE.png" top -fill "$GREEN" -draw "rectangle 6,7 9,8" -draw "polygon 10,5.5 10,10 12.5,7.5"
  screen_glyph "$work/m244_$SIZE.png" top
  screen_glyph "$work/m245_$SIZE.png" bottom
  screen_glyph "$work/m252_$SIZE.png" left
  screen_glyph "$work/m247_$SIZE.png" right
  # 232 buttons manager: a tree of bars and buttons.
  blank 16 +antialias -fill "$GREY" -draw "rectangle 3,4 3,13" -draw "rectangle 3,8 6,8" -draw "rectangle 3,13 6,13" \
    -fill "$SKY" -stroke "$EDGE" -draw "rectangle 1,1 6,4" \
    -fill "$GREEN" -stroke "#1d6b33" -draw "rectangle 7,6 11,10" \
    -fill "$ORANGE" -stroke "#a8650a" -draw "rectangle 7,11 11,15" \
    -stroke none -fill "$INK" -draw "rectangle 8,2 14,2" \
    PNG32:"$work/m232_$SIZE.png"
  # 254 calendar: a page with a red header and a grid of days.
  blank 16 +antialias -fill "$PAPER" -stroke "$INK" -draw "rectangle 1,2 14,14" -stroke none \
    -fill "$RED" -draw "rectangle 2,3 13,5" -fill "$INK" -draw "rectangle 4,1 4,3" -draw "rectangle 11,1 11,3" \
    -fill "$GREY" -draw "rectangle 3,7 4,8" -draw "rectangle 7,7 8,8" -draw "rectangle 11,7 12,8" \
    -draw "rectangle 3,10 4,11" -draw "rectangle 11,10 12,11" -fill "$SKY" -draw "rectangle 7,10 8,11" \
    PNG32:"$work/m254_$SIZE.png"
  # 233 options: three sliders.
  blank 16 +antialias -fill "$GREY" -draw "rectangle 1,3 14,3" -draw "rectangle 1,8 14,8" -draw "rectangle 1,13 14,13" \
    -fill "$SKY" -stroke "$EDGE" -draw "rectangle 9,1 11,5" -fill "$GREEN" -stroke "#1d6b33" -draw "rectangle 3,6 5,10" \
    -fill "$ORANGE" -stroke "#a8650a" -draw "rectangle 7,11 9,15" PNG32:"$work/m233_$SIZE.png"
  # 253 help: a blue disc with a question mark.
  blank 16 -fill "$SKY" -stroke "$EDGE" -draw "circle 7.5,7.5 7.5,0.5" -stroke none \
    -fill white -font DejaVu-Sans-Bold -pointsize "$(scaled 12 16)" -gravity center -annotate +0+0 "?" PNG32:"$work/m253_$SIZE.png"
  # 258 help content: a closed book.
  blank 16 +antialias -fill "$NAVY" -draw "rectangle 3,1 13,13" -fill "$SKY" -draw "rectangle 5,1 13,12" \
    -fill "$PAPER" -draw "rectangle 4,13 13,14" -fill "$INK" -draw "rectangle 3,15 13,15" -draw "rectangle 3,1 3,15" \
    -fill white -draw "rectangle 7,4 11,4" -draw "rectangle 7,6 11,6" PNG32:"$work/m258_$SIZE.png"
  # 213 separator item of the buttons manager's tree: an etched line.
  blank 16 +antialias -fill "$GREY" -draw "rectangle 1,7 14,7" -fill white -draw "rectangle 1,8 14,8" \
    -fill "$GREY" -draw "rectangle 1,5 1,10" -draw "rectangle 14,5 14,10" PNG32:"$work/m213_$SIZE.png"
}

menu_icons() {
  for SIZE in $SIZES; do menu_glyphs; done
  SIZE=16
  local id size pngs
  for id in 213 229 230 232 233 244 245 247 252 253 254 258; do
    pngs=()
    for size in $SIZES; do pngs+=("$work/m${id}_$size.png"); done
    icotool -c -o "$out/menu$id.ico" "${pngs[@]}"
  done
}

# --- bitmaps 220, 226-228: the buttons manager's tool bar (eight 32 x 31 buttons) ---
# Light grey (0xC0C0C0) is the colour tool bars map to the button face. Bitmap
# 220 is the picture at 100 %; 226, 227 and 228 are the same drawing at 125,
# 150 and 200 % (pictures of 40 x 39, 48 x 47 and 64 x 62), in 256 colours.
manager_toolbar_at() { # percent output
  local pct=$1 file=$2 x i cmds=() type=TrueColor
  [ "$pct" = 100 ] || type=Palette
  SIZE=$(( 32 * pct / 100 ))
  local width=$(( 256 * pct / 100 )) height=$(( (31 * pct + 50) / 100 ))
  for i in 0 1 2 3 4 5 6 7; do
    x=$(( i * 32 ))
    case $i in
      0) cmds+=(-fill "$ORANGE" -stroke "#a8650a" -draw "rectangle $((x+6)),8 $((x+19)),21") ;;
      1) cmds+=(-fill "$RAIL" -stroke "$RAIL_EDGE" -draw "rectangle $((x+2)),9 $((x+23)),19"
                -stroke none -fill "$GREEN" -draw "rectangle $((x+5)),12 $((x+8)),16"
                -fill "$ORANGE" -draw "rectangle $((x+11)),12 $((x+14)),16"
                -fill "$RED" -draw "rectangle $((x+17)),12 $((x+20)),16") ;;
      2) cmds+=(-fill "#f2c94c" -stroke "#9a7a1c" -draw "polygon $((x+3)),8 $((x+11)),8 $((x+13)),10 $((x+24)),10 $((x+24)),22 $((x+3)),22") ;;
      3) cmds+=(-stroke none -fill "#808080" -draw "rectangle $((x+15)),4 $((x+15)),26"
                -fill white -draw "rectangle $((x+16)),4 $((x+16)),26") ;;
      4) cmds+=(-stroke "$RED" -strokewidth 3 -draw "line $((x+9)),8 $((x+22)),21" -draw "line $((x+22)),8 $((x+9)),21" -strokewidth 1) ;;
      5) cmds+=(-stroke none -fill "$SKY" -draw "rectangle $((x+13)),5 $((x+18)),15" -draw "polygon $((x+8)),15 $((x+23)),15 $((x+15)).5,24") ;;
      6) cmds+=(-stroke none -fill "$SKY" -draw "rectangle $((x+13)),15 $((x+18)),25" -draw "polygon $((x+8)),15 $((x+23)),15 $((x+15)).5,6") ;;
      7) cmds+=(-stroke "$EDGE" -fill "$SKY" -draw "circle $((x+15)).5,15 $((x+15)).5,6") ;;
    esac
    # the two adding buttons carry a green plus in the corner
    if [ "$i" -le 2 ]; then
      cmds+=(-stroke none -fill "$GREEN" -draw "rectangle $((x+24)),18 $((x+26)),28" -draw "rectangle $((x+20)),22 $((x+30)),24")
    fi
  done
  "$here/art-scale.py" "$SIZE" 32 -size "${width}x${height}" xc:'#c0c0c0' +antialias "${cmds[@]}" \
    -fill white -stroke none -font DejaVu-Sans-Bold -pointsize "$(scaled 13 32)" \
    -annotate "+$(scaled 235 32)+$(scaled 20 32)" "?" \
    -type "$type" BMP3:"$file"
  SIZE=16
}
manager_toolbar() {
  manager_toolbar_at 100 "$out/managertoolbar.bmp"
  manager_toolbar_at 125 "$out/managertoolbar125.bmp"
  manager_toolbar_at 150 "$out/managertoolbar150.bmp"
  manager_toolbar_at 200 "$out/managertoolbar200.bmp"
}

# The splash and the setup pictures.
# shellcheck source=make-art-pictures.sh
. "$here/make-art-pictures.sh"

app_icon
bar_icon
barswitch_icon
hand_cursor
menu_icons
manager_toolbar
splash
setup_side

if [ -n "$preview" ]; then
  mkdir -p "$preview"
  montage -background '#d4d0c8' -geometry 128x128+6+6 -filter point -tile 8x \
    "$work"/app_32.png "$work"/app_16.png "$work"/bar_32.png "$work"/bar_16.png \
    "$work"/switch_32.png "$work"/switch_16.png "$work"/hand32.png "$work"/m*_16.png "$preview/icons.png"
  convert "$out/splash.bmp" "$preview/splash.png"
  convert "$out/setupside.bmp" "$preview/setupside.png"
  convert "$out/managertoolbar.bmp" -filter point -resize 300% "$preview/toolbar.png"
  echo "make-art: previews in $preview"
fi
