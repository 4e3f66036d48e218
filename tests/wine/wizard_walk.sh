#!/usr/bin/env bash
# The real exe driven as a user drives it: xdotool clicks on the window and types into its edits on
# the test session's display, a picture of every page goes to the screenshots folder, and the
# probe reports what lives in native windows (edits, message boxes, popups).
#   wizard_walk.sh EXE PROBE SCREENSHOT-DIR KIND
# KIND is one of lpt, com, custom, network, usb, bluetooth.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$1 probe=$2 shots=$3 kind=$4
. "$here/walk-common.sh"
open_wizard

# Points of the 700 x 500 layout (client pixels).
declare -A at=(
  [next]="473 477" [back]="331 477" [install]="300 217"
  [usb]="100 92" [network]="100 123" [bluetooth]="100 154" [lpt]="100 185" [com]="100 216" [custom]="100 247"
  [port_row2]="300 155" [port_add]="387 427" [port_delete]="497 427"
  [lan_ip]="350 102" [lan_port]="350 150" [printer_name]="350 136"
  [popup_row3]="450 251" [popup_cancel]="450 371"
)

shot index
click next
shot kind
refuse_probe '^edit '
click "$kind" 2>/dev/null || true

case $kind in
  lpt | com | custom)
    click next
    shot models
    click next
    shot ports
    if [ "$kind" = com ]; then
      # The delete question, answered Cancel: the port stays.
      click port_delete
      expect_probe '^boxtext .*COM1:'
      screen_shot delete_question
      xdotool key Escape
      sleep 0.6
      refuse_probe '^box'
      # The add-port popup lists its monitors and closes with Cancel.
      click port_add
      expect_probe '^window PopAddPort'
      click popup_row3
      screen_shot add_port_popup
      click popup_cancel
      refuse_probe '^window PopAddPort'
      expect_probe '^enabled 1'
    fi
    click next
    expect_probe '^edit LABEL$'
    shot name
    click next
    refuse_probe '^edit '
    shot summary
    ;;
  network)
    click next
    click next
    expect_probe '^edit 192\.168\.1\.100$'
    type_into lan_ip "192.168.1"
    click next
    shot refused_address
    red_line_shows 212 182 680 206 || fail "no red line for 192.168.1"
    expect_probe '^edit 192\.168\.1$'
    type_into lan_ip "192.168.1.50"
    click next
    expect_probe '^edit LABEL$'
    shot name
    click next
    shot summary
    ;;
  usb)
    click next
    shot search
    sleep 3
    shot empty_list
    refuse_probe '^edit '
    ;;
  bluetooth)
    shot adapter_line
    click next
    expect_probe '^box '
    screen_shot adapter_box
    xdotool key Return
    sleep 0.6
    refuse_probe '^box'
    ;;
  *)
    fail "unknown kind"
    ;;
esac
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
echo "walked the $kind kind"
