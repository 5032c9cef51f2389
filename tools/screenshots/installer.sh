#!/usr/bin/env bash
# Screenshots of the setup program's pages (welcome, folder, finish) and of the uninstaller's question, in
# English, Traditional Chinese and Japanese, under Xvfb, in a Wine prefix of their own. PNGs go to
# build/screenshots/installer/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
cd "$YK_ROOT"

cmake --preset windows >/dev/null
cmake --build --preset windows --target installer >/dev/null
version=$(sed -n 's/^YK_VERSION:STRING=//p' build/windows/CMakeCache.txt)
setup="$YK_ROOT/build/windows/installer/yarrowkeep-setup-$version.exe"
out="$YK_ROOT/build/screenshots/installer"
mkdir -p "$out"

unset DISPLAY
yk_ensure_display
export WINEPREFIX="$YK_ROOT/build/screenshots/prefix-installer"
yk_prepare_wineprefix
finish() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${YK_XVFB_PID:-}" ]; then kill "$YK_XVFB_PID" 2>/dev/null || true; fi
}
trap finish EXIT

# The newest visible window whose title holds the text; empty when none comes within ten seconds.
window_named() {
    local id
    for _ in $(seq 50); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
    done
    return 1
}
shoot() { sleep 1.5; import -window "$1" "$out/$2.png" && echo "$out/$2.png"; }
press() { xdotool key --window "$1" "$2"; }

for locale in en_US zh_TW ja_JP; do
    name=${locale%%_*}
    LC_ALL=$locale.UTF-8 wine "$setup" >/dev/null 2>&1 &
    page=$(window_named Yarrowkeep) || { echo "installer.sh: no setup window ($locale)" >&2; exit 1; }
    shoot "$page" "$name-1-welcome"
    press "$page" Return
    shoot "$page" "$name-2-folder"
    press "$page" Return
    # The files go in; the finish page follows by itself.
    sleep 4
    shoot "$page" "$name-3-finish"
    wineserver -k >/dev/null 2>&1 || true
    sleep 1
    LC_ALL=$locale.UTF-8 wine 'C:\Program Files\Yarrowkeep\uninstall.exe' >/dev/null 2>&1 &
    sleep 2
    page=$(window_named Yarrowkeep) || { echo "installer.sh: no uninstaller window ($locale)" >&2; exit 1; }
    shoot "$page" "$name-4-uninstall"
    wineserver -k >/dev/null 2>&1 || true
    sleep 1
    wine 'C:\Program Files\Yarrowkeep\uninstall.exe' /S >/dev/null 2>&1 || true
    wineserver -w
done
echo "screenshots in $out"
