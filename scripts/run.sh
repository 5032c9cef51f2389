#!/usr/bin/env bash
# Builds the program and starts it under Wine. Without a display it runs under Xvfb, saves a screenshot
# and prints its path.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
cd "$YK_ROOT"

yk_install_packages
yk_build windows
exe="$YK_ROOT/build/windows/yarrowkeep.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    yk_prepare_wineprefix
    exec wine "$exe"
fi

trap yk_cleanup EXIT
yk_ensure_display
yk_prepare_wineprefix
wine "$exe" &
app=$!
# The main window stays hidden until asked for; a second start asks the first to show itself.
sleep 4
wine "$exe"
sleep 2
shot="$YK_ROOT/build/screenshots/run-$(date +%Y%m%d-%H%M%S).png"
mkdir -p "$(dirname "$shot")"
import -window root "$shot"
echo "screenshot: $shot"
kill "$app" 2>/dev/null || true
