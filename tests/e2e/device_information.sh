# Help -> Device Information shows what the device's pages say, and nothing read from a damaged page;
# Help -> Voltage and Current follows the ports' values every second and falls to zero once the device is gone.
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
setup_done "$YK_ROOT/build/e2e-pc" 0
use_simulator
replies="$YK_ROOT/build/e2e-replies"
mkdir -p "$replies"

# The pages a test device sends: the information page (serial, product block version 3, model, product
# number, checksum) and the device information block (a chain of five records from offset 16 + 15).
python3 - "$replies" <<'PY'
import sys
out = sys.argv[1]
def page(checksum_ok=True):
    p = bytearray(128)
    p[0:3] = b"\x55\xAA\xBB"
    p[6:12] = bytes.fromhex("0123456789AB")
    p[16:20] = b"\x55\xAA\xBB\x56"
    p[20] = 3
    p[26] = 0x0A
    model = b"Keeper One"
    p[27] = len(model) + 1
    p[28:28 + len(model)] = model
    k = 27 + p[27]
    p[k] = 3
    q = k + 3
    p[q:q + 4] = bytes.fromhex("594B3031")
    p[q + 7:q + 12] = b"JP123"
    total = sum(p[0:126]) + (0 if checksum_ok else 1)
    p[126], p[127] = total >> 8, total & 0xFF
    return bytes(p)
def block(texts, first_length=None):
    b = bytearray(512)
    b[16] = 0x21
    start = (b[16] + 15) % 256
    for i, text in enumerate(texts):
        length = 4 + len(text) + 1 if not (i == 0 and first_length is not None) else first_length
        b[start + 1] = length
        b[start + 4:start + 4 + len(text)] = text
        start = (start + max(length, 1)) % 256
    return bytes(b)
open(out + "/page.bin", "wb").write(page())
open(out + "/block.bin", "wb").write(block([b"Record Model", b"Yarrow Works", b"", b"2.1.0", b"B3"]))
open(out + "/bad-page.bin", "wb").write(page(checksum_ok=False))
open(out + "/bad-block.bin", "wb").write(block([b"Record Model", b"Yarrow Works", b"", b"2.1.0", b"B3"], first_length=2))
PY

INFO='Yarrowkeep#1064'
POWER='Yarrowkeep#1075'
info_values() { local id; for id in 1064 1065 1066 1067 1068 1069 1070; do probe text "$INFO" "$id"; done | paste -sd'|'; }
open_help_row() {
    click "$YK_TITLE" 1107 || fail "could not click the help item"
    wait_until 5 page_shown 146 || fail "the help page did not open"
    click "$YK_TITLE" "146/$1" || fail "could not click the help row 146/$1"
}
close_dialog() {
    probe close "$1" || fail "could not close $1"
    probe wait "$1" gone 5000 || fail "$1 did not close"
}

yksim info-page "$replies/page.bin"
yksim device-info "$replies/block.bin"
start_program
probe wait "$YK_TITLE" visible 20000 || fail "plugging the device in did not show the window"
wait_until 10 home_line_is "Yarrowkeep Connected" || fail "home status: $(home_line)"
version=$(sed -n 's/^YK_VERSION:STRING=//p' "$(dirname "$YK_EXE")/CMakeCache.txt")

# What the pages say, read back from the dialog's controls; the program's version from its resource.
open_help_row 1024
probe wait "$INFO" visible 10000 || fail "Device Information did not open"
expected="Yarrow Works|Keeper One|012345-6789AB|594B3031-AJP123|2.1.0|B3|$version"
[ "$(info_values)" = "$expected" ] || fail "device information: $(info_values), expected $expected"
[ "$(probe text "$INFO" 1057)" = "Manufacturer :" ] || fail "label: $(probe text "$INFO" 1057)"
[ "$(probe text "$INFO" 1116)" = "Device Information" ] || fail "title: $(probe text "$INFO" 1116)"
screenshot device-information
close_dialog "$INFO"

# A page whose checksum fails gives nothing of it: no serial, "-" as product number, the model from the
# block. Then a block whose first record is too short to be one: none of its texts.
yksim info-page "$replies/bad-page.bin"
open_help_row 1024
probe wait "$INFO" visible 10000 || fail "Device Information did not open over a damaged page"
expected="Yarrow Works|Record Model||-|2.1.0|B3|$version"
[ "$(info_values)" = "$expected" ] || fail "over a damaged page: $(info_values), expected $expected"
close_dialog "$INFO"
yksim device-info "$replies/bad-block.bin"
open_help_row 1024
probe wait "$INFO" visible 10000 || fail "Device Information did not open over a damaged block"
expected="|||-|||$version"
[ "$(info_values)" = "$expected" ] || fail "over damaged replies: $(info_values), expected $expected"
close_dialog "$INFO"

# Voltage and current: the simulator's values, a change within two seconds, zero after an unplug.
power_is() { [ "$(probe text "$POWER" 1075)|$(probe text "$POWER" 1076)" = "$1" ]; }
yksim power 5000 500 9000 1500
open_help_row 1028
probe wait "$POWER" visible 10000 || fail "Voltage and Current did not open"
wait_until 3 power_is "5.00 V / 0.50 A|9.00 V / 1.50 A" ||
    fail "power lines: $(probe text "$POWER" 1075) | $(probe text "$POWER" 1076)"
[ "$(probe text "$POWER" 1073)|$(probe text "$POWER" 1074)" = "USB-A :|USB-C :" ] || fail "power labels"
screenshot voltage-current
yksim power 5130 330 12000 2250
wait_until 2 power_is "5.13 V / 0.33 A|12.00 V / 2.25 A" ||
    fail "the lines did not follow within two seconds: $(probe text "$POWER" 1075) | $(probe text "$POWER" 1076)"
yksim unplug
wait_until 3 power_is "0.00 V / 0.00 A|0.00 V / 0.00 A" ||
    fail "after the unplug: $(probe text "$POWER" 1075) | $(probe text "$POWER" 1076)"
sleep 2
power_is "0.00 V / 0.00 A|0.00 V / 0.00 A" || fail "the lines changed while the device was gone"
close_dialog "$POWER"
echo "PASS"
