# Shared by the scripts: where things live and how Wine and the display are started. Source, don't run.

YK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$HOME/.local/share/yarrowkeep/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

yk_log() { printf '[yarrowkeep] %s\n' "$*" >&2; }

# Debian packages the build, the program and the tests need.
YK_PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev googletest g++-mingw-w64-x86-64-posix
             wine wine64 xvfb xauth x11-utils xdotool imagemagick fonts-wqy-microhei libssl-dev openssl nsis python3)

yk_install_packages() {
    local missing=()
    for package in "${YK_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    yk_log "installing: ${missing[*]}"
    local sudo=
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

# A 64-bit Wine prefix whose Chinese UI font resolves to an installed CJK font (also the system's own fonts of a
# Chinese or Japanese session: Wine picks those by their Windows names), and whose windows are
# framed by Wine itself and not handed to a window manager: Xvfb has none, and Wine would wait for it
# (about two seconds at every window that closes).
yk_prepare_wineprefix() {
    local marker="$WINEPREFIX/.yarrowkeep-ready"
    if [ ! -f "$marker" ]; then
        yk_log "creating the Wine prefix $WINEPREFIX (takes a little while the first time)"
        mkdir -p "$WINEPREFIX"
        wineboot --init >/dev/null 2>&1 || true
        wineserver -w
    fi
    local reg
    reg=$(mktemp --suffix=.reg)
    # regedit wants UTF-16 with a byte order mark for the CJK face names.
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
        '"微軟正黑體"="WenQuanYi Micro Hei"' '"Microsoft JhengHei"="WenQuanYi Micro Hei"' \
        '"MS Shell Dlg"="Tahoma"' '"MS UI Gothic"="WenQuanYi Micro Hei"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' '"PMingLiU"="WenQuanYi Micro Hei"' \
        '"MingLiU"="WenQuanYi Micro Hei"' '"MS UI Gothic"="WenQuanYi Micro Hei"' '"MS Gothic"="WenQuanYi Micro Hei"' \
        '"MS PGothic"="WenQuanYi Micro Hei"' '"SimSun"="WenQuanYi Micro Hei"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Decorated"="N"' '"Managed"="N"' '' |
        iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
    wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
    rm -f "$reg"
    touch "$marker"
}

# A copy of a prepared prefix whose screen density is DPI dots per inch, made once under build/screenshots and
# reused; prints its path. Screenshots at another density run there, leaving the shared prefix alone.
yk_density_prefix() {
    local dpi=$1 source=$2 prefix="$YK_ROOT/build/screenshots/prefix-$1"
    if [ ! -f "$prefix/.yarrowkeep-ready" ]; then
        rm -rf "$prefix"
        cp -a "$source" "$prefix"
    fi
    local reg
    reg=$(mktemp --suffix=.reg)
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\Wine\Fonts]' "\"LogPixels\"=dword:$(printf '%08x' "$dpi")" '' \
        '[HKEY_CURRENT_CONFIG\Software\Fonts]' "\"LogPixels\"=dword:$(printf '%08x' "$dpi")" '' >"$reg"
    WINEPREFIX=$prefix wine regedit /S "$(WINEPREFIX=$prefix winepath -w "$reg")" >/dev/null 2>&1
    # The copy may be older than the shared prefix's settings: they are applied again.
    WINEPREFIX=$prefix yk_prepare_wineprefix
    WINEPREFIX=$prefix wineserver -w
    rm -f "$reg"
    echo "$prefix"
}

# Starts Xvfb when there is no display; YK_XVFB_PID is set when this script owns it.
yk_ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
    local number
    for number in $(seq 91 120); do
        [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
        YK_XVFB_PID=$!
        export DISPLAY=":$number"
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
        kill "$YK_XVFB_PID" 2>/dev/null
    done
    yk_log "could not start Xvfb"
    return 1
}

# Ends what the calling script started: its Wine session and its display.
yk_cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${YK_XVFB_PID:-}" ]; then kill "$YK_XVFB_PID" 2>/dev/null || true; fi
}

yk_build() {
    local preset=$1
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)"
}
