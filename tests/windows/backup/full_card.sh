#!/usr/bin/env bash
# A drive of the Wine prefix whose medium really fills up: a 12 MiB tmpfs at drive T: (mounting needs root).
#   full_card.sh setup [DIR]    mount and link it;   full_card.sh cleanup [DIR]    unlink and unmount
# The full-card tests of windows_backup_tests skip themselves while T: is not such a drive.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/common.sh"
action=${1:-setup}
dir=${2:-$YK_ROOT/build/full-card}
link="$WINEPREFIX/dosdevices/t:"

case "$action" in
setup)
    if [ "$(id -u)" -ne 0 ]; then
        yk_log "full card: not root, no tmpfs; the full-card tests will skip"
        exit 0
    fi
    mkdir -p "$dir"
    mountpoint -q "$dir" || mount -t tmpfs -o size=12m tmpfs "$dir"
    ln -sfn "$dir" "$link"
    ;;
cleanup)
    [ -L "$link" ] && rm -f "$link"
    if mountpoint -q "$dir" 2>/dev/null; then umount "$dir"; fi
    [ -d "$dir" ] && rmdir "$dir" 2>/dev/null || true
    ;;
*)
    echo "usage: $0 setup|cleanup [DIR]" >&2
    exit 2
    ;;
esac
