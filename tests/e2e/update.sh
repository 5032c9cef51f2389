# The update from start to end: a loopback server announces a newer release; after start-up the program offers
# it, the settings page says so, Update downloads the installer with a moving progress line, verifies it,
# starts it, and the program ends with code 0 and its icon gone. The installer is a small test program that
# leaves a mark beside itself.
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
: "${YK_MARK_INSTALLER:?the test installer}"

export YK_UPDATE_PORT=47692 YK_UPDATE_TLS_PORT=47693 YK_UPDATE_HOME="$YK_ROOT/build/e2e-updateserver"
ykupdate() { python3 "$YK_ROOT/tools/updateserver/ykupdate.py" "$@"; }

UPDATE='Yarrowkeep#1162'
app="$YK_ROOT/build/e2e-update/app"
rm -rf "$app" "$YK_UPDATE_HOME"
mkdir -p "$app"
cp "$YK_EXE" "$app/yarrowkeep.exe"
export YK_EXE="$app/yarrowkeep.exe"

# The server's files: the version file names a release above the program's own and the installer's digest.
served="$YK_UPDATE_HOME/files/e2e/Upload/download/Yarrowkeep Server Data"
mkdir -p "$served"
cp "$YK_MARK_INSTALLER" "$served/Yarrowkeep_Setup_e2e.exe"
# Big enough that the download takes a few seconds at the server's slow pace: the progress line is seen moving.
head -c 400000 /dev/urandom >>"$served/Yarrowkeep_Setup_e2e.exe"
digest=$(md5sum "$served/Yarrowkeep_Setup_e2e.exe" | cut -d' ' -f1)
printf '[Yarrowkeep Version]\r\n999\r\n[Yarrowkeep File]\r\nYarrowkeep_Setup_e2e.exe\r\n[Yarrowkeep File MD5]\r\n%s\r\n' \
    "$digest" >"$served/Yarrowkeep_Version.bin"
ykupdate start >/dev/null || fail "the update server did not start"
trap 'stop_programs; yksim stop; ykupdate stop' EXIT

setup_done "$YK_ROOT/build/e2e-pc" 0
use_simulator
trap 'stop_programs; yksim stop; ykupdate stop' EXIT
export YARROWKEEP_UPDATE_URL="http://127.0.0.1:$YK_UPDATE_PORT/slow/e2e"
start_program
probe wait "$YK_TITLE" visible 20000 || fail "plugging the device in did not show the window"

# Five seconds after start-up the check runs and offers the release.
probe wait "$UPDATE" visible 20000 || fail "no update offer"
[ "$(probe text "$UPDATE" 1161)" = "New version is released. Would you like to update?" ] ||
    fail "offer: $(probe text "$UPDATE" 1161)"
line=$(probe text "$UPDATE" 1162 | paste -sd'|')
case "$line" in
"Current Ver : V000|  ;  New Ver : V999") ;;
*) fail "version line: $line" ;;
esac
[ -n "$(profile_get AutoCheckUpdate)" ] || fail "the check wrote no time stamp"
[ -f "$app/Yarrowkeep_Version.bin" ] || fail "the version file is not beside the program"
screenshot update-offer

# Cancel: the program runs on, and the settings page keeps the offer.
click "$UPDATE" 1166 || fail "could not click Cancel"
probe wait "$UPDATE" gone 5000 || fail "Cancel did not close the offer"
click "$YK_TITLE" 1106 || fail "could not open the settings page"
wait_until 5 page_shown 163 || fail "no settings page"
[ "$(probe text "$YK_TITLE" 163/1030)" = "New Version has been Released" ] ||
    fail "version line: $(probe text "$YK_TITLE" 163/1030)"
probe shown "$YK_TITLE" 163/1035 >/dev/null || fail "the Update control is hidden"
[ ! -e "$app/Yarrowkeep_Setup_e2e.exe" ] || fail "the installer came before Update"

# Update on the settings page, then in the offer: the download shows its progress, moving.
click "$YK_TITLE" 163/1035 || fail "could not click Update on the settings page"
probe wait "$UPDATE" visible 5000 || fail "Update did not open the offer"
click "$UPDATE" 1164 || fail "could not click Update"
progress_line() { probe text "$UPDATE" 1162; }
progress_shown() { progress_line | grep -q '^Download \.\.\. [0-9.]* %$'; }
progress_moved() { [ "$(progress_line)" != "$first" ]; }
wait_until 10 progress_shown || fail "no progress line: $(progress_line)"
first=$(progress_line)
screenshot update-download
wait_until 10 progress_moved || fail "the progress line stays at $first"
# The window answers while the download runs.
probe text "$YK_TITLE" 163/1030 >/dev/null || fail "the main window does not answer during the download"

# The installer starts once verified, and the program ends with code 0, its icon gone first.
wait_until 60 test -f "$app/installer-ran.txt" || fail "the installer did not start"
expect_clean_exit 20 || fail "after the installer started: $EXIT_PROBLEM"
cmp -s "$served/Yarrowkeep_Setup_e2e.exe" "$app/Yarrowkeep_Setup_e2e.exe" || fail "the installer differs from the server's"
ls "$app" | grep -q '\.yktmp$' && fail "a temporary download was left"
grep -q "e2e" "$app/installer-ran.txt" || fail "the mark names no installer: $(cat "$app/installer-ran.txt")"
echo "update: offered, kept on the settings page, downloaded with progress, verified, started, ended with 0"
