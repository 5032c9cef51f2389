# Driving the program from outside as a person would: its windows through the probe tool, the notification
# area and popup menus through the mouse, the simulated device, the settings profile. Sourced by the
# end-to-end tests and the screenshot tour; YK_EXE and YK_PROBE name the program and the probe.

# The main window: titled like the program's popups, told apart by its side menu (control 1101).
YK_TITLE='Yarrowkeep#1101'
YK_STARTED=()

# Wine in the session language YK_LOCALE (for example zh_TW.UTF-8) when it is set. The shell's own locale is
# left alone: the machine need not have that locale for Wine to take its language from the name.
yk_wine() {
    if [ -n "${YK_LOCALE:-}" ]; then
        env LC_ALL="$YK_LOCALE" wine "$@"
    else
        wine "$@"
    fi
}

probe() { yk_wine "$YK_PROBE" "$@" | tr -d '\r'; }

# Starts the program in the background; its launcher's pid goes to YK_STARTED.
start_program() {
    yk_wine "$YK_EXE" "$@" &
    YK_STARTED+=($!)
}

stop_programs() {
    # A killed program cannot take its icon away; the next one must find its own in the first place.
    probe tray-remove "$YK_TITLE" 128 >/dev/null 2>&1 || true
    probe kill Yarrowkeep >/dev/null 2>&1 || true
    # The windows of a killed program go a moment later; the next program must not meet them.
    probe wait Yarrowkeep gone 10000 >/dev/null 2>&1 || true
    local pid
    for pid in "${YK_STARTED[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    YK_STARTED=()
}

# Waits up to SECONDS for the first started program to end, then checks that it ended with code 0 and took its
# icon out of the notification area; otherwise returns 1 with what went wrong in EXIT_PROBLEM. Not to be run in
# a subshell: only this shell can wait for its program.
expect_clean_exit() {
    local program=${YK_STARTED[0]} code=0
    EXIT_PROBLEM=
    wait_until "$1" bash -c "! kill -0 $program 2>/dev/null" || { EXIT_PROBLEM="the program did not end"; return 1; }
    wait "$program" || code=$?
    YK_STARTED=("${YK_STARTED[@]:1}")
    [ "$code" = 0 ] || { EXIT_PROBLEM="the program ended with code $code"; return 1; }
    [ "$(xwininfo -name 'Wine System Tray' | sed -n 's/.*Map State: *//p')" = IsUnMapped ] ||
        { EXIT_PROBLEM="the icon stayed in the notification area"; return 1; }
}

YKSIM="$YK_ROOT/tools/simulator/yksim.py"
yksim() { python3 "$YKSIM" "$@"; }

# Waits until a program receives the simulator's device notices.
wait_for_notices() {
    for _ in $(seq 100); do
        yksim state | grep -q '"subscribers": [1-9]' && return 0
        sleep 0.1
    done
    return 1
}

# The program's settings profile in the registry.
YK_PROFILE='HKCU\Software\Local AppWizard-Generated Applications\yarrowkeep\Yarrowkeep'

profile_clear() { wine reg delete "$YK_PROFILE" /f >/dev/null 2>&1 || true; }

# profile_set NAME dword|string VALUE
profile_set() {
    local type=REG_DWORD
    [ "$2" = string ] && type=REG_SZ
    wine reg add "$YK_PROFILE" /v "$1" /t "$type" /d "$3" /f >/dev/null 2>&1
}

# The value of a profile entry as `reg query` shows it (0x1 for a dword), empty when absent.
profile_get() {
    wine reg query "$YK_PROFILE" /v "$1" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$1 *REG_[A-Z]* *//p"
}

# A profile as the first-use set-up leaves it: the backup folder (a Linux path, seen through Z:) and the
# automatic backup as given.
setup_done() {
    profile_clear
    mkdir -p "$1"
    profile_set Directory string "$(winepath -w "$1" 2>/dev/null)"
    profile_set "Auto Backup" dword "${2:-0}"
    profile_set "Secure Backup" dword 0
    profile_set APPInitialSetup dword 1
}

