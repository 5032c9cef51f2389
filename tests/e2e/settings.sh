# The settings page writes the profile as it is switched; the folder row changes the backup folder; Eject
# releases the card once a declined question has offered it; Auto Launch works only for a copy under Program
# Files, which registers its quoted path under both registry views and removes it again.
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
pc="$YK_ROOT/build/e2e-settings-pc"
other="$YK_ROOT/build/e2e-settings-other"
rm -rf "$pc" "$other"
mkdir -p "$other"
setup_done "$pc" 0
use_simulator
yksim attach
RUN_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
RUN_KEY_32='HKLM\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Run'
installed="$WINEPREFIX/drive_c/Program Files/Yarrowkeep"
run_value() { wine reg query "$1" /v Yarrowkeep 2>/dev/null | tr -d '\r' | sed -n 's/^ *Yarrowkeep *REG_SZ *//p'; }
forget_auto_launch() {
    wine reg delete "$RUN_KEY" /v Yarrowkeep /f >/dev/null 2>&1 || true
    wine reg delete "$RUN_KEY_32" /v Yarrowkeep /f >/dev/null 2>&1 || true
    rm -rf "$installed"
}
forget_auto_launch
# Every 64-bit Windows has both Run keys; a Wine prefix without 32-bit programs lacks the second one.
wine reg add "$RUN_KEY_32" /f >/dev/null 2>&1
trap 'stop_programs; yksim stop; forget_auto_launch' EXIT
values() { echo "$(profile_get 'Auto Backup')/$(profile_get 'Secure Backup')"; }
switches() {
    local state
    for state in 1009 1011; do
        probe checked "$YK_TITLE" "163/$state" >/dev/null && printf 1 || printf 0
    done
}

start_program
probe wait "$YK_TITLE" visible 20000 || fail "plugging the device in did not show the window"
wait_until 10 home_line_is "Yarrowkeep Connected" || fail "home status: $(home_line)"
click "$YK_TITLE" 1111 || fail "could not click 1111"
wait_until 5 page_shown 163 || fail "no settings page"
[ "$(switches)" = 00 ] || fail "switches at the start: $(switches)"
[ "$(probe text "$YK_TITLE" 163/1033)" = "$(winepath -w "$pc" 2>/dev/null)" ] || fail "folder: $(probe text "$YK_TITLE" 163/1033)"
[ "$(probe text "$YK_TITLE" 163/1030)" = "APP is the Latest Version" ] || fail "version line: $(probe text "$YK_TITLE" 163/1030)"
screenshot settings-page

# Each click, then the profile and the switches (Auto Backup, Secure Backup).
for step in "1093 0x1/0x0 10" "1094 0x1/0x1 11" "1093 0x0/0x0 00" "1094 0x1/0x1 11" "1094 0x1/0x0 10"; do
    read -r click profile shown <<<"$step"
    click "$YK_TITLE" "163/$click" || fail "could not click "163/$click""
    wait_until 5 test "$(values)" = "$profile" || fail "after $click the profile holds $(values), expected $profile"
    [ "$(switches)" = "$shown" ] || fail "after $click the switches show $(switches), expected $shown"
done

# The folder row: the picker starts in the folder set, the choice is saved and shown.
click "$YK_TITLE" 163/1031 || fail "could not click 163/1031"
pick_folder "$(winepath -w "$other" 2>/dev/null)" || fail "no folder picker"
wait_until 5 test "$(profile_get Directory)" = "$(winepath -w "$other" 2>/dev/null)" ||
    fail "Directory after Browse: $(profile_get Directory)"
[ "$(probe text "$YK_TITLE" 163/1033)" = "$(winepath -w "$other" 2>/dev/null)" ] || fail "folder field after Browse"

# Auto Launch from a copy outside Program Files: the message, and nothing written.
click "$YK_TITLE" 163/1092 || fail "could not click 163/1092"
probe wait "$ONE_BUTTON_BOX" visible 5000 || fail "no message for Auto Launch outside Program Files"
[ "$(probe text "$ONE_BUTTON_BOX" 1116)" = "The executable file is not in the installation path, please check." ] ||
    fail "message: $(probe text "$ONE_BUTTON_BOX" 1116)"
