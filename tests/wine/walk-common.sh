# Shared by the walks of the real exe: xdotool clicks at points of the caller's table "at" (client
# pixels of the 700 x 500 layout), pictures of the window and the probe's report of what lives in
# native windows. The caller sets here, exe, probe, shots and kind before sourcing this.
. "$here/wine-common.sh"
. "$LDW_WINE_SESSION"
export WINEPREFIX DISPLAY
title="Label Printer Driver Wizard"
mkdir -p "$shots"

fail() {
  echo "FAIL ($kind): $*" >&2
  "$here/screenshot" "$DISPLAY" "$shots/walk_${kind}_failed.png" >/dev/null 2>&1 || true
  "$LDW_WINE" "$probe" >&2 || true
  exit 1
}

# The pointer is left in a corner: later tests' windows must not see a mouse entry they did not make.
trap 'kill ${program:-} 2>/dev/null || true; xdotool mousemove 1279 1023 || true' EXIT
# Starts the exe and reads where its window is: X and Y, for the points of the caller's table "at".
open_wizard() {
  start_with_window "$exe" "$title" || fail "the main window did not show"
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$wid")"  # X Y WIDTH HEIGHT
}
click() {
  # shellcheck disable=SC2086
  set -- ${at[$1]}
  xdotool mousemove "$((X + $1))" "$((Y + $2))" click 1
  sleep 1
}
type_into() {  # point text
  click "$1"
  xdotool key ctrl+a BackSpace
  xdotool type --delay 40 "$2"
  sleep 0.4
}
shot() { "$here/screenshot" "$DISPLAY" "$shots/walk_${kind}_$1.png" "$title" >/dev/null; }
screen_shot() { "$here/screenshot" "$DISPLAY" "$shots/walk_${kind}_$1.png" >/dev/null; }
probe() { "$LDW_WINE" "$probe" | tr -d '\r'; }
# Windows take a moment to come and go under Wine: each check gives them a few seconds.
expect_probe() {  # extended regex
  for _ in $(seq 10); do probe | grep -Eq "$1" && return 0; sleep 0.5; done
  fail "expected '$1'"
}
refuse_probe() {
  for _ in $(seq 10); do probe | grep -Eq "$1" || return 0; sleep 0.5; done
  fail "did not expect '$1'"
}
# Whether the red result line of a page shows: pure red pixels in its box.
red_line_shows() {  # left top right bottom
  local crop=$shots/.crop.png
  import -window "$wid" -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" +repage "$crop"
  local share
  share=$(convert "$crop" -fuzz 20% -fill black -opaque "#ff0000" -fill white +opaque black -format "%[fx:mean]" info:)
  awk -v s="$share" 'BEGIN { exit !(s < 0.995) }'
}
# Whether something is drawn in a box that is white while empty (a button row, say).
drawn_in() {  # left top right bottom
  local crop=$shots/.crop.png
  import -window "$wid" -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" +repage "$crop"
  awk -v m="$(convert "$crop" -colorspace Gray -format "%[fx:mean]" info:)" 'BEGIN { exit !(m < 0.9) }'
}