# Runs a command until it succeeds; false when SECONDS pass first.
wait_until() {
    local seconds=$1
    shift
    local end=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.2
    done
}

# The home page's status line: whichever of its two lines is shown.
home_line() {
    if probe shown "$YK_TITLE" 214/1040 >/dev/null; then
        probe text "$YK_TITLE" 214/1040
    else
        probe text "$YK_TITLE" 214/1041
    fi
}
home_line_is() { [ "$(home_line)" = "$1" ]; }

# The page shown in the main window: 214 home, 219 backup/restore, 163 settings, 146 help.
page_shown() { probe shown "$YK_TITLE" "$1" >/dev/null; }

# Whether a side-menu item shows its highlighted picture: its blue bar covers the left end of the item,
# where the normal picture lets the dark side bar through.
menu_highlighted() {
    local red green blue
    read -r red green blue < <(probe pixel "$YK_TITLE" "$1" 8 16)
    [ "${green:-0}" -gt 100 ]
}

# The centre of the program's icon in the notification area (Wine shows the icons in a small window).
tray_point() {
    local X Y WIDTH HEIGHT WINDOW SCREEN
    eval "$(xdotool search --name 'Wine System Tray' getwindowgeometry --shell | head -6)"
    echo $((X + 12)) $((Y + HEIGHT - 12))
}

# tray_click BUTTON [CLICKS]: 1 left, 3 right.
tray_click() {
    local x y
    read -r x y < <(tray_point)
    xdotool mousemove "$x" "$y" click --repeat "${2:-1}" --delay 120 "$1"
}

# Opens the icon's menu with a right click and waits until it shows TEXT. Under Wine's notification area a
# right click right after a menu was used is sometimes taken for the end of that menu: a person clicks again.
# Without TEXT, any popup menu will do.
tray_menu() {
    local attempt
    for attempt in 1 2 3; do
        tray_click 3
        if [ -n "${1:-}" ]; then
            wait_until 3 probe menu-shows "$(escaped "$1")" >/dev/null && return 0
        else
            wait_until 3 probe menu-item 0 1 >/dev/null && return 0
        fi
        xdotool key Escape
    done
    return 1
}

# TEXT with every character outside ASCII as \uXXXX, the way the probe takes it.
escaped() { python3 -c 'import sys; print("".join(c if ord(c) < 128 else "\\u%04x" % ord(c) for c in sys.argv[1]))' "$1"; }

# Clicks item N of the COUNT items of the open popup menu.
menu_choose() {
    local x y
    read -r x y < <(probe menu-item "$1" "$2")
    xdotool mousemove "$x" "$y" click 1
}

# The platform's quit question: titled with the program file's name, its text in the static control 65535.
QUIT_BOX='yarrowkeep#65535'
# The skinned one-button box (picture 1115, message 1116), the busy notice among others.
ONE_BUTTON_BOX='Yarrowkeep#1115#1116'
# The result dialog of a run.
RESULT_BOX='Yarrowkeep#1088'

# The folder of a kind of backup on the simulated card ("Normal Backup" or "Encrypt Backup"), empty when none.
card_backup_folder() {
    find "$YK_SIM_HOME/card/YarrowkeepCross" -mindepth 3 -maxdepth 3 -type d -name "$1" 2>/dev/null | head -1
}

# The number of files a run's result dialog counts as done.
result_done() { probe text "$RESULT_BOX" 1091 | tr -d ' '; }

# The Windows path of a folder on the simulated card, through the card's drive letter.
card_windows_path() {
    local relative=${1#"$YK_SIM_HOME/card/"}
    echo "${YK_SIM_LETTER}:\\${relative//\//\\}"
}

# Chooses a folder in the platform's folder picker by typing its path.
pick_folder() {
    probe wait 'Select Folder' visible 10000 || return 1
    probe type 'Select Folder' 1152 "$1" && click 'Select Folder' 1
}

# Clicks a control once it is there: a window may be found a moment before all of its controls are made, and
# a loaded machine makes that moment longer.
click() { wait_until 5 probe click "$@" >/dev/null; }
