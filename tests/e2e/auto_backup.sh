# The automatic backup on plug-in: the folder goes to the card's "Normal Backup" folder with its bytes and
# times; plugged in again, everything is skipped; a changed file gets a numbered version beside the old one.
# At the first plug-in the phone holds the card: the program asks for it until the device agrees.
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
pc="$YK_ROOT/build/e2e-auto-pc"
rm -rf "$pc"
setup_done "$pc" 1
mkdir -p "$pc/photos/2024"
printf 'first file\n' >"$pc/a.txt"
head -c 300000 /dev/urandom >"$pc/photos/2024/beach.jpg"
printf '' >"$pc/empty.txt"
touch -d '2024-03-05 10:20:30' "$pc/a.txt"
touch -d '2023-12-31 23:59:58' "$pc/photos/2024/beach.jpg"
use_simulator
yksim unplug
yksim other-port on
enables_reach() { [ "$(yksim state | sed -n 's/.*"enables": \([0-9]*\).*/\1/p')" -ge "$1" ]; }

start_program
wait_until 20 probe tray-present "$YK_TITLE" 128 || fail "the program did not start"
wait_for_notices || fail "the program does not receive the device's notices"
yksim plug
probe wait "$YK_TITLE" visible 10000 || fail "plugging the device in did not show the window"
wait_until 10 enables_reach 2 || fail "the program did not ask for the card held by the phone"
probe wait "$RESULT_BOX" hidden 100 || fail "a backup ran while the phone held the card"
yksim other-port off
probe wait "$RESULT_BOX" visible 30000 || fail "the backup did not start once the device agreed"
[ "$(result_done)" = 3 ] || fail "first backup: $(result_done) files done, expected 3"
screenshot auto-backup-result
click "$RESULT_BOX" 1117 || fail "could not click 1117"
probe wait "$RESULT_BOX" hidden 5000 || fail "the result did not close"

card=$(card_backup_folder "Normal Backup")
[ -n "$card" ] || fail "no Normal Backup folder on the card"
for file in a.txt photos/2024/beach.jpg empty.txt; do
    cmp "$pc/$file" "$card/$file" || fail "$file differs on the card"
    [ "$(stat -c %Y "$pc/$file")" = "$(stat -c %Y "$card/$file")" ] || fail "$file has another time on the card"
done
before=$(find "$card" -type f -printf '%P %T@\n' | sort)

# Plugged in again: every file is on the card already.
yksim unplug
probe wait "$YK_TITLE" hidden 10000 || fail "unplugging did not hide the window"
yksim plug
probe wait "$RESULT_BOX" visible 30000 || fail "no backup at the second plug-in"
[ "$(probe text "$RESULT_BOX" 1089)" = "No items to Backup" ] || fail "second backup: $(probe text "$RESULT_BOX" 1089) $(result_done)"
click "$RESULT_BOX" 1117 || fail "could not click 1117"
probe wait "$RESULT_BOX" hidden 5000 || fail "the result did not close"
[ "$(find "$card" -type f -printf '%P %T@\n' | sort)" = "$before" ] || fail "the second backup changed the card"

# A changed file: a numbered version beside the old one, which stays as it was.
printf 'second version\n' >"$pc/a.txt"
touch -d '2024-04-01 08:00:00' "$pc/a.txt"
yksim unplug
probe wait "$YK_TITLE" hidden 10000 || fail "unplugging did not hide the window"
yksim plug
probe wait "$RESULT_BOX" visible 30000 || fail "no backup at the third plug-in"
[ "$(result_done)" = 1 ] || fail "third backup copied $(result_done) files"
click "$RESULT_BOX" 1117 || fail "could not click 1117"
cmp "$pc/a.txt" "$card/a (2).txt" || fail "the changed file is not beside the old one as a (2).txt"
[ "$(cat "$card/a.txt")" = "first file" ] || fail "the earlier version was changed"
echo "PASS"
