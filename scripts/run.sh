#!/usr/bin/env bash
# Builds the program and starts it under Wine with the simulated accessory plugged in (card inserted,
# a few sample files on it). Set YARROWKEEP_SIMULATOR=off to use the real device layer instead.
# Without a display it runs under Xvfb and tours the program's pages and states through the simulated device
# in three languages at two densities, saving screenshots (their paths are printed).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
cd "$YK_ROOT"

yk_install_packages
yk_build windows
exe="$YK_ROOT/build/windows/yarrowkeep.exe"
yksim() { python3 "$YK_ROOT/tools/simulator/yksim.py" "$@"; }

headless=1
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then headless=0; fi
trap yk_cleanup EXIT
[ $headless = 1 ] && yk_ensure_display
yk_prepare_wineprefix

if [ $headless = 1 ] && [ "${YARROWKEEP_SIMULATOR:-}" != off ]; then
    unset YARROWKEEP_SIMULATOR
    tools/screenshots/tour.sh
    exit 0
fi

if [ "${YARROWKEEP_SIMULATOR:-}" != off ]; then
    yksim start --samples
    export YARROWKEEP_SIMULATOR=127.0.0.1:${YK_SIM_PORT:-47613}
    trap 'yksim stop; yk_cleanup' EXIT
else
    unset YARROWKEEP_SIMULATOR
fi

if [ $headless = 0 ]; then
    echo "The program lives in the notification area; the simulated device is controlled with"
    echo "tools/simulator/yksim.py (see README.md). Quit it from its icon's menu."
    wine "$exe"
    exit 0
fi

# Without a display and without the simulator: the program as it starts with no device.
shots="$YK_ROOT/build/screenshots"
mkdir -p "$shots"
wine "$exe" &
sleep 5
import -window root "$shots/run-no-device.png"
echo "screenshot: $shots/run-no-device.png"
wine "$YK_ROOT/build/windows/tools/probe/ykprobe.exe" kill Yarrowkeep >/dev/null 2>&1 || true
