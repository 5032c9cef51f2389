#!/usr/bin/env bash
# The speed figures in one run: our buffer cipher against OpenSSL's AES-256-ECB (native, no sanitizers),
# with the fastest path the processor has and with the AES-NI path alone; then, under Wine onto drive C: of
# the project's prefix, large files against CopyFileW, 20,000 small files against xcopy, and the encrypted
# backup and decrypting restore of a 1 GiB tree against the plain ones. Figures only; nothing passes or fails.
#   tools/bench/speed.sh [card letter]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
cd "$YK_ROOT"
letter=${1:-C}

yk_install_packages
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_C_COMPILER=clang >/dev/null
cmake --build build/bench --target cipher_bench
cmake --preset windows >/dev/null
cmake --build --preset windows --target runbench

unset DISPLAY
yk_ensure_display
trap yk_cleanup EXIT
yk_prepare_wineprefix

echo "== buffer cipher ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'))"
build/bench/tools/bench/cipher_bench
echo
echo "== buffer cipher, AES-NI path alone (as on a processor without VAES)"
YK_BENCH_AES_PATH=accelerated build/bench/tools/bench/cipher_bench
echo
echo "== backup runs under Wine"
wine build/windows/tools/runbench/runbench.exe 'C:\yk-runbench' "$letter" large small encrypted | tr -d '\r'
