#!/usr/bin/env bash
# Builds the 32-bit exe and starts it under Wine: on $DISPLAY when set, otherwise on a private Xvfb,
# where a screenshot of the window (with its shadow) is saved under build/<preset>/screenshots.
# On a machine that cannot execute 32-bit code the 64-bit build of the same program runs instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
. tests/wine/wine-common.sh
preset=$LDW_WINE_PRESET
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target LabelDriverWizard

root=$PWD/build/$preset/wine
make_template_prefix "$root"
export WINEPREFIX=$root/run
[ -d "$WINEPREFIX" ] || cp -a "$root/template" "$WINEPREFIX"
exe=build/$preset/LabelDriverWizard.exe

if [ -n "${DISPLAY:-}" ]; then
  exec "$LDW_WINE" "$exe"
fi

display=
for n in $(seq 150 199); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$display
cleanup() {
  [ -n "${program:-}" ] && kill "$program" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [ -n "${compositor:-}" ] && kill "$compositor" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
# A compositor gives layered windows (the soft window shadow) their alpha, as Windows does.
xcompmgr >/dev/null 2>&1 &
compositor=$!

"$LDW_WINE" "$exe" &
program=$!
shot=build/$preset/screenshots/run.png
for _ in $(seq 60); do
  if ! kill -0 "$program" 2>/dev/null; then break; fi
  if xdotool search --onlyvisible --name "Label Printer Driver Wizard" >/dev/null 2>&1; then
    sleep 1
    tests/wine/screenshot "$DISPLAY" "$shot" "Label Printer Driver Wizard" 12 >/dev/null
    echo "Screenshot of the main window: $shot"
    break
  fi
  sleep 0.5
done
if kill -0 "$program" 2>/dev/null; then
  echo "The program runs on the private display $DISPLAY; press Ctrl+C to end it."
fi
set +e
wait "$program"
code=$?
program=
echo "The program ended with exit code $code."
exit $code
