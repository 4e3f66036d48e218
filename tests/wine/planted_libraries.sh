#!/usr/bin/env bash
# A copy of the real exe in a download folder where someone has dropped libraries named as system
# ones (winspool.drv, msftedit.dll, bthprops.cpl, gdiplus.dll), each leaving a marker when loaded. The
# wizard is walked past the Bluetooth adapter check and the port page (spooler calls) into the
# install log (the rich edit); no marker may appear.
#   planted_libraries.sh EXE PROBE PLANTED-LIBRARY SCREENSHOT-DIR
# Windows loads a library that is no KnownDLL from the program's folder first; Wine prefers its
# builtins unless told otherwise, so a DLL override for the copy's name turns Windows' order on.
# The prefix reports Windows 7 meanwhile (the legacy install); everything is put back afterwards.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_exe=$1 probe=$2 planted=$3 shots=$4 kind=planted
folder=$(mktemp -d)
libraries=(winspool.drv msftedit.dll bthprops.cpl gdiplus.dll)
exe=$folder/LabelDriverWizard_planted.exe
. "$here/walk-common.sh"

overrides='HKCU\Software\Wine\AppDefaults\LabelDriverWizard_planted.exe\DllOverrides'
spooler() { "$LDW_WINE" "$LDW_SPOOLER_STATE" "$@" | tr -d '\r'; }
put_back() {
  spooler uninstall LABEL || true
  wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1 || true
  wine reg delete "${overrides%\\DllOverrides}" /f >/dev/null 2>&1 || true
  rm -rf "$folder"
}
trap 'kill ${program:-} 2>/dev/null || true; put_back; xdotool mousemove 1279 1023 || true' EXIT

cp "$source_exe" "$exe"
for library in "${libraries[@]}"; do
  cp "$planted" "$folder/$library"
  wine reg add "$overrides" /v "${library%.dll}" /d native,builtin /f >/dev/null 2>&1
done
wine reg add 'HKCU\Software\Wine' /v Version /d win7 /f >/dev/null 2>&1
# Checked after every step: a planted library in a process that has just died leaves only its marker.
no_markers() {
  local found
  found=$(find "$folder" -name '*.loaded' -printf '%f ')
  [ -z "$found" ] || fail "planted libraries were loaded ($1): $found"
}
step() {  # point, what it reaches
  click "$1" || true
  no_markers "$2"
}

declare -A at=([next]="473 477" [bluetooth]="100 154" [lpt]="100 185")
open_wizard
no_markers "start"
step next "the connection kinds"
step bluetooth "the Bluetooth adapter check"
step lpt "the LPT kind"
step next "the models"
step next "the port page and the spooler's port list"
shot ports
step next "the printer name"
step next "the summary"
step next "the install and its log in the rich edit"
for _ in $(seq 40); do probe | grep -q '^richedit ' && break; sleep 0.5; done
sleep 1
shot log
no_markers "the install log"
probe | grep -q '^richedit ' || fail "the install log never showed"
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
echo "no planted library was loaded: ${libraries[*]}"
