#!/usr/bin/env bash
# The real exe driven as a user drives it: xdotool clicks on the window and types into its edits on
# the test session's display, a picture of every page goes to the screenshots folder, and the
# probe reports what lives in native windows (edits, message boxes, popups).
#   wizard_walk.sh EXE PROBE SCREENSHOT-DIR KIND [LANGUAGE]
# KIND is one of lpt, com, custom, network, usb, bluetooth; LANGUAGE (en, es, th, ...; English when
# not given) is chosen in the language popup first, and the shown texts are read back in it.
# lpt, com and network go on past the summary and install: lpt by the legacy route (the prefix
# reports Windows 7), which refuses this test build's Unidrv stand-ins, com by the INF route
# (Windows 8, with the certutil and rundll32 stand-ins of LDW_DOUBLES_DIR in the prefix), network up
# to the port Wine cannot make. LDW_SPOOLER_STATE reads the spooler back, drivers of the system's
# own set ("Windows x64" on these prefixes); everything is put back as it was afterwards.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$1 probe=$2 shots=$3 kind=$4 lang=${5:-en}
. "$here/walk-common.sh"

spooler() { "$LDW_WINE" "$LDW_SPOOLER_STATE" "$@" | tr -d '\r'; }
shell_log=$WINEPREFIX/drive_c/ldw_walk_shell.txt
set_version() { wine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1; }
put_back() {
  case $kind in
    lpt | com)
      spooler uninstall LABEL || true
      wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1 || true
      ;;
  esac
  if [ "$kind" = com ]; then
    put_back_tool_doubles
    rm -f "$shell_log"
  fi
}
case $kind in
  lpt) set_version win7 ;;
  com)
    set_version win8
    use_tool_doubles
    rm -f "$shell_log"
    export LDW_SHELL_LOG='C:\ldw_walk_shell.txt'
    ;;
esac

# Puts back what this walk changed as well (walk-common's trap, extended).
trap 'kill ${program:-} 2>/dev/null || true; put_back; xdotool mousemove 1279 1023 || true' EXIT
open_wizard
switch_language

# Points of the 700 x 500 layout (client pixels).
declare -A at=(
  [next]="473 477" [back]="331 477" [install]="300 217"
  [usb]="100 92" [network]="100 123" [bluetooth]="100 154" [lpt]="100 185" [com]="100 216" [custom]="100 247"
  [port_row2]="300 155" [port_add]="387 427" [port_delete]="497 427"
  [lan_ip]="350 102" [lan_port]="350 150" [printer_name]="350 136"
  [popup_row3]="450 251" [popup_cancel]="450 371"
)

# The name page refuses a name with a comma in the user's language, then takes the proposal back.
refuse_name() {
  type_into printer_name "a,b"
  click next
  expect_shown_text "$(text tip.printername.refused a,b)"
  shot name_refused
  type_into printer_name "LABEL"
  expect_probe '^edit LABEL$'
}
# Page 9 after the run: the heading says how it went.
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
    refuse_name
    click next
    refuse_probe '^edit '
    shot summary
    [ "$kind" = custom ] && { kill "$program"; exit 0; }  # the custom kind stops at the summary
    click next
    if [ "$kind" = lpt ]; then
      # The legacy route would copy this test build's Unidrv stand-ins over the system's: refused
      # with its red line, before a file or a driver reaches the spooler.
      sleep 3
      shot refused_test_build
      refusal=$(text tip.testbuildlegacy)
      for _ in $(seq 10); do probe | grep -Fq -- "$refusal" && break; sleep 0.5; done
      probe | grep -Fq -- "$refusal" || fail "no refusal line for the test build: $refusal"
      spooler state | grep -q "LABEL" && fail "the refused legacy route left: $(spooler state)"
      kill "$program"
      exit 0
    fi
    # The INF route: Wine's spooler keeps no driver version and no INF path (see the README), so
    # the driver printui's stand-in added cannot be told from an older LABEL and the run ends at
    # the driver step with that line, without a printer.
    for _ in $(seq 40); do spooler state | grep -qx "driver LABEL" && break; sleep 0.5; done
    # The finish row (Home and Close) and the heading say the run has ended.
    for _ in $(seq 40); do drawn_in 20 460 680 495 && break; sleep 0.5; done
    shot installed
    drawn_in 20 460 680 495 || fail "no finish row"
    expect_shown_text "$(text tab.install.title.installfailed)"
    spooler state | grep -qx "driver LABEL" || fail "no driver LABEL in the system's own set: $(spooler state)"
    expect_probe "^richedit .*is not this package's"
    spooler state | grep -q "^printer LABEL" && fail "a printer without a confirmed driver: $(spooler state)"
    log=$(iconv -f UTF-16LE -t UTF-8 "$shell_log" | tr -d '\r')
    echo "$log"
    # Each tool by its absolute path; the test build's certificate into both stores; printui for the
    # x64 family, which these 64-bit prefixes are.
    tool='"?C:\\windows\\(system32|Sysnative)\\'
    for store in Root TrustedPublisher; do
      echo "$log" | grep -Eiq "^certutil\|$tool"'certutil\.exe"? +-addstore "'"$store"'" "C:\\Program Files[^"]*\\PrinterDriver\\Calvane\\qmvt\.cer"$' ||
        fail "certutil was not started for $store as expected"
    done
    echo "$log" | grep -Eiq "^rundll32\|$tool"'rundll32\.exe"? +printui\.dll, PrintUIEntry /ia /m "LABEL" /f "C:\\Program Files[^"]*\\PrinterDriver\\Calvane\\Driver64\\Ombrevia\.INF"$' ||
      fail "printui was not started as expected"
    ;;
  network)
    click next
    click next
    expect_probe '^edit 192\.168\.1\.100$'
    type_into lan_ip "192.168.1"
    click next
    expect_shown_text "$(text tip.lan.ipinvalid)"
    shot refused_address
    red_line_shows 212 182 680 206 || fail "no red line for 192.168.1"
    expect_probe '^edit 192\.168\.1$'
    # Typed by keys, each is refused and the page stays: the edit still holds what was typed (the
    # edit takes 15 characters, so the last one is cut to 010.000.000.000, still refused).
    for address in "10.0.0.7abc" " +10.0.0.7" "10.0.0.7." "010.000.000.0007" "1.2.3.4 ;x"; do
      type_into lan_ip "$address"
      click next
      kept=
      for _ in $(seq 10); do probe | grep -qxF "edit ${address:0:15}" && kept=1 && break; sleep 0.5; done
      [ -n "$kept" ] || fail "the address '$address' was not refused on the network page"
    done
    shot refused_addresses
    type_into lan_ip "192.168.1.50"
    click next
    expect_probe '^edit LABEL$'
    shot name
    refuse_name
    click next
    shot summary
    # Wine has no Standard TCP/IP monitor: the run ends at the port with its red line.
    click next
    sleep 2
    shot port_failed
    spooler state | grep -q "^printer LABEL" && fail "a printer without its port: $(spooler state)"
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
echo "walked the $kind kind in $lang"
