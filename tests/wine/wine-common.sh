# Shared by wine-run and wine-fixture: where the prefixes live and how a prefix is made.
# A template prefix is made once per build folder; each test session starts from a fresh copy of it.

export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers: they would stop prefix creation with a dialog.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

wine_reg_add() {  # key value-name type data
  wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1
}

make_template_prefix() {  # root
  local root=$1 template=$1/template
  [ -f "$template/.ready" ] && return 0
  mkdir -p "$root"
  (
    flock 9
    [ -f "$template/.ready" ] && exit 0
    rm -rf "$template"
    export WINEPREFIX=$template
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    mkdir -p "$template/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf "$template/drive_c/windows/Fonts/" 2>/dev/null || true
    # A crash must end the test, not wait on a dialog.
    wine_reg_add 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0
    # Per-exe Windows versions for the tests that need one: 6.1 and 6.2.
    wine_reg_add 'HKCU\Software\Wine\AppDefaults\wine_version_win7.exe' Version REG_SZ win7
    wine_reg_add 'HKCU\Software\Wine\AppDefaults\wine_version_win8.exe' Version REG_SZ win8
    wineserver -w
    touch "$template/.ready"
  ) 9>"$root/.template.lock"
}
