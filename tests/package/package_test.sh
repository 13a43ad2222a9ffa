#!/usr/bin/env bash
# The two packages as a Windows user gets them, in the build's test bed:
#   zip        holds the folder JunkSweep with the stripped program, its three
#              files, its translations in Languages, README.txt and
#              LICENSE.txt, and nothing else
#   unzipped   "/auto /hide" on the shipped settings (nothing selected) ends
#              with exit code 2 and changes nothing but the settings' save
#   read-only  the unzipped folder mounted read-only: "/auto /hide" ends at
#              once with exit code 3 (skipped where the bed may not mount)
#   installer  silent (/S), in a scratch copy of the prefix: the program in
#              %LOCALAPPDATA%\Programs\JunkSweep, a Start-menu shortcut and an
#              entry in the installed programs
#   installed  "/auto /hide" cleans a junk file with a backup set (exit code 2);
#              installing again keeps the user's settings
#   uninstall  silent: program, shortcut and entry go, the backup set and the
#              logs stay
#   folders    the setup installs only into a new or empty folder (or over an
#              earlier installation): pointed at a folder of the user's files
#              it changes nothing there; the uninstaller removes what the
#              setup put there and leaves what the user added
# Usage: package_test.sh <build folder> <zip> <setup.exe>
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/../../scripts/lib/testbed.sh"

build=$1 zip=$2 setup=$3
testbed_env "$build"
testbed_ensure_prefix
testbed_clear_scratch

failures=0
check() {
    # $1 what is checked; the rest is the command that must succeed.
    if "${@:2}"; then
        echo "ok       $1"
    else
        echo "FAILED   $1"
        failures=$((failures + 1))
    fi
}
same() { [ "$1" = "$2" ] || { echo "         expected: $2"; echo "         got:      $1"; false; }; }
lines() { tr -d '\r' <"$1"; }

own_xvfb=""
sealed=$TB/drives/e/Sealed
scratch_prefix=$TB/setup-prefix
finish() {
    mountpoint -q "$sealed" 2>/dev/null && umount "$sealed"
    if [ -d "$scratch_prefix" ]; then
        WINEPREFIX=$scratch_prefix wineserver -k 2>/dev/null
        WINEPREFIX=$scratch_prefix wineserver -w 2>/dev/null
        rm -rf "$scratch_prefix"
    fi
    wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
    [ -z "$own_xvfb" ] || kill "$own_xvfb" 2>/dev/null
}
trap finish EXIT
if [ -n "${JS_TEST_DISPLAY:-}" ]; then
    export DISPLAY=$JS_TEST_DISPLAY
else
    wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
    read -r DISPLAY own_xvfb < <(testbed_start_xvfb)
    export DISPLAY
fi
testbed_start_server

run() {
    # $1 folder (host), $2 program (Windows path), further: arguments.
    # Prints the exit code.
    local folder=$1 program=$2
    shift 2
    (cd "$folder" && timeout 120 "$WINE64" "$program" "$@" </dev/null >/dev/null 2>&1; echo $?)
}

# --- the zip -----------------------------------------------------------------
expected_files="JunkSweep/
JunkSweep/JunkSweep.exe
JunkSweep/JunkSweep.lng
JunkSweep/JunkSweep.rules.ini
JunkSweep/Languages/
JunkSweep/Languages/de.lng
JunkSweep/Languages/es.lng
JunkSweep/Languages/ru.lng
JunkSweep/Languages/zh-Hans.lng
JunkSweep/JunkSweep.xml
JunkSweep/LICENSE.txt
JunkSweep/README.txt
JunkSweep/common.xml"
check "the zip holds the program, its files, README and licence" \
    same "$(unzip -Z1 "$zip" | sort)" "$(sort <<<"$expected_files")"
unzip -q "$zip" -d "$TB/drives/e"
program=$TB/drives/e/JunkSweep
check "the packaged program carries no symbols" \
    same "$(x86_64-w64-mingw32-objdump -h "$program/JunkSweep.exe" | grep -c '\.debug')" 0
check "README and licence have Windows line ends" \
    same "$(grep -c $'\r$' "$program/README.txt")" "$(wc -l <"$program/README.txt")"
