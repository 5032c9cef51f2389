#!/usr/bin/env bash
# The fault campaign: real backups and restores, plain and encrypted, against the simulated accessory, with
# the plug pulled, the card removed or ejected, or the disk filled at a chosen point of each run.
#   tools/campaign/campaign.sh [--faults N] [--seed S]
# N faults (320 unless given) from seed S (a fresh one unless given). Every case prints its own seed;
# "--seed <that seed> --faults 1" replays it alone. The last line counts what went wrong:
#   campaign: N faults, 0 truncated, 0 lost, 0 leftovers, 0 false successes
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
cd "$YK_ROOT"

faults=320
seed=""
while [ $# -gt 0 ]; do
    case "$1" in
    --faults) faults="$2"; shift 2 ;;
    --seed) seed="$2"; shift 2 ;;
    -h|--help) sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "campaign.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
    esac
done
[ -n "$seed" ] || seed=$(od -An -N6 -tu8 /dev/urandom | tr -d ' ')

yk_install_packages
cmake --preset windows >/dev/null
cmake --build --preset windows --target campaign >/dev/null

# A simulator of the campaign's own, apart from the tests' one.
export YK_SIM_PORT=47680 YK_SIM_LETTER=Q YK_SIM_HOME="$YK_ROOT/build/windows/campaign-simulator"
finish() {
    python3 tools/simulator/yksim.py stop >/dev/null 2>&1 || true
    if [ -n "${YK_XVFB_PID:-}" ]; then kill "$YK_XVFB_PID" 2>/dev/null || true; fi
}
trap finish EXIT
yk_ensure_display
yk_prepare_wineprefix
python3 tools/simulator/yksim.py start >/dev/null

status=0
YARROWKEEP_SIMULATOR="127.0.0.1:$YK_SIM_PORT" YK_CAMPAIGN_FAULTS="$faults" YK_CAMPAIGN_SEED="$seed" \
    wine build/windows/tools/campaign/campaign.exe 2>&1 | tr -d '\r' |
    grep --line-buffered -E '^(campaign|case|    )' || status=1
# The program's own verdict: every count zero and every run after a recovery complete.
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
exit $status
