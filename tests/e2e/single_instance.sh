# A second start brings the first window forward and leaves no window of its own.
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
setup_done "$YK_ROOT/build/e2e-pc"

probe wait "$YK_TITLE" gone 5000 || fail "a program window is already open"
start_program
probe wait "$YK_TITLE" exists 20000 || fail "the program did not start"
sleep 1
probe wait "$YK_TITLE" hidden 1000 || fail "the main window is visible before anything asked for it"

# The second instance must end by itself, quickly, and never show a window.
timeout 20 wine "$YK_EXE" || fail "the second start did not end by itself"
probe wait "$YK_TITLE" visible 10000 || fail "the first window did not come forward"
count=$(probe windows "$YK_TITLE" | sed -n 's/^count=//p' | tr -d '\r')
[ "$count" = 1 ] || fail "expected one program window, found $count"
screenshot single-instance

# Closing only hides the window; the program keeps running.
probe close "$YK_TITLE" || fail "could not close "$YK_TITLE""
probe wait "$YK_TITLE" hidden 5000 || fail "close did not hide the window"
probe wait "$YK_TITLE" exists 1000 || fail "close ended the program"
echo "PASS"
