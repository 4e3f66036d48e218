#!/usr/bin/env bash
# Where the shipped 32-bit exe, a WOW64 process on 64-bit Windows, puts the driver: printui of the
# system's own (64-bit) family, through Sysnative, with the package's x64 INF, so that the spooler
# gets LABEL as "Windows x64" with its files in the x64 driver folder and nothing in the x86 set (a
# printer on an x86 driver cannot be used there).
#   driver_environment.sh EXE SPOOLER-STATE
# The prefix reports Windows 8, so the install takes the INF route with the certutil and rundll32
# stand-ins of LDW_DOUBLES_DIR (64-bit, as the system's own tools are). Wine's spooler keeps no
# driver version, so the run itself ends at the driver check with 5 (tests/wine/README).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../wine/wine-common.sh"
. "$LDW_WINE_SESSION"
export WINEPREFIX DISPLAY
exe=$1 tool=$2
out=$(mktemp)
shell_log=$WINEPREFIX/drive_c/ldw_environment_shell.txt
spooler() { "$LDW_WINE" "$tool" "$@" | tr -d '\r'; }
put_back() {
  spooler uninstall "Env check" || true
  wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1 || true
  put_back_tool_doubles
  rm -f "$out" "$shell_log"
}
trap put_back EXIT
fail() { echo "FAIL: $*" >&2; cat "$out" >&2; exit 1; }

wine reg add 'HKCU\Software\Wine' /v Version /d win8 /f >/dev/null 2>&1
use_tool_doubles
export LDW_SHELL_LOG='C:\ldw_environment_shell.txt'
status=0
"$LDW_WINE" "$exe" /install /kind:lpt /port:LPT1: "/name:Env check" /quiet >"$out" 2>/dev/null || status=$?
echo "exit code $status"
tools=$(iconv -f UTF-16LE -t UTF-8 "$shell_log" | tr -d '\r')
echo "$tools"
echo "$tools" | grep -Eiq '^rundll32\|"?C:\\windows\\Sysnative\\rundll32\.exe"? +printui\.dll, PrintUIEntry /ia /m "LABEL" /f "[^"]*\\Driver64\\Ombrevia\.INF" /q$' ||
  fail "printui was not started through Sysnative with the x64 INF"
drivers=$(spooler drivers)
grep '^driver LABEL|' <<<"$drivers" || true
grep -q '^driver LABEL|Windows NT x86|' <<<"$drivers" && fail "LABEL is registered in the x86 set"
grep -Eiq '^driver LABEL\|Windows x64\|.*\\spool\\drivers\\x64\\3\\[^\\]+$' <<<"$drivers" ||
  fail "LABEL is not registered as Windows x64 with files in the x64 driver folder"
echo "LABEL is a Windows x64 driver in the x64 folder, installed by the system's own printui"