shipped=$(lines "$program/JunkSweep.xml")

code=$(run "$program" 'e:\JunkSweep\JunkSweep.exe' /auto /hide)
check "unzipped, /auto /hide on the shipped settings ends normally" same "$code" 2
check "... and leaves the folder as it was but for the log of its clean" \
    same "$(cd "$program" && find . -mindepth 1 | sort | sed 's|/[0-9_-]*\.log$|/<log>|' | tr '\n' ' ')" \
    "./Data ./Data/ToolJunkSweep ./Data/ToolJunkSweep/Logs ./Data/ToolJunkSweep/Logs/<log> ./JunkSweep.exe ./JunkSweep.lng ./JunkSweep.rules.ini ./JunkSweep.xml ./LICENSE.txt ./Languages ./Languages/de.lng ./Languages/es.lng ./Languages/ru.lng ./Languages/zh-Hans.lng ./README.txt ./common.xml "
check "... with the settings saved line for line as shipped" same "$(lines "$program/JunkSweep.xml")" "$shipped"

mkdir -p "$sealed"
if mount --bind "$program" "$sealed" 2>/dev/null && mount -o remount,ro,bind "$sealed" 2>/dev/null; then
    code=$(run "$sealed" 'e:\Sealed\JunkSweep.exe' /auto /hide)
    check "from a read-only folder, /auto /hide ends with exit code 3" same "$code" 3
    umount "$sealed"
else
    mountpoint -q "$sealed" 2>/dev/null && umount "$sealed"
    echo "skipped  the read-only folder: the test bed may not mount (needs root)"
fi

# --- the installer, in a scratch copy of the prefix --------------------------
# Nothing the setup writes (Start menu, registry, program folder) reaches the
# prefix of the other tests.
wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
rm -rf "$scratch_prefix"
cp -a "$WINEPREFIX" "$scratch_prefix"
export WINEPREFIX=$scratch_prefix
testbed_start_server
cp "$setup" "$TB/drives/e/setup.exe"

wine_tool() {
    # A Wine tool started inside the bed's drives; its output without CRs.
    (cd "$TB/drives/e" && "$WINE64" "$@" 2>/dev/null | tr -d '\r')
}
windows_folder() {
    # The host path of a folder named by a Windows environment variable.
    wine_tool winepath.exe -u "$(wine_tool cmd.exe /c echo "%$1%")"
}
local_app_data=$(windows_folder LOCALAPPDATA)
start_menu=$(windows_folder APPDATA)/Microsoft/Windows/Start\ Menu/Programs
installed=$local_app_data/Programs/JunkSweep
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\JunkSweep'
uninstall_entry_gone() {
    (cd "$TB/drives/e" && ! "$WINE64" reg query "$uninstall_key" >/dev/null 2>&1)
}
registry_value() {
    wine_tool reg query "$uninstall_key" /v "$1" | sed -n "s/^ *$1 *REG_[A-Z]* *//p"
}

code=$(run "$TB/drives/e" 'e:\setup.exe' /S)
wineserver -w
check "the silent setup succeeds" same "$code" 0
check "it installs into %LOCALAPPDATA%\\Programs\\JunkSweep" \
    same "$(cd "$installed" 2>/dev/null && ls | tr '\n' ' ')" \
    "JunkSweep.exe JunkSweep.lng JunkSweep.rules.ini JunkSweep.xml LICENSE.txt Languages README.txt Uninstall.exe common.xml "
check "... with the translations" \
    same "$(cd "$installed/Languages" 2>/dev/null && ls | tr '\n' ' ')" "de.lng es.lng ru.lng zh-Hans.lng "
check "it adds a Start-menu shortcut" test -f "$start_menu/JunkSweep.lnk"
check "it adds an entry to the installed programs" same "$(registry_value DisplayName)" JunkSweep
check "... whose uninstaller is the installed one" \
    same "$(wine_tool winepath.exe -u "$(registry_value UninstallString | tr -d '"')")" \
    "$installed/Uninstall.exe"
check "... with the version" same "$(registry_value DisplayVersion)" "$(basename "$setup" | sed 's/^JunkSweep-//; s/-setup.exe$//')"

