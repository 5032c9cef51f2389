#!/usr/bin/env bash
# The main window as a person sees it, driven from outside through the simulated device: the home page in each
# status, each menu page, the notification-area menu and the eject questions, in English, Traditional Chinese
# and Japanese at 96 and 144 dpi. PNGs go to build/screenshots/tour/. Needs the built program; without a display
# it starts Xvfb. Each density runs in a Wine prefix of its own (see take.sh). YK_TOUR_DPIS and YK_TOUR_LOCALES
# choose fewer (for example "96" and "ja_JP").
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
cd "$YK_ROOT"
YK_EXE=${YK_EXE:-$YK_ROOT/build/windows/yarrowkeep.exe}
YK_PROBE=${YK_PROBE:-$YK_ROOT/build/windows/tools/probe/ykprobe.exe}
source tools/probe/drive.sh

out="$YK_ROOT/build/screenshots/tour"
mkdir -p "$out"
export YK_SIM_PORT=47670 YK_SIM_LETTER=W YK_SIM_HOME="$YK_ROOT/build/tour-simulator"
pc="$YK_ROOT/build/tour-pc"
mkdir -p "$pc"
echo "A file to back up." >"$pc/notes.txt"

yk_ensure_display
yk_prepare_wineprefix
shared_prefix=$WINEPREFIX
prefixes=()
finish() {
    stop_programs
    yksim stop >/dev/null 2>&1 || true
    for prefix in "${prefixes[@]}"; do WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true; done
    if [ -n "${YK_XVFB_PID:-}" ]; then kill "$YK_XVFB_PID" 2>/dev/null || true; fi
}
trap finish EXIT

# Saves the part of the screen that a matching window covers.
shoot() {
    local name=$1 window=${2:-$YK_TITLE} left top right bottom
    read -r left top right bottom < <(probe rect "$window" .)
    import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$out/$prefix_name-$name.png"
    echo "screenshot: $out/$prefix_name-$name.png"
}
status() { wait_until "$2" home_line_is "$1" || echo "tour: the status did not become $1 ($(home_line))" >&2; }

for dpi in ${YK_TOUR_DPIS:-96 144}; do
    export WINEPREFIX
    WINEPREFIX=$(yk_density_prefix "$dpi" "$shared_prefix")
    prefixes+=("$WINEPREFIX")
    for locale in ${YK_TOUR_LOCALES:-en_US zh_TW ja_JP}; do
        prefix_name="${locale%%_*}-${dpi}dpi"
        export YK_LOCALE=$locale.UTF-8
        yksim stop >/dev/null 2>&1 || true
        rm -rf "$YK_SIM_HOME"
        yksim start --samples >/dev/null
        export YARROWKEEP_SIMULATOR=127.0.0.1:$YK_SIM_PORT
        setup_done "$pc" 0
        yksim unplug
        yksim refuse on

        start_program
        wait_until 30 probe tray-present "$YK_TITLE" 128 || { echo "tour: the program did not start" >&2; exit 1; }
        wait_for_notices
        # A second start brings the window forward.
        timeout 20 env LC_ALL="$YK_LOCALE" wine "$YK_EXE" || true
        probe wait "$YK_TITLE" visible 10000
        sleep 1
        shoot home-3-not-connected
        yksim plug
        wait_until 10 probe shown "$YK_TITLE" 214/1041 >/dev/null
        sleep 2
        shoot home-5-standby
        yksim refuse off
        wait_until 15 test -L "$WINEPREFIX/dosdevices/${YK_SIM_LETTER,,}:"
        sleep 2
        shoot home-1-connected
        yksim other-port on
        sleep 10
        shoot home-2-in-phone
        yksim other-port off
        yksim remove
        sleep 5
        shoot home-4-no-card
        yksim insert
        yksim attach
        sleep 5

        for step in "1101 normal-backup" "1102 encrypt-backup" "1103 normal-restore" "1104 decrypt-restore" \
            "1106 settings" "1107 help"; do
            read -r item name <<<"$step"
            probe click "$YK_TITLE" "$item"
            sleep 1
            shoot "page-$name"
        done

        tray_menu || echo "tour: the notification-area menu did not open" >&2
        read -r x y < <(probe menu-item 1 2)
        import -window root -crop "$((x * 2 + 40))x$((y + 40))+0+0" +repage "$out/$prefix_name-tray-menu.png"
        echo "screenshot: $out/$prefix_name-tray-menu.png"
        xdotool key Escape
        xdotool mousemove 1270 890 click 1

        yksim request 1
        probe wait 'Yarrowkeep#1132' visible 12000 && shoot eject-question-a 'Yarrowkeep#1132'
        probe click 'Yarrowkeep#1132' 1134
        sleep 1
        shoot eject-question-b 'Yarrowkeep#1132'
        probe click 'Yarrowkeep#1132' 1136
        stop_programs
        unset YK_LOCALE
    done
done
echo "screenshots in $out"
