#!/usr/bin/env bash
# Builds everything and runs every test: the native core (with sanitizers), the Windows program's tests
# under Wine and Xvfb, and each fuzz target for a few seconds. Extra arguments go to both ctest runs (for
# example -L core) and leave the fuzz targets out.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
cd "$YK_ROOT"

yk_install_packages
yk_build native
yk_build windows
cmake --build --preset windows --target installer >/dev/null

trap yk_cleanup EXIT
yk_ensure_display
yk_prepare_wineprefix
wineserver -p 60 2>/dev/null || true # one server for the whole run keeps each test start short

status=0
ctest --preset native "$@" || status=1
ctest --preset windows "$@" || status=1
if [ $# -eq 0 ]; then
    scripts/fuzz.sh --seconds 10 || status=1
fi
exit $status