click "$ONE_BUTTON_BOX" 1117 || fail "could not click 1117"
probe checked "$YK_TITLE" 163/1010 >/dev/null && fail "the Auto Launch switch moved"
[ -z "$(run_value "$RUN_KEY")$(run_value "$RUN_KEY_32")" ] || fail "a Run value was written"
[ -z "$(profile_get 'Auto Launch')" ] || fail "Auto Launch was written: $(profile_get 'Auto Launch')"

# Eject: offered once the phone's request was declined; the question, then the card goes.
probe shown "$YK_TITLE" 163/1034 >/dev/null && fail "Eject is shown before a declined request"
yksim request 1
probe wait 'Yarrowkeep#1132' visible 12000 || fail "no eject question"
click 'Yarrowkeep#1132' 1136 || fail "could not click 1136"
wait_until 5 probe shown "$YK_TITLE" 163/1034 >/dev/null || fail "Eject not offered after the declined request"
[ "$(probe text "$YK_TITLE" 163/1028)" = "SD card is using" ] || fail "SD line: $(probe text "$YK_TITLE" 163/1028)"
click "$YK_TITLE" 163/1034 || fail "could not click 163/1034"
EJECT_BOX='Yarrowkeep#1116#1121'
probe wait "$EJECT_BOX" visible 5000 || fail "no eject confirmation"
[ "$(probe text "$EJECT_BOX" 1116)" = "Are you sure you want to Eject SD Card?" ] || fail "question: $(probe text "$EJECT_BOX" 1116)"
click "$EJECT_BOX" 1120 || fail "could not click 1120"
wait_until 5 bash -c "[ ! -L '$WINEPREFIX/dosdevices/u:' ]" || fail "the card's drive letter stayed after the eject"
wait_until 5 page_shown 214 || fail "the eject did not lead to the home page"
[ "$(probe text "$YK_TITLE" 163/1028)" = "SD card is unused" ] || fail "SD line after the eject: $(probe text "$YK_TITLE" 163/1028)"
stop_programs

# Auto Launch from a copy under Program Files: the quoted upper-case path under both views, then removed.
profile_set "Auto Backup" dword 0
yksim request 0
mkdir -p "$installed"
cp "$YK_EXE" "$installed/yarrowkeep.exe"
YK_EXE="$installed/yarrowkeep.exe" start_program
probe wait "$YK_TITLE" visible 20000 || fail "the installed copy did not show its window"
# The card found present brings the home page forward: the click waits until the program has taken it.
wait_until 10 home_line_is "Yarrowkeep Connected" || fail "home status: $(home_line)"
click "$YK_TITLE" 1111 || fail "could not click 1111"
wait_until 5 page_shown 163 || fail "no settings page"
click "$YK_TITLE" 163/1092 || fail "could not click 163/1092"
expected='"C:\PROGRAM FILES\YARROWKEEP\YARROWKEEP.EXE"'
wait_until 5 test "$(run_value "$RUN_KEY")" = "$expected" || fail "Run value: $(run_value "$RUN_KEY")"
[ "$(run_value "$RUN_KEY_32")" = "$expected" ] || fail "32-bit Run value: $(run_value "$RUN_KEY_32")"
[ "$(profile_get 'Auto Launch')" = 0x1 ] || fail "Auto Launch: $(profile_get 'Auto Launch')"
probe checked "$YK_TITLE" 163/1010 >/dev/null || fail "the Auto Launch switch did not turn on"
# The profile follows a Run value it does not know of when the page loads.
profile_set "Auto Launch" dword 0
click "$YK_TITLE" 1107 || fail "could not click 1107"
click "$YK_TITLE" 1111 || fail "could not click 1111"
wait_until 5 test "$(profile_get 'Auto Launch')" = 0x1 || fail "the page did not take up the Run value"
click "$YK_TITLE" 163/1092 || fail "could not click 163/1092"
wait_until 5 test -z "$(run_value "$RUN_KEY")$(run_value "$RUN_KEY_32")" || fail "the Run values stayed"
[ "$(profile_get 'Auto Launch')" = 0x0 ] || fail "Auto Launch after turning it off: $(profile_get 'Auto Launch')"

# The back image leads home.
click "$YK_TITLE" 163/1090 || fail "could not click 163/1090"
wait_until 5 page_shown 214 || fail "the back image did not lead to the home page"
echo "PASS"
