# The setup program from start to end, in a Wine prefix of its own: a silent install (files, Start menu
# shortcut, Add/Remove entry), the installed program (built without the simulator: no device even with one
# running), Auto Launch in both registry views, the update from version N to N+1 through the program's own
# Update (download, verification, the silent install of N+1 while the program ends, the new version started),
# and a silent uninstall that removes everything of the program and leaves the user's profile.
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"

build=$(dirname "$YK_EXE")
version=$(sed -n 's/^YK_VERSION:STRING=//p' "$build/CMakeCache.txt")
IFS=. read -r major minor patch <<<"$version"
next="$major.$minor.$((patch + 1))"
# The update check compares the last three parts of the file version, run together: 1.0.1.0 is "010".
next_number="$minor$((patch + 1))0"
cmake --build "$build" --target installer >/dev/null || fail "the installer did not build"
setup="$build/installer/yarrowkeep-setup-$version.exe"
next_setup="$build/installer/yarrowkeep-setup-$next.exe"
bash "$YK_ROOT/scripts/build-installer.sh" "$next" "$build/installer" >/dev/null || fail "version $next did not build"
[ -f "$setup" ] && [ -f "$next_setup" ] || fail "no setup programs"

# A simulated device of its own (a program built without the simulator must not find it), and a fresh
# prefix: nothing of the development runs in it.
export YK_SIM_PORT=47662 YK_SIM_LETTER=V YK_SIM_HOME="$YK_ROOT/build/e2e-install-simulator"
export WINEPREFIX="$YK_ROOT/build/e2e-install-prefix"
wineserver -k >/dev/null 2>&1 || true
rm -rf "$WINEPREFIX"
yk_prepare_wineprefix
finish() {
    stop_programs
    yksim stop >/dev/null 2>&1 || true
    python3 "$YK_ROOT/tools/updateserver/ykupdate.py" stop >/dev/null 2>&1 || true
    wineserver -k >/dev/null 2>&1 || true
}
trap finish EXIT

folder='C:\Program Files\Yarrowkeep'
unix_folder="$WINEPREFIX/drive_c/Program Files/Yarrowkeep"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Yarrowkeep.lnk"
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Yarrowkeep'
RUN_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
RUN_KEY_32='HKLM\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Run'
reg_value() { wine reg query "$1" /v "$2" /reg:64 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
run_value() { reg_value "$1" Yarrowkeep; }
# For wait_until, which runs a command again and again: the values are read at each try.
run_value_is() { [ "$(run_value "$1")" = "$2" ]; }
listed_version_is() { [ "$(reg_value "$UNINSTALL_KEY" DisplayVersion)" = "$1" ]; }
installed_version_is() { [ "$(probe file-version "$folder\\yarrowkeep.exe")" = "$1.0" ]; }

# Silent install.
yk_wine "$setup" /S || fail "the silent install failed"
[ -f "$unix_folder/yarrowkeep.exe" ] && [ -f "$unix_folder/uninstall.exe" ] || fail "files: $(ls "$unix_folder")"
[ -f "$shortcut" ] || fail "no Start menu shortcut"
[ "$(reg_value "$UNINSTALL_KEY" DisplayName)" = Yarrowkeep ] || fail "Add/Remove name: $(reg_value "$UNINSTALL_KEY" DisplayName)"
[ "$(reg_value "$UNINSTALL_KEY" DisplayVersion)" = "$version" ] || fail "Add/Remove version"
[ "$(reg_value "$UNINSTALL_KEY" Publisher)" = Yarrowkeep ] || fail "Add/Remove publisher"
[ "$(reg_value "$UNINSTALL_KEY" DisplayIcon)" = "$folder\\yarrowkeep.exe,0" ] || fail "Add/Remove icon"
[ "$(reg_value "$UNINSTALL_KEY" UninstallString)" = "\"$folder\\uninstall.exe\"" ] || fail "Add/Remove command"
[ -n "$(reg_value "$UNINSTALL_KEY" EstimatedSize)" ] || fail "Add/Remove size"
[ "$(probe file-version "$folder\\yarrowkeep.exe")" = "$version.0" ] || fail "installed version $(probe file-version "$folder\\yarrowkeep.exe")"

# The update server announces N+1.
export YK_UPDATE_PORT=47698 YK_UPDATE_TLS_PORT=47699 YK_UPDATE_HOME="$YK_ROOT/build/e2e-install-updateserver"
rm -rf "$YK_UPDATE_HOME"
served="$YK_UPDATE_HOME/files/install/Upload/download/Yarrowkeep Server Data"
mkdir -p "$served"
cp "$next_setup" "$served/"
printf '[Yarrowkeep Version]\r\n%s\r\n[Yarrowkeep File]\r\nyarrowkeep-setup-%s.exe\r\n[Yarrowkeep File MD5]\r\n%s\r\n' \
    "$next_number" "$next" "$(md5sum "$next_setup" | cut -d' ' -f1)" >"$served/Yarrowkeep_Version.bin"
python3 "$YK_ROOT/tools/updateserver/ykupdate.py" start >/dev/null || fail "the update server did not start"
export YARROWKEEP_UPDATE_URL="http://127.0.0.1:$YK_UPDATE_PORT/ok/install"

# The installed program, with the simulator running and named: the release build has no door to it.
setup_done "$YK_ROOT/build/e2e-pc" 0
use_simulator
trap finish EXIT
wine reg add "$RUN_KEY_32" /f >/dev/null 2>&1
export YK_EXE="$folder\\yarrowkeep.exe"
start_program
UPDATE='Yarrowkeep#1162'
probe wait "$UPDATE" visible 30000 || fail "the installed program offered no update"
case "$(probe text "$UPDATE" 1162 | paste -sd'|')" in
*"V${next_number}") ;;
*) fail "version line: $(probe text "$UPDATE" 1162 | paste -sd'|')" ;;
esac
click "$UPDATE" 1166 || fail "could not click Cancel"
probe wait "$UPDATE" gone 5000 || fail "Cancel did not close the offer"
probe wait "$YK_TITLE" exists 10000 || fail "the installed program has no main window"
# A second start brings the running one forward.
start_program
probe wait "$YK_TITLE" visible 10000 || fail "a second start did not bring the window forward"
wait_until 10 home_line_is "Yarrowkeep not Connected" || fail "home status: $(home_line)"
screenshot installed-not-connected

