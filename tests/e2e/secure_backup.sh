# The encrypted way: Secure Backup turned on and a default password set on the settings page, the automatic
# backup at plug-in is encrypted (".vltrin" files on the card); Decrypt Restore, Restore All with the password
# brings the same bytes back.
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
pc="$YK_ROOT/build/e2e-secure-pc"
rm -rf "$pc" "$pc.original"
setup_done "$pc" 1
mkdir -p "$pc/letters"
printf 'dear card\n' >"$pc/letters/one.txt"
head -c 200000 /dev/urandom >"$pc/photo.jpg"
cp -a "$pc" "$pc.original"
use_simulator
yksim unplug
PASSWORD='correct horse 7'

start_program
wait_until 20 probe tray-present "$YK_TITLE" 128 || fail "the program did not start"
tray_menu Launch || fail "no menu"
menu_choose 0 2
probe wait "$YK_TITLE" visible 5000 || fail "Launch did not show the window"

# The settings page: Auto Backup on (the set-up did that), Secure Backup off; turning it on writes both.
click "$YK_TITLE" 1106 || fail "could not click 1106"
wait_until 5 page_shown 163 || fail "no settings page"
probe checked "$YK_TITLE" 163/1009 >/dev/null || fail "Auto Backup is not shown on"
probe checked "$YK_TITLE" 163/1011 >/dev/null && fail "Secure Backup is shown on"
click "$YK_TITLE" 163/1094 || fail "could not click 163/1094"
wait_until 5 probe checked "$YK_TITLE" 163/1011 >/dev/null || fail "the Secure Backup switch did not turn on"
[ "$(profile_get 'Secure Backup')" = 0x1 ] || fail "Secure Backup: $(profile_get 'Secure Backup')"
[ "$(profile_get 'Auto Backup')" = 0x1 ] || fail "Auto Backup: $(profile_get 'Auto Backup')"

# The default password: Set, the new password twice, OK, the saved message.
[ "$(probe text "$YK_TITLE" 163/1026)" = "Password is not set" ] || fail "password line: $(probe text "$YK_TITLE" 163/1026)"
click "$YK_TITLE" 163/1032 || fail "could not click 163/1032"
probe wait 'Yarrowkeep#1030#1031' visible 5000 || fail "no password dialog"
probe type 'Yarrowkeep#1030#1031' 1030 "$PASSWORD" || fail "could not type "$PASSWORD""
probe type 'Yarrowkeep#1030#1031' 1031 "$PASSWORD" || fail "could not type "$PASSWORD""
click 'Yarrowkeep#1030#1031' 1120 || fail "could not click 1120"
probe wait "$ONE_BUTTON_BOX" visible 5000 || fail "no message after the new password"
click "$ONE_BUTTON_BOX" 1117 || fail "could not click 1117"
wait_until 5 bash -c "[ \"\$(wine '$YK_PROBE' text '$YK_TITLE' 163/1026 | tr -d '\r')\" = 'Password has been set' ]" ||
    fail "password line after setting it: $(probe text "$YK_TITLE" 163/1026)"
screenshot settings-password-set

# Plugged in: the automatic backup is the encrypted one.
yksim plug
probe wait "$RESULT_BOX" visible 30000 || fail "no automatic backup"
[ "$(result_done)" = 2 ] || fail "encrypted backup: $(result_done) files done"
click "$RESULT_BOX" 1117 || fail "could not click 1117"
probe wait "$RESULT_BOX" hidden 5000 || fail "the result did not close"
card=$(card_backup_folder "Encrypt Backup")
[ -n "$card" ] || fail "no Encrypt Backup folder on the card"
[ -f "$card/photo.jpg.vltrin" ] && [ -f "$card/letters/one.txt.vltrin" ] || fail "no encrypted files on the card"
cmp -s "$pc/photo.jpg" "$card/photo.jpg.vltrin" && fail "the card holds the plain bytes"
[ -z "$(card_backup_folder "Normal Backup")" ] || fail "a plain backup was made too"

# The PC's files are lost; Decrypt Restore, Restore All, the card folder it offers, the password.
rm -rf "${pc:?}"/*
click "$YK_TITLE" 1104 || fail "could not click 1104"
wait_until 5 page_shown 219 || fail "no backup/restore page"
[ "$(probe text "$YK_TITLE" 219/1113)" = "Restore All" ] || fail "right action: $(probe text "$YK_TITLE" 219/1113)"
screenshot decrypt-restore-view
click "$YK_TITLE" 219/1113 || fail "could not click 219/1113"
pick_folder "$(card_windows_path "$card")" || fail "no choice of the card folder"
probe wait 'Yarrowkeep#1035' visible 10000 || fail "no password question for the restore"
probe type 'Yarrowkeep#1035' 1035 "$PASSWORD" || fail "could not type "$PASSWORD""
click 'Yarrowkeep#1035' 1120 || fail "could not click 1120"
probe wait "$RESULT_BOX" visible 30000 || fail "the restore did not run"
[ "$(result_done)" = 2 ] || fail "restore: $(result_done) files done"
click "$RESULT_BOX" 1117 || fail "could not click 1117"
for file in photo.jpg letters/one.txt; do
    cmp "$pc.original/$file" "$pc/$file" || fail "$file was not restored to its bytes"
done
rm -rf "$pc.original"
echo "PASS"
