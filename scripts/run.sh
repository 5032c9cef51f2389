#!/usr/bin/env bash
# Builds the program and starts it under Wine with the simulated accessory plugged in (card inserted,
# a few sample files on it). Set YARROWKEEP_SIMULATOR=off to use the real device layer instead.
# Without a display it runs under Xvfb, saves screenshots and prints their paths.
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

if [ "${YARROWKEEP_SIMULATOR:-}" != off ]; then
    yksim start --samples
    export YARROWKEEP_SIMULATOR=127.0.0.1:${YK_SIM_PORT:-47613}
    trap 'yksim stop; yk_cleanup' EXIT
else
    unset YARROWKEEP_SIMULATOR
fi

if [ $headless = 0 ]; then
    echo "control the simulated device with tools/simulator/yksim.py (see README.md)"
    wine "$exe"
    exit 0
fi

shots="$YK_ROOT/build/screenshots"
mkdir -p "$shots"
shoot() {
    import -window root "$shots/run-$1.png"
    echo "screenshot: $shots/run-$1.png"
}
wine "$exe" &
sleep 5
shoot 1-device-connected
if [ -n "${YARROWKEEP_SIMULATOR:-}" ]; then
    yksim attach && sleep 2
    shoot 2-card-attached
    yksim unplug && sleep 2
    shoot 3-device-unplugged
fi
wine "$YK_ROOT/build/windows/tools/probe/ykprobe.exe" kill Yarrowkeep >/dev/null 2>&1 || true
