# Shared by the end-to-end scripts: start the program, probe it, stop it. Source, don't run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
source "$YK_ROOT/tools/probe/drive.sh"

: "${YK_EXE:?the program to test}"
: "${YK_PROBE:?the probe tool}"

fail() {
    echo "FAIL: $*" >&2
    screenshot "failed-$(basename "$0" .sh)" >&2 || true
    exit 1
}

trap stop_programs EXIT

screenshot() {
    local shot="$YK_ROOT/build/screenshots/e2e-$1.png"
    mkdir -p "$(dirname "$shot")"
    import -window root "$shot" && echo "screenshot: $shot"
}

# The simulated accessory for the program under test: a port, card and drive letter of its own.
export YK_SIM_PORT=47660 YK_SIM_LETTER=U YK_SIM_HOME="$YK_ROOT/build/e2e-simulator"

# Starts the simulator (card inserted with sample files); the program started after this uses it.
use_simulator() {
    rm -rf "$YK_SIM_HOME"
    yksim start --samples >/dev/null
    export YARROWKEEP_SIMULATOR=127.0.0.1:$YK_SIM_PORT
    trap 'stop_programs; yksim stop' EXIT
}
