#!/usr/bin/env bash
# The removal branch of the real exe, driven with xdotool: a printer on the LABEL driver is put on
# Wine's spooler (directly, as the spooler would after an install), then the user marks it and the
# driver, reads the summary, starts the removal and reads the log; Home and a second visit find
# nothing marked. Afterwards the spooler is as before, apart from what Wine cannot delete.
#   removal_walk.sh EXE PROBE SPOOLER-TOOL SCREENSHOT-DIR [LANGUAGE]
# With a LANGUAGE (en when not given) the walk chooses it in the language popup first and reads
# every line in it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$1 probe=$2 tool=$3 shots=$4 kind=removal lang=${5:-en}
. "$here/walk-common.sh"

state() { "$LDW_WINE" "$tool" state | tr -d '\r'; }
# The lines of the visible rich edit, without the log's time stamps.
shown_lines() { probe | sed -n 's/^richedit \([0-9:.]* : \)\{0,1\}//p'; }
expect_lines() {  # the lines, one an argument
  local want
  want=$(printf '%s\n' "$@")
  for _ in $(seq 20); do [ "$(shown_lines)" = "$want" ] && return 0; sleep 0.5; done
  echo "shown:" >&2
  shown_lines >&2
  fail "expected the lines: $*"
}

before=$(state)
if grep -q '^driver LABEL$' <<<"$before"; then fail "a LABEL driver is left over from an earlier run"; fi
# Whatever happens, the session's later tests find the spooler as it was.
trap 'kill ${program:-} 2>/dev/null || true; xdotool mousemove 1279 1023 || true
      "$LDW_WINE" "$tool" uninstall "Shop label" || true' EXIT
"$LDW_WINE" "$tool" install "Shop label" "LPT1:" || fail "could not put the printer on the spooler"
grep -q '^printer Shop label on LABEL at LPT1:$' <<<"$(state)" || fail "the printer is not listed"

open_wizard
switch_language
declare -A at=(
  [next]="473 477" [back]="331 477" [home]="80 477" [delete]="300 267" [row1]="300 127"
)

click delete
click next
shot printers
click row1
shot printer_marked
click next
shot drivers
click row1
click next
shot summary
expect_lines "$(text gb.title.printer):" "     Shop label" "$(text gb.title.driver):" "     LABEL"

click next
sleep 2
shot log
# Wine's DeletePrinterDriverExW takes delete flags 0 only and answers 87 (invalid parameter) to
# DPD_DELETE_UNUSED_FILES | DPD_DELETE_SPECIFIC_VERSION, so the driver stays and is reported with
# its two red lines. The package step follows only a deleted driver, so Wine's missing
# DeletePrinterDriverPackageW is never reached here.
for _ in $(seq 20); do [ "$(shown_lines | wc -l)" -ge 5 ] && break; sleep 0.5; done
reason_prefix=$(text tip.failreason)
reason=$(shown_lines | sed -n "s/^${reason_prefix//\//\\/}//p")
expect_lines "$(text tip.startdeleteprinter "Shop label")" "$(text tip.deletesuccess "Shop label")" \
  "$(text tip.startdeletedriver LABEL)" "$(text tip.deletefail LABEL)" "$(text tip.failreason "$reason")"
[ -n "$reason" ] || fail "no system text for error 87"
expect_shown_text "$(text tab.delete.title.deletefailed)"
# Lines are 18 pixels high from the log's top at 84 (in English; other languages' lines may wrap).
if [ "$lang" = en ]; then
  red_line_shows 22 138 422 166 || fail "the failure lines are not red"
  ! red_line_shows 22 84 422 134 || fail "the lines before the failure are red"
fi

# Home, and a second visit: the printer is gone, the driver is listed unmarked, the summary is empty.
click home
shot home
click next
shot printers_again
click next
shot drivers_again
click next
shot summary_again
expect_lines "$(text gb.title.printer):" "$(text gb.title.driver):"

kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true

after=$(state | LC_ALL=C sort)
expected=$(printf '%s\ndriver LABEL\n' "$before" | LC_ALL=C sort)
if [ "$after" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$after") >&2 || true
  fail "the spooler differs from before by more than the driver Wine cannot delete"
fi
"$LDW_WINE" "$tool" uninstall "Shop label" || fail "the driver does not go even with delete flags 0"
[ "$(state)" = "$before" ] || fail "the spooler is not as before"
echo "removed through the wizard; Wine kept only the driver, as it refuses the delete flags"
