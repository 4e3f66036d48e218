#!/usr/bin/env bash
# The real exe started with arguments, as a deployment script starts it: no clicks, the exit code,
# the lines on its output and in its log file, and Wine's spooler read back.
#   command_line.sh EXE SPOOLER-STATE
# On Windows 7 the install takes the legacy route, which refuses this test build's Unidrv stand-ins
# ("driver not installed", 5). On Windows 8 it takes the INF route with the certutil and rundll32
# stand-ins of LDW_DOUBLES_DIR; Wine's spooler keeps no driver version or INF path, so the driver
# cannot be confirmed as the package's and the run ends with 5 too (see the README). The listing
# and the removal then run on a printer put on the spooler directly; Wine takes only delete flags 0
# for drivers, so the removal ends with "removal with failures" (7). Names are matched as the
# spooler matches them, without regard to case. A /log: behind a link is refused with 10, a second
# start while the wizard runs with 1618. Everything is put back afterwards.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"
. "$LDW_WINE_SESSION"
export WINEPREFIX DISPLAY
exe=$1 probe=$2
log=$WINEPREFIX/drive_c/ldw_command.log
out=$(mktemp)
linked=$(mktemp -d) link=$WINEPREFIX/drive_c/ldw_logs

spooler() { "$LDW_WINE" "$probe" "$@" | tr -d '\r'; }
shell_log=$WINEPREFIX/drive_c/ldw_command_shell.txt
put_back() {
  if [ -n "${program:-}" ]; then kill "$program" 2>/dev/null || true; fi
  spooler uninstall "Shop label" || true
  wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1 || true
  put_back_tool_doubles
  rm -f "$log" "$out" "$shell_log" "$link"
  rm -rf "$linked"
}
trap put_back EXIT
fail() {
  echo "FAIL: $*" >&2
  cat "$out" >&2
  exit 1
}
run() {  # expected exit code, arguments...
  local expected=$1 status=0
  shift
  "$LDW_WINE" "$exe" "$@" >"$out" 2>/dev/null || status=$?
  tr -d '\r' <"$out" >"$out.txt" && mv "$out.txt" "$out"
  [ "$status" -eq "$expected" ] || fail "exit code $status, expected $expected, for: $*"
}
stamped() { tr -d '\r' <"$1" | grep -Eq "^[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3} : $2\$" || fail "no line '$2' in $1"; }

wine reg add 'HKCU\Software\Wine' /v Version /d win7 /f >/dev/null 2>&1
before=$(spooler state)

# Refused before anything is done: a bad switch, a name with a comma.
run 2 /install /kind:lpt /port:LPT1: /colour:red /quiet
grep -q "/colour" "$out" || fail "the refusal does not name the switch"
run 3 /install /kind:lpt /port:LPT1: "/name:Shop, front" /quiet
[ "$(spooler state)" = "$before" ] || fail "a refused command line changed the spooler"

# A /log: behind a link (its folder made as one beforehand, as the README's C:\logs could be) is
# refused with 10, and nothing appears where the link leads. Wine marks only links to folders as
# reparse points, so a link at the file itself is left to the host tier's cases.
ln -sfn "$linked" "$link"
run 10 /remove "/printer:Shop label" /quiet '/log:C:\ldw_logs\label.log'
grep -q 'ldw_logs' "$out" || fail "the refusal does not name the link"
[ -z "$(ls -A "$linked")" ] || fail "the log was written through the link"
[ "$(spooler state)" = "$before" ] || fail "a refused log changed the spooler"
# A switch given twice is refused before anything is done.
run 2 /install /kind:lpt /port:LPT1: /port:LPT2: /quiet
grep -q "/port" "$out" || fail "the refusal does not name the switch given twice"

# The legacy route: refused for the test build before anything reaches the spooler.
run 5 /install /kind:lpt /port:LPT1: "/name:Shop label" /quiet
stamped "$out" "TEST BUILD: .*"
[ "$(spooler state)" = "$before" ] || fail "the refused legacy route changed the spooler"

# The INF route: both certificate stores, then printui told that no one answers its messages.
wine reg add 'HKCU\Software\Wine' /v Version /d win8 /f >/dev/null 2>&1
use_tool_doubles
export LDW_SHELL_LOG='C:\ldw_command_shell.txt'
run 5 /install /kind:lpt /port:lpt1: "/name:Shop label" /default /testpage /quiet '/log:C:\ldw_command.log'
for file in "$out" "$log"; do
  stamped "$file" "Copying driver files\.\.\."
  stamped "$file" "Driver certificate added to the certificate store Root"
  stamped "$file" "Driver certificate added to the certificate store TrustedPublisher"
  stamped "$file" "Driver installation failed: the LABEL driver on the system is not this package's .*"
done
iconv -f UTF-16LE -t UTF-8 "$shell_log" | tr -d '\r' | grep -Eq '^rundll32\|.* printui\.dll, PrintUIEntry /ia /m "LABEL" /f "[^"]*\\Driver64\\Ombrevia\.INF" /q$' ||
  fail "printui /ia was not started quietly: $(iconv -f UTF-16LE -t UTF-8 "$shell_log")"
spooler state | grep -q "^printer Shop label" && fail "a printer without a confirmed driver"
spooler install "Shop label" LPT1: || fail "could not put the printer on the spooler"

run 0 /list
grep -qx "printer	Shop label	LABEL" "$out" || fail "/list does not show the printer"
grep -qx "driver	LABEL" "$out" || fail "/list does not show the driver"

# The driver in lower case: it is LABEL, and the printer on it goes along; a name that is not
# installed is a red line of its own.
run 7 /remove /driver:label /driver:NOPE /quiet
stamped "$out" "Not installed: NOPE"
stamped "$out" "Delete: Shop label successfully"
stamped "$out" "Delete: LABEL failed"
spooler state | grep -q "^printer Shop label " && fail "the removal left the printer"

# One run at a time: with the wizard open, a second start says so and ends with 1618.
start_with_window "$exe" "Label Printer Driver Wizard" || fail "the wizard did not show"
run $((1618 % 256)) /list  # 1618; the shell reads the low eight bits
grep -q "running already" "$out" || fail "the second start does not say why it ends"
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
program=
echo "command line: refusals 2, 3 and 10, legacy route of a test build 5, INF route 5 as Wine answers, list 0, removal 7, second start 1618"
