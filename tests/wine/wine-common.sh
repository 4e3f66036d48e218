# Shared by wine-run and wine-fixture: where the prefixes live and how a prefix is made.
# A template prefix is made once per build folder; each test session starts from a fresh copy of it.

export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers: they would stop prefix creation with a dialog.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

# Wine's loader for this machine. Where 32-bit code cannot execute at all (some virtual machines
# lack the 32-bit mode), the Wine tier runs the 64-bit build of the same code under the 64-bit
# loader; /usr/bin/wine would always pick the 32-bit one.
# The WOW64 tier (LDW_WOW64_TREE set) runs the shipped 32-bit exe with the Wine of its own tree
# (tests/wow64), natively or emulated as the machine allows.
LDW_WINESERVER=wineserver
if [ -n "${LDW_WOW64_TREE:-}" ]; then
  wow64_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")/../wow64" && pwd)
  LDW_WINE=$wow64_scripts/wine
  LDW_WINESERVER=$wow64_scripts/wineserver
  LDW_WINE_PRESET=windows
elif /usr/lib/wine/wine --version >/dev/null 2>&1 || [ ! -x /usr/lib/wine/wine64 ]; then
  LDW_WINE=wine
  LDW_WINE_PRESET=windows
else
  LDW_WINE=/usr/lib/wine/wine64
  LDW_WINE_PRESET=windows64
  export WINELOADER=$LDW_WINE
fi
wine() { "$LDW_WINE" "$@"; }
wineboot() { "$LDW_WINE" wineboot "$@"; }
[ "$LDW_WINESERVER" = wineserver ] || wineserver() { "$LDW_WINESERVER" "$@"; }

wine_reg_add() {  # key value-name type data
  wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1
}

# The layouts name the face "宋体". It is mapped to WenQuanYi Zen Hei (Chinese, Japanese, Korean), and
# that face is linked to Loma for Thai. Wine applies font links to the face a substitute resolves to,
# so the link must be keyed by "WenQuanYi Zen Hei", not by the name the layouts use.
setup_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  local substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  local links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
  cp /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc /usr/share/fonts/truetype/tlwg/Loma*.ttf "$fonts/"
  for face in "宋体" SimSun "新宋体" NSimSun; do
    wine_reg_add "$substitutes" "$face" REG_SZ "WenQuanYi Zen Hei"
  done
  wine reg add "$links" /v "WenQuanYi Zen Hei" /t REG_MULTI_SZ /d 'Loma.ttf,Loma\0Loma-Bold.ttf,Loma Bold' /f >/dev/null 2>&1
}

make_template_prefix() {  # root
  local root=$1 template=$1/template
  local ready=$template/.ready-2  # bump when the template's set-up changes
  [ -f "$ready" ] && return 0
  mkdir -p "$root"
  (
    flock 9
    [ -f "$ready" ] && exit 0
    rm -rf "$template"
    export WINEPREFIX=$template
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    setup_fonts
    # A crash must end the test, not wait on a dialog.
    wine_reg_add 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0
    # Per-exe Windows versions for the tests that need one: 6.1 and 6.2.
    wine_reg_add 'HKCU\Software\Wine\AppDefaults\wine_version_win7.exe' Version REG_SZ win7
    wine_reg_add 'HKCU\Software\Wine\AppDefaults\wine_version_win8.exe' Version REG_SZ win8
    wineserver -w
    touch "$ready"
  ) 9>"$root/.template.lock"
}

# Starts a program under Wine in the background and waits for its window of that title: sets
# program (its process id) and wid (the X window), or fails.
# A loaded machine (two builds beside the tests) can take Wine half a minute to show the window.
start_with_window() {  # exe title
  "$LDW_WINE" "$1" &
  program=$!
  wid=
  for _ in $(seq 300); do
    wid=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -n 1 || true)
    [ -n "$wid" ] && return 0
    sleep 0.2
  done
  echo "FAIL: no window titled $2" >&2
  return 1
}

# The certutil and rundll32 stand-ins of LDW_DOUBLES_DIR in the prefix's System32, where the product
# starts them by absolute path (the 32-bit exe through Sysnative, which is this folder too); Wine
# prefers its own builtins to files of the same name unless told otherwise. Each call of
# put_back_tool_doubles restores what use_tool_doubles replaced.
tools_folder() { echo "$WINEPREFIX/drive_c/windows/system32"; }
# Wine makes every folder the user's, so the program refuses a package folder an earlier run left:
# each run of the INF route starts without one.
remove_package_folders() {
  rm -rf "$WINEPREFIX/drive_c/Program Files (x86)/PrinterDriver" "$WINEPREFIX/drive_c/Program Files/PrinterDriver"
}
use_tool_doubles() {
  local tool folder
  remove_package_folders
  folder=$(tools_folder)
  for tool in certutil rundll32; do
    [ -f "$folder/$tool.exe" ] && cp -f "$folder/$tool.exe" "$folder/$tool.exe.ldw-original"
    cp -f "$LDW_DOUBLES_DIR/$tool.exe" "$folder/$tool.exe"
    wine reg add 'HKCU\Software\Wine\DllOverrides' /v "$tool.exe" /d native /f >/dev/null 2>&1
  done
}
put_back_tool_doubles() {
  local tool folder
  remove_package_folders
  folder=$(tools_folder)
  for tool in certutil rundll32; do
    if [ -f "$folder/$tool.exe.ldw-original" ]; then mv -f "$folder/$tool.exe.ldw-original" "$folder/$tool.exe"; fi
    wine reg delete 'HKCU\Software\Wine\DllOverrides' /v "$tool.exe" /f >/dev/null 2>&1 || true
  done
}
