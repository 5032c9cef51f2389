# The backup/restore page's buttons: Start Backup copies the folder; after the PC lost its files, Select Date
# Range restores only the files last written within the chosen days, and Restore All the rest.
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
pc="$YK_ROOT/build/e2e-range-pc"
rm -rf "$pc"
setup_done "$pc" 0
mkdir -p "$pc/notes"
for entry in "january.txt 2024-01-10" "march.txt 2024-03-05" "notes/march-too.txt 2024-03-31" \
    "june.txt 2024-06-20" "notes/april.txt 2024-04-01"; do
    read -r name day <<<"$entry"
    echo "$name" >"$pc/$name"
    touch -d "$day 12:00:00" "$pc/$name"
done
use_simulator
yksim attach
RANGE='Yarrowkeep#1038#1039'
CONFIRM='Yarrowkeep#1086'

start_program
probe wait "$YK_TITLE" visible 20000 || fail "plugging the device in did not show the window"
wait_until 10 home_line_is "Yarrowkeep Connected" || fail "home status: $(home_line)"
click "$YK_TITLE" 1101 || fail "could not click 1101"
wait_until 5 page_shown 219 || fail "no backup/restore page"
[ "$(probe text "$YK_TITLE" 219/1108)" = "$(winepath -w "$pc" 2>/dev/null)" ] || fail "source box: $(probe text "$YK_TITLE" 219/1108)"
probe text "$YK_TITLE" 219/1115 | grep -q '^Total .* GB, Free .*B$' || fail "space line: $(probe text "$YK_TITLE" 219/1115)"
click "$YK_TITLE" 219/1113 || fail "could not click 219/1113"
probe wait "$RESULT_BOX" visible 30000 || fail "Start Backup did not run"
[ "$(result_done)" = 5 ] || fail "backup: $(result_done) files"
# The run lasts until its result is closed: the page's buttons and link only tell so.
for control in 1113 1111; do
    click "$YK_TITLE" "219/$control" || fail "could not click "219/$control""
    probe wait "$ONE_BUTTON_BOX" visible 5000 || fail "no busy notice for $control during the run"
    click "$ONE_BUTTON_BOX" 1117 || fail "could not click 1117"
    probe wait "$ONE_BUTTON_BOX" hidden 5000 || fail "the busy notice did not close"
done
page_shown 219 || fail "the settings link left the page during the run"
click "$RESULT_BOX" 1117 || fail "could not click 1117"
probe wait "$RESULT_BOX" hidden 5000 || fail "the result did not close"
card=$(card_backup_folder "Normal Backup")
rm -rf "${pc:?}"/*

# March only.
click "$YK_TITLE" 1103 || fail "could not click 1103"
wait_until 5 page_shown 219 || fail "no restore view"
[ "$(probe text "$YK_TITLE" 219/1116)" = "Select Date Range" ] || fail "left action: $(probe text "$YK_TITLE" 219/1116)"
click "$YK_TITLE" 219/1116 || fail "could not click 219/1116"
pick_folder "$(card_windows_path "$card")" || fail "no choice of the card folder"
probe wait "$RANGE" visible 10000 || fail "no date range dialog"
probe date "$RANGE" 1038 2024-03-01 || fail "could not set the start date"
probe date "$RANGE" 1039 2024-03-31 || fail "could not set the end date"
click "$RANGE" 1122 || fail "could not click 1122"
probe wait "$CONFIRM" visible 5000 || fail "no confirmation of the range"
[ "$(probe text "$CONFIRM" 1086)" = "2024/3/1 ~ 2024/3/31" ] || fail "range shown: $(probe text "$CONFIRM" 1086)"
click "$CONFIRM" 1120 || fail "could not click 1120"
probe wait "$RESULT_BOX" visible 30000 || fail "the range restore did not run"
click "$RESULT_BOX" 1117 || fail "could not click 1117"
probe wait "$RESULT_BOX" hidden 5000 || fail "the result did not close"
restored=$(cd "$pc" && find . -type f | sort | tr '\n' ' ')
[ "$restored" = "./march.txt ./notes/march-too.txt " ] || fail "the range restored: $restored"

# Everything.
click "$YK_TITLE" 219/1113 || fail "could not click 219/1113"
pick_folder "$(card_windows_path "$card")" || fail "no choice of the card folder"
probe wait "$RESULT_BOX" visible 30000 || fail "Restore All did not run"
[ "$(result_done)" = 3 ] || fail "Restore All: $(result_done) files, expected the 3 left"
click "$RESULT_BOX" 1117 || fail "could not click 1117"
for name in january.txt march.txt notes/march-too.txt june.txt notes/april.txt; do
    cmp "$card/$name" "$pc/$name" || fail "$name was not restored"
done
echo "PASS"
