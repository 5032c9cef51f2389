# The notification-area icon: the way back to the hidden window and out of the program. Started with the
# set-up done and no device, the program shows no window, only its icon; "Launch" and a double click bring the
# window, "Quit" asks first, the icon comes back when the taskbar is made anew, and the menu speaks the
# user's language.
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
setup_done "$YK_ROOT/build/e2e-pc"
use_simulator
yksim unplug

start_program
probe wait "$YK_TITLE" exists 20000 || fail "the program did not start"
wait_until 10 probe tray-present "$YK_TITLE" 128 || fail "no icon in the notification area"
sleep 1
probe wait "$YK_TITLE" hidden 100 || fail "a window showed without a device"

# Right click: the menu with its two items; "Launch" shows the home page, not connected.
tray_menu Launch || fail "the menu does not show Launch"
probe menu-shows Quit >/dev/null || fail "the menu does not show Quit"
screenshot tray-menu-en
menu_choose 0 2
probe wait "$YK_TITLE" visible 5000 || fail "Launch did not show the window"
page_shown 214 || fail "Launch did not show the home page"
home_line_is "Yarrowkeep not Connected" || fail "home status: $(home_line)"

# Close hides; a double click restores.
probe close "$YK_TITLE" || fail "could not close "$YK_TITLE""
probe wait "$YK_TITLE" hidden 5000 || fail "close did not hide the window"
tray_click 1 2
probe wait "$YK_TITLE" visible 5000 || fail "a double click did not restore the window"
tray_click 1 2
probe wait "$YK_TITLE" visible 2000 || fail "a double click on a shown window hid it"

# Enter and Escape in the main window change nothing.
probe key "$YK_TITLE" return || fail "could not key return"
probe key "$YK_TITLE" escape || fail "could not key escape"
sleep 1
probe wait "$YK_TITLE" visible 100 || fail "Enter or Escape hid the window"
page_shown 214 || fail "Enter or Escape changed the page"

# Plugging the device in shows the window again after a close.
probe close "$YK_TITLE" || fail "could not close "$YK_TITLE""
probe wait "$YK_TITLE" hidden 5000 || fail "close did not hide the window"
wait_for_notices || fail "the program does not receive the device's notices"
yksim plug
probe wait "$YK_TITLE" visible 10000 || fail "plugging the device in did not show the window"

# The taskbar is made anew (the shell restarted): every icon is gone, ours comes back.
probe tray-remove "$YK_TITLE" 128 || fail "could not take the icon away"
probe tray-present "$YK_TITLE" 128 && fail "the icon is still there"
probe broadcast TaskbarCreated || fail "could not broadcast the new taskbar"
wait_until 5 probe tray-present "$YK_TITLE" 128 || fail "the icon did not come back with the new taskbar"

# Quit, No: nothing changes.
tray_menu Quit || fail "no menu"
menu_choose 1 2
probe wait "$QUIT_BOX" visible 5000 || fail "Quit did not ask"
[ "$(probe text "$QUIT_BOX" 65535)" = "Are you sure you want to quit?" ] || fail "quit question: $(probe text "$QUIT_BOX" 65535)"
screenshot quit-question
click "$QUIT_BOX" 7 || fail "could not click 7"
probe wait "$QUIT_BOX" gone 5000 || fail "No did not close the question"
sleep 1
probe wait "$YK_TITLE" exists 100 || fail "No ended the program"
probe tray-present "$YK_TITLE" 128 || fail "No removed the icon"

# Quit, Yes: the icon goes and the process ends with code 0.
tray_menu Quit || fail "no menu"
menu_choose 1 2
probe wait "$QUIT_BOX" visible 5000 || fail "Quit did not ask"
click "$QUIT_BOX" 6 || fail "could not click 6"
expect_clean_exit 10 || fail "Quit, Yes: $EXIT_PROBLEM"

# The menu in the other two languages.
for setting in "zh_TW 開啟 關閉" "ja_JP 開く 終了"; do
    read -r locale launch quit <<<"$setting"
    export YK_LOCALE=$locale.UTF-8
    start_program
    wait_until 20 probe tray-present "$YK_TITLE" 128 || fail "no icon in $locale"
    tray_menu "$launch" || fail "the $locale menu does not show $launch"
    probe menu-shows "$(escaped "$quit")" >/dev/null || fail "the $locale menu does not show $quit"
    screenshot "tray-menu-$locale"
    xdotool key Escape
    stop_programs
done
echo "PASS"
