# The device plugged in with its card in standby: the program itself asks for the card (the test only plays
# the device and never attaches it), again every five seconds while the device refuses, without a word. The
# home status then follows the card through the simulator: used by the PC, in standby, held by the phone, no
# card, and the device unplugged (the window hides).
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
setup_done "$YK_ROOT/build/e2e-pc" 0
use_simulator
yksim refuse on
enables() { yksim state | sed -n 's/.*"enables": \([0-9]*\).*/\1/p'; }
enables_reach() { [ "$(enables)" -ge "$1" ]; }
status_becomes() { wait_until "$2" home_line_is "$1" || fail "home status: $(home_line), expected $1"; }

start_program
probe wait "$YK_TITLE" visible 20000 || fail "plugging the device in did not show the window"
status_becomes "SD Card Standby" 10
# The first attempt after 1.5 s, then every 5 s.
wait_until 5 enables_reach 1 || fail "no enable attempt after the connection"
first=$SECONDS
wait_until 14 enables_reach 3 || fail "the refused enable was not tried again: $(enables) attempts"
elapsed=$((SECONDS - first))
[ $elapsed -ge 8 ] || fail "three attempts within $elapsed s: not five seconds apart"
probe wait "$ONE_BUTTON_BOX" hidden 100 || fail "an automatic attempt showed a message"
[ ! -L "$WINEPREFIX/dosdevices/u:" ] || fail "a refused card has a drive"

yksim refuse off
wait_until 8 test -L "$WINEPREFIX/dosdevices/u:" || fail "the card was not enabled once the device agreed"
status_becomes "Yarrowkeep Connected" 5
probe file 'U:\DCIM\Camera\holiday-001.jpg' >/dev/null || fail "the card's files are not on its drive"
screenshot status-connected
attempts=$(enables)
sleep 6
[ "$(enables)" = "$attempts" ] || fail "the attempts went on after the card was enabled"

# The device gives the card back by itself: standby.
yksim release
status_becomes "SD Card Standby" 8
page_shown 214 || fail "the home page is not shown"
# The phone takes it: the port poll (5 s) sees the other port busy, the next status poll shows it.
yksim other-port on
status_becomes "SD Card Permissions in the Phone" 15
screenshot status-in-phone
yksim other-port off
yksim remove
status_becomes "SD Card Not Detected" 8
screenshot status-no-card
yksim insert
status_becomes "SD Card Standby" 8

# Unplugged: not connected, and the window hides.
yksim unplug
probe wait "$YK_TITLE" hidden 10000 || fail "unplugging did not hide the window"
home_line_is "Yarrowkeep not Connected" || fail "home status after unplugging: $(home_line)"
echo "PASS"
