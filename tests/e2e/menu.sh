# The side menu: every item switches the page and moves the highlight; with the card usable the backup and
# restore items lead to the backup/restore page. While a run is under way a click on the menu, and Quit in the
# notification area, show the busy notice and change nothing.
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
pc="$YK_ROOT/build/e2e-menu-pc"
rm -rf "$pc"
setup_done "$pc" 0
for i in $(seq 20); do echo "file $i" >"$pc/file-$i.txt"; done
use_simulator
yksim attach

ITEMS=(1101 1102 1103 1104 1106 1107)
# Only `item` shows its highlight (none for 0).
only_highlighted() {
    local other
    for other in "${ITEMS[@]}"; do
        if [ "$other" = "$1" ]; then
            menu_highlighted "$other" || return 1
        else
            menu_highlighted "$other" && return 1
        fi
    done
    return 0
}

start_program
probe wait "$YK_TITLE" visible 20000 || fail "plugging the device in did not show the window"
wait_until 10 home_line_is "Yarrowkeep Connected" || fail "home status: $(home_line)"
page_shown 214 || fail "not on the home page"
only_highlighted 0 || fail "a highlight on the home page"

# Picture or text of each item: page, highlight (image id, clicked id, page).
for step in "1101 1101 219" "1102 1097 219" "1103 1103 219" "1104 1098 219" "1106 1106 163" "1107 1023 146" \
    "1101 1095 219"; do
    read -r image clicked page <<<"$step"
    click "$YK_TITLE" "$clicked" || fail "could not click "$clicked""
    wait_until 5 page_shown "$page" || fail "item $clicked did not show page $page"
    for other in 214 219 163 146; do
        [ "$other" = "$page" ] || ! page_shown "$other" || fail "page $other still shown after item $clicked"
    done
    wait_until 5 only_highlighted "$image" || fail "item $clicked: the highlight is not on $image alone"
    [ "$step" = "1106 1106 163" ] && screenshot menu-settings
done
screenshot menu-normal-backup

# A run is under way until its result is closed.
click "$YK_TITLE" 1091 || fail "could not click 1091"
probe wait "$RESULT_BOX" visible 30000 || fail "the backup did not run"
click "$YK_TITLE" 1107 || fail "could not click 1107"
probe wait "$ONE_BUTTON_BOX" visible 5000 || fail "no busy notice for a menu click during the run"
[ "$(probe text "$ONE_BUTTON_BOX" 1116)" = "Already performing a backup or restore function" ] ||
    fail "busy notice: $(probe text "$ONE_BUTTON_BOX" 1116)"
screenshot busy-notice
page_shown 219 || fail "the page changed during the run"
only_highlighted 1101 || fail "the highlight moved during the run"
click "$ONE_BUTTON_BOX" 1117 || fail "could not click 1117"
probe wait "$ONE_BUTTON_BOX" hidden 5000 || fail "the busy notice did not close"

tray_menu Quit || fail "no menu during the run"
menu_choose 1 2
probe wait "$ONE_BUTTON_BOX" visible 5000 || fail "no busy notice for Quit during the run"
probe wait "$QUIT_BOX" gone 100 || fail "Quit asked during the run"
click "$ONE_BUTTON_BOX" 1117 || fail "could not click 1117"
probe wait "$ONE_BUTTON_BOX" hidden 5000 || fail "the busy notice did not close"

click "$RESULT_BOX" 1117 || fail "could not click 1117"
probe wait "$RESULT_BOX" gone 5000 || fail "the result did not close"
click "$YK_TITLE" 1107 || fail "could not click 1107"
wait_until 5 page_shown 146 || fail "the menu did not work again after the run"
probe wait "$ONE_BUTTON_BOX" hidden 100 || fail "a busy notice after the run"
echo "PASS"
