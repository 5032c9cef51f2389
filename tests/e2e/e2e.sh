# Shared by the end-to-end scripts: start the program, probe it, stop it. Source, don't run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"

: "${YK_EXE:?the program to test}"
: "${YK_PROBE:?the probe tool}"
# The main window: titled like the program's popups, told apart by its side menu (control 1101).
YK_TITLE='Yarrowkeep#1101'
YK_STARTED=()

probe() { wine "$YK_PROBE" "$@" | tr -d '\r'; }

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts the program in the background; its launcher's pid goes to YK_STARTED.
start_program() {
    wine "$YK_EXE" "$@" &
    YK_STARTED+=($!)
}

stop_programs() {
    probe kill Yarrowkeep >/dev/null 2>&1 || true
    for pid in "${YK_STARTED[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}
trap stop_programs EXIT

screenshot() {
    local shot="$YK_ROOT/build/screenshots/e2e-$1.png"
    mkdir -p "$(dirname "$shot")"
    import -window root "$shot" && echo "screenshot: $shot"
}

# The simulated accessory for the program under test: a port, card and drive letter of its own.
export YK_SIM_PORT=47660 YK_SIM_LETTER=U YK_SIM_HOME="$YK_ROOT/build/e2e-simulator"
YKSIM="$YK_ROOT/tools/simulator/yksim.py"
yksim() { python3 "$YKSIM" "$@"; }

# Starts the simulator (card inserted with sample files); the program started after this uses it.
use_simulator() {
    rm -rf "$YK_SIM_HOME"
    yksim start --samples >/dev/null
    export YARROWKEEP_SIMULATOR=127.0.0.1:$YK_SIM_PORT
    trap 'stop_programs; yksim stop' EXIT
}

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
