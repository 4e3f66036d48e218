#!/usr/bin/env bash
# Without the layout's face ("宋体" not installed and not substituted) the real exe must still draw its
# texts, in the system's message font. The test takes the prefix's substitutes away for one run of
# the exe, looks for the dark pixels of the index page's option text, and puts the substitutes back.
#   font_fallback.sh EXE SCREENSHOT-DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
. "$LDW_WINE_SESSION"
export WINEPREFIX DISPLAY
exe=$1 shots=$2
title="Label Printer Driver Wizard"
substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
mkdir -p "$shots"

restore() {
  [ -n "${program:-}" ] && kill "$program" 2>/dev/null || true
  for face in "宋体" SimSun "新宋体" NSimSun; do
    wine_reg_add "$substitutes" "$face" REG_SZ "WenQuanYi Zen Hei"
  done
}
trap restore EXIT
for face in "宋体" SimSun "新宋体" NSimSun; do
  wine reg delete "$substitutes" /v "$face" /f >/dev/null 2>&1 || true
done

start_with_window "$exe" "$title"
sleep 1.5
shot=$shots/font_fallback.png
import -window "$wid" "$shot"
# The option text "option_install" right of its radio image: 230..470 x 209..225, text from x 252.
dark=$(convert "$shot" -crop 218x16+252+209 +repage -colorspace gray -threshold 45% -negate -format "%[fx:mean*w*h]" info:)
echo "dark pixels in the option text: $dark"
awk -v d="$dark" 'BEGIN { exit !(d >= 30) }' || { echo "FAIL: no text drawn without the layout's face" >&2; exit 1; }
