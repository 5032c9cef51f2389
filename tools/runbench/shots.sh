#!/usr/bin/env bash
# Screenshots of the runs' progress and result dialogs in English, Traditional Chinese and Japanese, under
# Xvfb, in a Wine prefix of their own copied once from the project's. PNGs go to build/screenshots/runs/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
cd "$YK_ROOT"

cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target runshots
exe="$YK_ROOT/build/windows/tools/runbench/runshots.exe"
out="$YK_ROOT/build/screenshots/runs"
mkdir -p "$out"

unset DISPLAY
yk_ensure_display
yk_prepare_wineprefix
prefix="$YK_ROOT/build/screenshots/prefix-runs"
[ -f "$prefix/.yarrowkeep-ready" ] || { rm -rf "$prefix"; cp -a "$WINEPREFIX" "$prefix"; }
finish() {
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    if [ -n "${YK_XVFB_PID:-}" ]; then kill "$YK_XVFB_PID" 2>/dev/null || true; fi
}
trap finish EXIT

for locale in en_US zh_TW ja_JP; do
    WINEPREFIX=$prefix LC_ALL=$locale.UTF-8 wine "$exe" "$(WINEPREFIX=$prefix winepath -w "$out")" "${locale%%_*}" |
        tr -d '\r'
done
echo "screenshots in $out"
