#!/usr/bin/env bash
# Screenshots of every skinned message box, the date range dialog, the password dialogs, the device
# information and voltage/current dialogs and the update dialog (offered, and during a download) in English,
# Traditional Chinese and Japanese, at scale 1.0 (96 dpi) and 1.5 (144 dpi, where the dialogs grow with the
# density), and of the runs' progress and result dialogs in the three languages, under Xvfb.
# PNGs go to build/screenshots/ui/ and build/screenshots/runs/. Each density runs in a Wine prefix of its
# own, copied once from the project's prefix, so that nothing here touches the shared one or the sessions
# running in it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
cd "$YK_ROOT"

cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target uishots runshots
programs="$YK_ROOT/build/windows/tools/screenshots"
out="$YK_ROOT/build/screenshots/ui"
runs_out="$YK_ROOT/build/screenshots/runs"
mkdir -p "$out" "$runs_out"

unset DISPLAY
yk_ensure_display
yk_prepare_wineprefix
shared_prefix=$WINEPREFIX
prefixes=()
finish() {
    python3 "$YK_ROOT/tools/updateserver/ykupdate.py" stop >/dev/null 2>&1 || true
    for prefix in "${prefixes[@]}"; do WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true; done
    if [ -n "${YK_XVFB_PID:-}" ]; then kill "$YK_XVFB_PID" 2>/dev/null || true; fi
}
trap finish EXIT

# The update dialog is also shown a moment into a download: from a slow loopback server of its own.
export YK_UPDATE_PORT=47696 YK_UPDATE_TLS_PORT=47697 YK_UPDATE_HOME="$YK_ROOT/build/screenshots-updateserver"
served="$YK_UPDATE_HOME/files/shots/Upload/download/Yarrowkeep Server Data"
mkdir -p "$served"
head -c 2000000 /dev/zero >"$served/Yarrowkeep_Setup_shots.exe"
python3 "$YK_ROOT/tools/updateserver/ykupdate.py" start >/dev/null
export YARROWKEEP_UPDATE_URL="http://127.0.0.1:$YK_UPDATE_PORT/slow/shots"

for setting in "96 1.0" "144 1.5"; do
    read -r dpi mag <<<"$setting"
    prefix=$(yk_density_prefix "$dpi" "$shared_prefix")
    prefixes+=("$prefix")
    for locale in en_US zh_TW ja_JP; do
        WINEPREFIX=$prefix LC_ALL=$locale.UTF-8 wine "$programs/uishots.exe" \
            "$(WINEPREFIX=$prefix winepath -w "$out")" "$mag" "${locale%%_*}-$mag" | tr -d '\r'
        if [ "$dpi" = 96 ]; then
            WINEPREFIX=$prefix LC_ALL=$locale.UTF-8 wine "$programs/runshots.exe" \
                "$(WINEPREFIX=$prefix winepath -w "$runs_out")" "${locale%%_*}" | tr -d '\r'
        fi
    done
    WINEPREFIX=$prefix wineserver -w
done
echo "screenshots in $out and $runs_out"
