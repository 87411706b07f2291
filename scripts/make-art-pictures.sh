# The wide pictures drawn by make-art.sh: the splash and the setup wizard's
# side picture. Sourced by make-art.sh, which sets the colours and $out.
# shellcheck shell=bash

# --- bitmap 217: the splash picture -----------------------------------------------
splash() {
  convert -size 400x250 gradient:"#2a5db8-#0f2554" \
    -fill '#ffffff14' -stroke none -draw "polygon 0,250 400,120 400,250" \
    -fill "$NAVY" -stroke '#0b1d45' -draw "roundrectangle 40,58 168,110 6,6" \
    -fill "$RAIL" -stroke "$RAIL_EDGE" -draw "roundrectangle 46,64 162,104 4,4" -stroke none \
    -fill "$GREEN"  -draw "roundrectangle 56,72 82,96 3,3" \
    -fill "$ORANGE" -draw "roundrectangle 91,72 117,96 3,3" \
    -fill "$RED"    -draw "roundrectangle 126,72 152,96 3,3" \
    -fill white -font DejaVu-Sans-Bold -pointsize 30 -annotate +40+160 "Orvantis.Quickrail" \
    -fill '#ffffff60' -draw "rectangle 40,172 360,173" \
    -fill '#d6e2f7' -font DejaVu-Sans -pointsize 15 -annotate +40+198 "Orvantis Software" \
    -fill '#9fb4da' -font DejaVu-Sans -pointsize 11 -annotate +40+228 "Your programs, folders and web pages one click away" \
    -fill none -stroke '#0b1d45' -draw "rectangle 0,0 399,249" \
    -type TrueColor BMP3:"$out/splash.bmp"
}

# --- the setup wizard's welcome and finish pages (164 x 314) -------------------------
setup_side() {
  convert -size 164x314 gradient:"#2a5db8-#0f2554" \
    -fill '#ffffff14' -stroke none -draw "polygon 0,314 164,190 164,314" \
    -fill "$NAVY" -stroke '#0b1d45' -draw "roundrectangle 22,40 142,90 6,6" \
    -fill "$RAIL" -stroke "$RAIL_EDGE" -draw "roundrectangle 28,46 136,84 4,4" -stroke none \
    -fill "$GREEN"  -draw "roundrectangle 36,53 60,77 3,3" \
    -fill "$ORANGE" -draw "roundrectangle 70,53 94,77 3,3" \
    -fill "$RED"    -draw "roundrectangle 104,53 128,77 3,3" \
    -fill white -font DejaVu-Sans-Bold -pointsize 17 -gravity north -annotate +0+118 "Orvantis" \
    -annotate +0+140 "Quickrail" \
    -fill '#d6e2f7' -font DejaVu-Sans -pointsize 11 -annotate +0+282 "Orvantis Software" \
    -type TrueColor BMP3:"$out/setupside.bmp"
}
