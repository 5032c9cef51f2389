# The first start with an empty profile: the set-up prompt, the folder picker, the confirmation, and the
# settings it leaves; a cancelled picker leaves the set-up pending and a menu click brings it back. Once the
# set-up is confirmed the device is taken up: the program enables the card itself and the automatic backup
# runs.
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
profile_clear
use_simulator
pc="$YK_ROOT/build/e2e-first-start"
rm -rf "$pc"
mkdir -p "$pc/photos"
echo "first" >"$pc/a.txt"
echo "second" >"$pc/photos/b.txt"

PICKER='Select Folder'
SETUP_BOX=$ONE_BUTTON_BOX
CONFIRM_BOX='Yarrowkeep#1115#1119'

start_program
probe wait "$SETUP_BOX" visible 20000 || fail "no set-up prompt at the first start"
[ "$(probe text "$SETUP_BOX" 1116)" = "Please Select Backup and Restore Path." ] ||
    fail "set-up prompt: $(probe text "$SETUP_BOX" 1116)"
probe wait "$YK_TITLE" hidden 100 || fail "the main window showed before the set-up"
screenshot first-start-prompt

# OK, then the picker is cancelled: nothing is saved.
click "$SETUP_BOX" 1117 || fail "could not click 1117"
probe wait "$PICKER" visible 10000 || fail "no folder picker after OK"
click "$PICKER" 2 || fail "could not click 2"
probe wait "$PICKER" gone 5000 || fail "the picker did not close on Cancel"
sleep 1
[ -z "$(profile_get APPInitialSetup)" ] || fail "a cancelled picker saved the set-up: $(profile_get APPInitialSetup)"
[ -z "$(profile_get Directory)" ] || fail "a cancelled picker saved a folder"
probe wait "$SETUP_BOX" hidden 100 || fail "the prompt came back by itself"

# The window from the notification area; any menu item brings the set-up back instead of its page.
tray_menu Launch || fail "no menu"
menu_choose 0 2
probe wait "$YK_TITLE" visible 5000 || fail "Launch did not show the window"
home_line_is "Yarrowkeep not Connected" || fail "home status before the set-up: $(home_line)"
click "$YK_TITLE" 1106 || fail "could not click 1106"
probe wait "$SETUP_BOX" visible 5000 || fail "a menu click before the set-up did not start it"
page_shown 214 || fail "the menu switched pages before the set-up"

# This time a folder is chosen and confirmed.
click "$SETUP_BOX" 1117 || fail "could not click 1117"
folder=$(winepath -w "$pc" 2>/dev/null)
pick_folder "$folder" || fail "no folder picker"
probe wait "$CONFIRM_BOX" visible 10000 || fail "no confirmation of the chosen folder"
[ "$(probe text "$CONFIRM_BOX" 1116)" = "Backup and Restore Path" ] || fail "confirmation: $(probe text "$CONFIRM_BOX" 1116)"
[ "$(probe text "$CONFIRM_BOX" 1119)" = "$folder" ] || fail "confirmation shows $(probe text "$CONFIRM_BOX" 1119)"
[ "$(profile_get Directory)" = "$folder" ] || fail "Directory: $(profile_get Directory)"
[ "$(profile_get 'Auto Backup')" = 0x1 ] || fail "Auto Backup: $(profile_get 'Auto Backup')"
[ "$(profile_get 'Secure Backup')" = 0x0 ] || fail "Secure Backup: $(profile_get 'Secure Backup')"
[ "$(profile_get APPInitialSetup)" = 0x1 ] || fail "APPInitialSetup: $(profile_get APPInitialSetup)"
screenshot first-start-confirmation
click "$CONFIRM_BOX" 1117 || fail "could not click 1117"

# The device is plugged in with its card in standby: the program asks for the card, and the automatic
# backup runs once its volume answers.
probe wait "$RESULT_BOX" visible 30000 || fail "the automatic backup did not run"
screenshot first-start-backup-result
card_folder=$(find "$YK_SIM_HOME/card/YarrowkeepCross" -type d -name 'Normal Backup' | head -1)
[ -n "$card_folder" ] || fail "no backup folder on the card"
cmp "$pc/a.txt" "$card_folder/a.txt" || fail "a.txt was not backed up"
cmp "$pc/photos/b.txt" "$card_folder/photos/b.txt" || fail "photos/b.txt was not backed up"
click "$RESULT_BOX" 1117 || fail "could not click 1117"
probe wait "$RESULT_BOX" gone 5000 || fail "the result did not close"
home_line_is "Yarrowkeep Connected" || fail "home status after the backup: $(home_line)"
echo "PASS"
