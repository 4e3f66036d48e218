#!/usr/bin/env bash
# The real exe driven by the keyboard alone: xdotool keys, never a click, from the index page
# through an LPT install (the legacy route, which the prefix's Windows 7 takes, refuses this test
# build's Unidrv stand-ins, so the run ends at the driver step with Home and Close) to the finish row, then
# into the About and language popups and out of them with Escape. A
# picture of every step goes to the screenshots folder (walk_keyboard_<step>.png, the focus ring
# on the focused control), the probe tells where the native focus is, LDW_ACCESSIBLE_PROBE what a
# screen reader in another process is told, and the spooler is read back and put back afterwards.
#   keyboard_walk.sh EXE PROBE SCREENSHOT-DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$1 probe=$2 shots=$3 kind=keyboard
. "$here/walk-common.sh"

spooler() { "$LDW_WINE" "$LDW_SPOOLER_STATE" "$@" | tr -d '\r'; }
version() { wine reg "$@" >/dev/null 2>&1 || true; }
trap 'kill ${program:-} 2>/dev/null || true; spooler uninstall LABEL || true
      version delete "HKCU\\Software\\Wine" /v Version /f; xdotool mousemove 1279 1023 || true' EXIT
version add 'HKCU\Software\Wine' /v Version /d win7 /f

# The pointer stays in the far corner, away from the window: nothing here is hot by the mouse.
xdotool mousemove 1279 1023
open_wizard
xdotool windowfocus --sync "$wid"
sleep 0.5
press() {  # keys, one after another
  xdotool key --delay 150 "$@"
  sleep 1
}
focus_is() { expect_probe "^focus $1\$"; }
heard() { "$LDW_WINE" "$LDW_ACCESSIBLE_PROBE" | tr -d '\r'; }
expect_heard() {  # extended regex
  for _ in $(seq 10); do heard | grep -Eq "$1" && return 0; sleep 0.5; done
  heard >&2 || true
  fail "a screen reader was not told '$1'"
}

shot index  # no ring yet: nothing was pressed
focus_is MainWnd
expect_heard '^child Install printer driver\|radio button\|checked $'
expect_heard '^child Next\|push button\|$'
expect_heard '^child Close\|push button\|$'
press Return  # Next: the kind page, the focus on its selected option
shot kind
expect_heard '^focus USB\|radio button\|focused checked $'
press Down Down Down  # USB, network, Bluetooth, LPT
shot kind_lpt
expect_heard '^focus LPT\|radio button\|focused checked $'
expect_heard '^child USB\|radio button\|$'
press Return
shot models
press Return
shot ports
press Down Up  # LPT2: and back to LPT1:, each chosen as a click chooses it
press Return  # the name page: the focus in the printer-name edit
expect_probe '^edit LABEL$'
focus_is Edit
expect_heard '^native Printer name:\|(editable )?text\|focused $'  # Wine's role text is "text"
shot name
press Tab  # out of the native edit onto the default-printer option, drawn by the window
focus_is MainWnd
shot name_option
press shift+Tab
focus_is Edit
press Return  # Enter in the edit is Next
refuse_probe '^edit '
shot summary
press Return  # the summary's focus is Next itself
for _ in $(seq 20); do drawn_in 20 460 680 495 && break; sleep 0.5; done
drawn_in 20 460 680 495 || fail "no finish row"
expect_probe '^richedit .*TEST BUILD'
spooler state | grep -q "LABEL" && fail "the refused legacy route left: $(spooler state)"
shot installed
press Tab  # from the log to Home on the finish row
shot finish_home
press Return  # Home
shot home
press shift+Tab  # back round to the last stop: the close button on the caption bar
shot caption_close
# The popups by keys: About opens on Enter and closes on Escape; in the language popup the arrows
# choose another language at once, as clicks do.
press shift+Tab shift+Tab  # minimise, About
press Return
expect_probe '^window PopAbout$'
screen_shot about_popup
press Escape
refuse_probe '^window PopAbout$'
press shift+Tab  # Language
press Return
expect_probe '^window PopAbout$'  # both popups are of that class
press Tab Down  # the selected language, then the next one: Spanish
screen_shot language_popup
press Escape
refuse_probe '^window PopAbout$'
[ "$(xdotool getwindowname "$wid")" != "$title" ] || fail "the language did not change"
screen_shot spanish
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
echo "walked the wizard by keys"
