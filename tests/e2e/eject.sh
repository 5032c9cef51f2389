# The phone asks for the card while the PC has it: question A, then B, then the card is given up (its drive
# letter goes). A declined question comes back only when the request changes from 1 to 2. Afterwards the file
# browser item takes the card back and opens it once its volume answers.
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
setup_done "$YK_ROOT/build/e2e-pc" 0
use_simulator
yksim attach
QUESTION='Yarrowkeep#1132'
TEXT_A="Another USB port detected wants to access the SD card. Are you sure you want to Eject SD Card?"
asked() { [ "$(probe text "$QUESTION" 1132)" = "$1" ] && probe wait "$QUESTION" visible 100; }

start_program
probe wait "$YK_TITLE" visible 20000 || fail "plugging the device in did not show the window"
wait_until 10 home_line_is "Yarrowkeep Connected" || fail "home status: $(home_line)"

# Declined: not asked again for the same request, asked again when it changes from 1 to 2.
yksim request 1
probe wait "$QUESTION" visible 12000 || fail "no question when the phone asked for the card"
asked "$TEXT_A" || fail "the first question is not A: $(probe text "$QUESTION" 1132)"
[ "$(probe text "$QUESTION" 1131)" = "Eject SD" ] || fail "question title: $(probe text "$QUESTION" 1131)"
click "$QUESTION" 1136 || fail "could not click 1136"
probe wait "$QUESTION" hidden 5000 || fail "No did not close the question"
sleep 11
probe wait "$QUESTION" hidden 100 || fail "a declined request was asked again"
yksim request 2
probe wait "$QUESTION" visible 12000 || fail "a request changing from 1 to 2 was not asked again"
asked "$TEXT_A" || fail "not question A: $(probe text "$QUESTION" 1132)"
screenshot eject-question-a

# Yes, then Yes: the card is released.
click "$QUESTION" 1134 || fail "could not click 1134"
wait_until 5 asked "After Eject SD Card, Windows will not be able to access the SD card. To access again, click the file browser button on the APP homepage. Are you sure you want to Eject SD Card?" ||
    fail "no second question after Yes"
screenshot eject-question-b
[ -L "$WINEPREFIX/dosdevices/u:" ] || fail "the card went before the second Yes"
click "$QUESTION" 1134 || fail "could not click 1134"
probe wait "$QUESTION" hidden 5000 || fail "the second Yes did not close the question"
wait_until 5 bash -c "[ ! -L '$WINEPREFIX/dosdevices/u:' ]" || fail "the card's drive letter stayed after the eject"
wait_until 5 home_line_is "SD Card Standby" || fail "home status after the eject: $(home_line)"
[ "$(yksim state | sed -n 's/.*"attached": \([a-z]*\).*/\1/p')" = false ] || fail "the device still has the card on the PC side"

# As question B says: the file browser item gives the card back to the PC and opens it.
yksim request 0
click "$YK_TITLE" 1100 || fail "could not click 1100"
BROWSER=' (U:)'
probe wait "$BROWSER" visible 15000 || fail "the file browser did not open the card"
[ -L "$WINEPREFIX/dosdevices/u:" ] || fail "the card is not on the PC side"
wait_until 5 home_line_is "Yarrowkeep Connected" || fail "home status after the file browser: $(home_line)"
screenshot file-browser
probe close "$BROWSER" || fail "could not close "$BROWSER""
probe wait "$BROWSER" gone 5000 || fail "the file browser did not close"
probe wait "$RESULT_BOX" hidden 100 || fail "a backup ran with the automatic backup off"
echo "PASS"
