#!/usr/bin/env bash
# Where the shipped 32-bit exe, a WOW64 process on 64-bit Windows, puts the driver: the spooler of a
# 64-bit system must get it as "Windows x64" with its files in the x64 driver folder, never in the
# x86 set (a printer on an x86 driver cannot be used there).
#   driver_environment.sh EXE SPOOLER-STATE
# The prefix reports Windows 7, so the install takes the legacy route, which names the environment
# and the driver folder itself. Everything is put back afterwards.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../wine/wine-common.sh"
. "$LDW_WINE_SESSION"
export WINEPREFIX DISPLAY
exe=$1 tool=$2
out=$(mktemp)
spooler() { "$LDW_WINE" "$tool" "$@" | tr -d '\r'; }
put_back() {
  spooler uninstall "Env check" || true
  wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1 || true
  rm -f "$out"
}
trap put_back EXIT
fail() { echo "FAIL: $*" >&2; cat "$out" >&2; exit 1; }

wine reg add 'HKCU\Software\Wine' /v Version /d win7 /f >/dev/null 2>&1
status=0
"$LDW_WINE" "$exe" /install /kind:lpt /port:LPT1: "/name:Env check" /quiet >"$out" 2>/dev/null || status=$?
drivers=$(spooler drivers)
echo "exit code $status; drivers of LABEL:"
grep '^driver LABEL|' <<<"$drivers" || true
grep -q '^driver LABEL|Windows NT x86|' <<<"$drivers" && fail "LABEL is registered in the x86 set"
grep -Eiq '^driver LABEL\|Windows x64\|.*\\spool\\drivers\\x64\\3\\[^\\]+$' <<<"$drivers" ||
  fail "LABEL is not registered as Windows x64 with files in the x64 driver folder"
[ "$status" -eq 0 ] || fail "the install ended with $status"
echo "LABEL is a Windows x64 driver in the x64 folder"