# A junk file on d:, selected in the installed settings; the factory
# settings recycle it after a backup. (A folder beside it keeps the drive
# page from widening the stored selection to the whole drive.)
mkdir -p "$TB/drives/d/Old" "$TB/drives/d/Other"
printf 'other' >"$TB/drives/d/Other/other.txt"
printf 'draft' >"$TB/drives/d/Old/report.doc.bak"
printf 'keep' >"$TB/drives/d/Old/report.doc"
sed -i 's|<SelectDrive/>|<SelectDrive><PathItem name="D:\\Old"/></SelectDrive>|' "$installed/JunkSweep.xml"
windows_installed=$(wine_tool cmd.exe /c echo '%LOCALAPPDATA%\Programs\JunkSweep')
code=$(run "$installed" "$windows_installed\\JunkSweep.exe" /auto /hide)
check "installed, /auto /hide cleans and ends normally" same "$code" 2
check "... the junk file is gone, the other stays" \
    same "$(cd "$TB/drives/d/Old" && ls | tr '\n' ' ')" "report.doc "
backup_sets=$installed/Data/ToolJunkSweep/Backup
check "... with a backup set beside the program" \
    same "$(cat "$backup_sets"/*/D/Old/report.doc.bak 2>/dev/null)" draft

code=$(run "$TB/drives/e" 'e:\setup.exe' /S)
wineserver -w
check "installed again over it, the setup keeps the user's settings" \
    grep -q '<PathItem name="D:\\Old"/>' "$installed/JunkSweep.xml"

code=$(run "$installed" "$windows_installed\\Uninstall.exe" /S)
wineserver -w
check "the silent uninstaller succeeds" same "$code" 0
dated() { sed 's|[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]_[0-9][0-9]-[0-9][0-9]-[0-9][0-9]|<date>|g'; }
check "it removes the program and keeps the backup set and the log of its clean" \
    same "$(cd "$installed" 2>/dev/null && find . -type f | sort | dated | tr '\n' ' ')" \
    "./Data/ToolJunkSweep/Backup/<date>/D/Old/report.doc.bak ./Data/ToolJunkSweep/Logs/<date>.log "
check "it removes the Start-menu shortcut" test ! -e "$start_menu/JunkSweep.lnk"
check "it removes the entry of the installed programs" uninstall_entry_gone

# A folder of the user's own files: a silent setup pointed at it fails and
# changes nothing there (before, it overwrote the user's README.txt,
# LICENSE.txt and common.xml, and its uninstaller deleted them).
user_folder=$TB/drives/e/UserFolder
mkdir -p "$user_folder"
for name in README.txt LICENSE.txt common.xml notes.txt; do printf 'mine' >"$user_folder/$name"; done
code=$(run "$TB/drives/e" 'e:\setup.exe' /S '/D=E:\UserFolder')
wineserver -w
check "a silent setup into a folder of the user's files fails" same "$code" 2
check "... and leaves the folder as it was" \
    same "$(cd "$user_folder" && for f in *; do printf '%s=%s ' "$f" "$(cat "$f")"; done)" \
    "LICENSE.txt=mine README.txt=mine common.xml=mine notes.txt=mine "

# An empty folder takes it; the uninstaller then removes what the setup put
# there and leaves what the user added (a log-named file among them).
empty_folder=$TB/drives/e/EmptyFolder
mkdir -p "$empty_folder"
code=$(run "$TB/drives/e" 'e:\setup.exe' /S '/D=E:\EmptyFolder')
wineserver -w
check "a silent setup into an empty folder succeeds" same "$code" 0
mkdir -p "$empty_folder/Data/ToolJunkSweep/Logs"
printf 'mine' >"$empty_folder/notes.txt"
printf 'mine' >"$empty_folder/Data/ToolJunkSweep/Logs/2001-01-01_00-00-00.log"
code=$(run "$empty_folder" 'e:\EmptyFolder\Uninstall.exe' /S)
wineserver -w
check "its uninstaller leaves only what the user added" \
    same "$(cd "$empty_folder" && find . -type f | sort | tr '\n' ' ')" \
    "./Data/ToolJunkSweep/Logs/2001-01-01_00-00-00.log ./notes.txt "

echo "$failures failed"
[ "$failures" -eq 0 ]