# Auto Launch: the quoted, upper-case path in both views.
click "$YK_TITLE" 1106 || fail "could not open the settings page"
wait_until 5 page_shown 163 || fail "no settings page"
click "$YK_TITLE" 163/1092 || fail "could not click Auto Launch"
expected='"C:\PROGRAM FILES\YARROWKEEP\YARROWKEEP.EXE"'
wait_until 5 run_value_is "$RUN_KEY" "$expected" || fail "Run value: $(run_value "$RUN_KEY")"
[ "$(run_value "$RUN_KEY_32")" = "$expected" ] || fail "32-bit Run value: $(run_value "$RUN_KEY_32")"

# Update: N+1 is downloaded, verified and installed silently while N ends; N+1 starts.
click "$YK_TITLE" 163/1035 || fail "could not click Update"
probe wait "$UPDATE" visible 5000 || fail "Update did not open the offer"
click "$UPDATE" 1164 || fail "could not click Update in the offer"
program=${YK_STARTED[0]}
wait_until 60 bash -c "! kill -0 $program 2>/dev/null" || fail "version $version did not end for the installer"
wait_until 60 listed_version_is "$next" ||
    fail "Add/Remove version after the update: $(reg_value "$UNINSTALL_KEY" DisplayVersion)"
wait_until 30 installed_version_is "$next" ||
    fail "installed version after the update: $(probe file-version "$folder\\yarrowkeep.exe")"
probe wait "$YK_TITLE" exists 30000 || fail "version $next did not start after the update"
[ ! -e "$unix_folder/yarrowkeep.exe.new" ] || fail "the update left the new program beside the old"
ls "$unix_folder" | grep -q '\.yktmp$' && fail "the download left a temporary file"
[ "$(run_value "$RUN_KEY")" = "$expected" ] || fail "the update lost the Run value"

# Installing over the running program: it is asked to end first, then replaced.
yk_wine "$setup" /S || fail "installing over the running program failed"
probe wait "$YK_TITLE" gone 10000 || fail "the running program did not end for the installer"
listed_version_is "$version" && installed_version_is "$version" || fail "the reinstall did not replace version $next"
start_program
probe wait "$YK_TITLE" exists 20000 || fail "the reinstalled program did not start"

# Silent uninstall, with the program running: it is asked to end, and everything of it goes.
yk_wine "$folder\\uninstall.exe" /S || fail "the uninstaller did not start"
wait_until 60 test ! -e "$unix_folder" || fail "the program folder stayed: $(ls "$unix_folder")"
probe wait "$YK_TITLE" gone 10000 || fail "the running program did not end for the uninstaller"
[ ! -e "$shortcut" ] || fail "the shortcut stayed"
wine reg query "$UNINSTALL_KEY" /reg:64 >/dev/null 2>&1 && fail "the Add/Remove entry stayed"
[ -z "$(run_value "$RUN_KEY")$(run_value "$RUN_KEY_32")" ] || fail "a Run value stayed"
[ -n "$(profile_get Directory)" ] || fail "the uninstaller removed the user's profile"
[ -d "$YK_ROOT/build/e2e-pc" ] || fail "the uninstaller removed the user's folder"
echo "installer: installed $version, Auto Launch in both views, updated to $next, uninstalled; profile kept"
