# The run commands (what the backup/restore page's buttons send) through the SD card access control: without
# the device "Yarrowkeep not found"; with the card refused "Failed to Enable SD Card", whose OK retries every
# five seconds until the device agrees, and the run then starts once the card's volume answers.
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
pc="$YK_ROOT/build/e2e-run-pc"
rm -rf "$pc"
setup_done "$pc" 0
echo "to the card" >"$pc/report.txt"
use_simulator
yksim unplug

start_program
wait_until 20 probe tray-present "$YK_TITLE" 128 || fail "the program did not start"
tray_menu Launch || fail "no menu"
menu_choose 0 2
probe wait "$YK_TITLE" visible 5000 || fail "Launch did not show the window"

click "$YK_TITLE" 1091 || fail "could not click 1091"
probe wait "$QUIT_BOX" visible 5000 || fail "no message for a backup without the device"
[ "$(probe text "$QUIT_BOX" 65535)" = "Yarrowkeep not found" ] || fail "message: $(probe text "$QUIT_BOX" 65535)"
screenshot device-not-found
click "$QUIT_BOX" 1 || fail "could not click 1"
probe wait "$QUIT_BOX" gone 5000 || fail "the message did not close"

wait_for_notices || fail "the program does not receive the device's notices"
yksim refuse on
yksim plug
wait_until 10 home_line_is "SD Card Standby" || fail "home status: $(home_line)"
click "$YK_TITLE" 1091 || fail "could not click 1091"
probe wait "$ONE_BUTTON_BOX" visible 10000 || fail "no message for a refused card"
[ "$(probe text "$ONE_BUTTON_BOX" 1116)" = $'Failed to Enable SD Card.\nPlease check if other ports are using SD card.' ] ||
    fail "message: $(probe text "$ONE_BUTTON_BOX" 1116)"
screenshot enable-failed
click "$ONE_BUTTON_BOX" 1117 || fail "could not click 1117"
probe wait "$ONE_BUTTON_BOX" hidden 5000 || fail "the message did not close"
sleep 6
probe wait "$RESULT_BOX" hidden 100 || fail "a run started with the card refused"
yksim refuse off
probe wait "$RESULT_BOX" visible 20000 || fail "the run did not start once the device agreed"
card_folder=$(find "$YK_SIM_HOME/card/YarrowkeepCross" -type d -name 'Normal Backup' | head -1)
cmp "$pc/report.txt" "$card_folder/report.txt" || fail "the file was not backed up"
click "$RESULT_BOX" 1117 || fail "could not click 1117"
echo "PASS"
