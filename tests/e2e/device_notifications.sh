# The window follows the simulated device: it comes forward when the device is plugged in and hides
# when it is unplugged; the card's drive letter comes with the attach and goes with the release.
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
setup_done "$YK_ROOT/build/e2e-pc"
use_simulator

yksim unplug
start_program
probe wait "$YK_TITLE" exists 20000 || fail "the program did not start"
wait_for_notices || fail "the program does not receive the device's notices"
sleep 1
probe wait "$YK_TITLE" hidden 500 || fail "the window showed without a device"

yksim plug
probe wait "$YK_TITLE" visible 10000 || fail "plugging the device in did not bring the window"

yksim attach
for _ in $(seq 50); do [ -L "$WINEPREFIX/dosdevices/u:" ] && break; sleep 0.1; done
[ -L "$WINEPREFIX/dosdevices/u:" ] || fail "the card's drive letter did not appear"
probe file 'U:\DCIM\Camera\holiday-001.jpg' >/dev/null || fail "the card's files are not on the drive"
screenshot device-plugged

yksim release
for _ in $(seq 50); do [ -L "$WINEPREFIX/dosdevices/u:" ] || break; sleep 0.1; done
[ -L "$WINEPREFIX/dosdevices/u:" ] && fail "the drive letter stayed after the release"

yksim unplug
probe wait "$YK_TITLE" hidden 10000 || fail "unplugging the device did not hide the window"
echo "PASS"
