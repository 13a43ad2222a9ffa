# Shared by scripts/wine-run, scripts/run and scripts/bench: an isolated Wine
# prefix inside a build tree.
#
#   c:  the prefix's own drive
#   d:, e:  scratch drives (fixed) mapped to folders below $TB/drives
#   f:  a nearly full scratch drive (a small memory file system, as root)
#   t:  the build's bin folder, from which programs and tests are started;
#       typed as a CD drive so that it never shows up as a fixed drive
#
# The prefix has no z: drive, so nothing started in it reaches the host's own
# files through a drive letter. HOME and the XDG folders live in the test bed,
# which makes the recycle bin ($XDG_DATA_HOME/Trash) a scratch one as well.

WINE64=/usr/lib/wine/wine64
# The font the test bed draws Chinese with (Debian's fonts-wqy-microhei).
JS_CHINESE_FONT=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

testbed_env() {
    # $1: build directory. Exports everything a Wine process of the bed needs.
    BUILD=$(cd "$1" && pwd)
    TB=${JS_TESTBED:-$BUILD/testbed}
    export WINEPREFIX=$TB/prefix
    export WINEDEBUG=-all
    export WINELOADER=$WINE64
    export WINEDLLOVERRIDES="mscoree=;winemenubuilder.exe=d${JS_DLLOVERRIDES:+;$JS_DLLOVERRIDES}"
    export HOME=$TB/home
    export XDG_DATA_HOME=$TB/home/.local/share
    export XDG_CONFIG_HOME=$TB/home/.config
    export XDG_CACHE_HOME=$TB/home/.cache
    export XDG_RUNTIME_DIR=$TB/home/.run
    unset WINESERVER
    mkdir -p "$HOME" "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info" \
             "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$TB/drives/d" "$TB/drives/e" "$TB/drives/full"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
}

testbed_map_drive() {
    # $1 letter, $2 host folder, $3 Wine drive type (hd, cdrom, ...)
    rm -f "$WINEPREFIX/dosdevices/$1:"
    ln -s "$2" "$WINEPREFIX/dosdevices/$1:"
    "$WINE64" reg add 'HKLM\Software\Wine\Drives' /v "$1:" /d "$3" /f >/dev/null 2>&1
}

testbed_create_prefix() {
    echo "Creating the Wine prefix $WINEPREFIX ..." >&2
    rm -rf "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
    rm -f "$WINEPREFIX/dosdevices/z:"
    testbed_map_drive d "$TB/drives/d" hd
    testbed_map_drive e "$TB/drives/e" hd
    testbed_map_drive t "$BUILD/bin" cdrom
    testbed_map_drive f "$TB/drives/full" hd
    # Without a window manager every top-level window would cost seconds.
    "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$WINE64" reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d '' /f >/dev/null 2>&1
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    # Never let a Wine update re-create the prefix's defaults (and z:).
    echo disable > "$WINEPREFIX/.update-timestamp"
    touch "$WINEPREFIX/.junksweep-ready"
}

testbed_ensure_prefix() {
    mkdir -p "$TB"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.junksweep-ready" ]; then
            testbed_create_prefix
        fi
        # Prefixes made before the full drive existed get it now.
        if [ ! -L "$WINEPREFIX/dosdevices/f:" ]; then
            mkdir -p "$TB/drives/full"
            testbed_map_drive f "$TB/drives/full" hd
            wineserver -k 2>/dev/null
        fi
        # A program that crashes in a test must end, not wait for someone
        # to close Wine's crash dialog on the invisible display.
        if [ ! -f "$WINEPREFIX/.junksweep-no-crash-dialog" ]; then
            "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
            wineserver -k 2>/dev/null
            wineserver -w 2>/dev/null
            touch "$WINEPREFIX/.junksweep-no-crash-dialog"
        fi
        testbed_link_fonts
        # A host-root drive must never be there, whatever put it back.
        if [ -e "$WINEPREFIX/dosdevices/z:" ] || [ -L "$WINEPREFIX/dosdevices/z:" ]; then
            wineserver -k 2>/dev/null
            rm -f "$WINEPREFIX/dosdevices/z:"
        fi
    ) 9>"$TB/.lock"
}

testbed_link_fonts() {
    # Wine here looks for its own fonts beside the system's, not where
    # Debian's fonts-wine puts them (/usr/share/wine/fonts); it does load
    # every font of the prefix's Windows font folder. Linked there, dialogs
    # draw in Tahoma and the caption buttons with their Marlett glyphs.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
    [ -d "$fonts" ] || return 0
    for font in /usr/share/wine/fonts/* "$JS_CHINESE_FONT"; do
        [ -f "$font" ] || continue
        [ -e "$fonts/${font##*/}" ] || ln -s "$font" "$fonts/${font##*/}"
    done
    # Tahoma has no Chinese glyphs. As on Windows, Wine draws the characters
    # a font lacks with the fonts linked to it: for Tahoma, SimSun among
    # them (Wine writes those links anew at every start), for which the
    # Chinese font stands in; bold Tahoma is linked by a name of its own.
    if [ -f "$JS_CHINESE_FONT" ] && [ ! -f "$WINEPREFIX/.junksweep-chinese-fonts" ]; then
        "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
            /v SimSun /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
        "$WINE64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
            /v 'Tahoma Bold' /t REG_MULTI_SZ /d "${JS_CHINESE_FONT##*/},WenQuanYi Micro Hei" /f >/dev/null 2>&1
        wineserver -k 2>/dev/null
        wineserver -w 2>/dev/null
        touch "$WINEPREFIX/.junksweep-chinese-fonts"
    fi
}

testbed_start_server() {
    # A persistent server makes later process starts fast; output must not
    # reach the caller's pipes, or CTest waits for Wine's helpers.
    wineserver -p10 </dev/null >/dev/null 2>&1
    "$WINE64" cmd.exe /c exit </dev/null >/dev/null 2>&1
}

testbed_free_display() {
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    echo ":$n"
}

testbed_start_xvfb() {
    # Starts a virtual display and prints "display pid".
    local d
    d=$(testbed_free_display)
    Xvfb "$d" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    local pid=$!
    for _ in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X${d#:}" ] && break
        sleep 0.1
    done
    echo "$d $pid"
}

testbed_clear_scratch() {
    # Empties the scratch drives and the scratch recycle bin, then lays the
    # fixed fixtures again.
    local dir
    testbed_release_sealed
    for dir in "$TB/drives/d" "$TB/drives/e" "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info"; do
        chmod -R u+rwX "$dir" 2>/dev/null
        find "$dir" -mindepth 1 -delete 2>/dev/null
    done
    testbed_make_fixtures
}

# e:\fixtures\sealed: the folder e:\fixtures\open mounted read-only, for
# tests of a folder nobody can write to (as root, file modes do not stop a
# write; a read-only mount does). What a test writes into "open" it can only
# read through "sealed". Mounting needs root: without it "sealed" is missing
# and the tests that need it say so and skip.
testbed_seal_fixture() {
    local open="$TB/drives/e/fixtures/open" sealed="$TB/drives/e/fixtures/sealed"
    testbed_release_sealed
    mkdir -p "$open" "$sealed"
    if ! mount --bind "$open" "$sealed" 2>/dev/null || ! mount -o remount,ro,bind "$sealed" 2>/dev/null; then
        testbed_release_sealed
        rmdir "$sealed" 2>/dev/null
    fi
    return 0
}

testbed_release_sealed() {
    # A mount left inside the build tree would keep it from being deleted.
    local sealed="$TB/drives/e/fixtures/sealed"
    while mountpoint -q "$sealed" 2>/dev/null; do
        umount "$sealed" 2>/dev/null || break
    done
    return 0
}

testbed_make_fixtures() {
    # Trees a program inside Wine cannot make for itself, at fixed places on
    # e: (tests/support/scratch.h lists them). Symbolic links made here show
    # up in Wine as folders with the reparse-point attribute.
    #   e:\fixtures\linkfarm\target\file.tmp     a file outside the tree
    #   e:\fixtures\linkfarm\tree\real\kept.tmp  a file inside the tree
    #   e:\fixtures\linkfarm\tree\link  -> ..\target
    #   e:\fixtures\linkfarm\tree\loop  -> ..   (a cycle)
    #   e:\fixtures\readonly\locked\a.tmp   in a folder without write bits,
    #       which Wine lists as read-only (SetFileAttributesA cannot do that)
    local farm="$TB/drives/e/fixtures/linkfarm"
    mkdir -p "$farm/target" "$farm/tree/real"
    printf 'outside' > "$farm/target/file.tmp"
    printf 'inside' > "$farm/tree/real/kept.tmp"
    ln -sfn ../target "$farm/tree/link"
    ln -sfn .. "$farm/tree/loop"
    local locked="$TB/drives/e/fixtures/readonly/locked"
    mkdir -p "$locked"
    printf 'x' > "$locked/a.tmp"
    chmod a-w "$locked"

    # Clean tests (tests/clean): a temporary folder that holds links, which
    # emptying it must remove as links and never follow. The tests empty it.
    #   e:\fixtures\cleantemp\temp\plain.tmp, temp\sub\nested.tmp
    #   e:\fixtures\cleantemp\temp\link      -> ..\outside
    #   e:\fixtures\cleantemp\temp\sub\up    -> ..\..  (a cycle)
    #   e:\fixtures\cleantemp\outside\keep.txt, outside\deep\keep.txt
    local ct="$TB/drives/e/fixtures/cleantemp"
    mkdir -p "$ct/temp/sub" "$ct/outside/deep"
    printf 'plain' > "$ct/temp/plain.tmp"
    printf 'nested' > "$ct/temp/sub/nested.tmp"
    printf 'outside' > "$ct/outside/keep.txt"
    printf 'deep' > "$ct/outside/deep/keep.txt"
    ln -sfn ../outside "$ct/temp/link"
    ln -sfn ../.. "$ct/temp/sub/up"

    # Links to files, which Wine lists as plain files: a delete by path
    # would remove the file they point to. Nothing may ever reach a target.
    #   e:\fixtures\filelinks\target\precious.tmp, target\precious.txt
    #   e:\fixtures\filelinks\junk\link.tmp        -> ..\target\precious.tmp
    #   e:\fixtures\filelinks\junk\precious.txt    -> ..\target\precious.txt
    #   e:\fixtures\filelinks\temp\flink.tmp       -> ..\target\precious.tmp
    #   e:\fixtures\filelinks\temp\plain.tmp
    #   e:\fixtures\filelinks\set\E\restored\link.txt -> ..\..\..\target\precious.txt
    #       and set\E\restored\plain.txt: a backup set that holds a link
    local fl="$TB/drives/e/fixtures/filelinks"
    mkdir -p "$fl/target" "$fl/junk" "$fl/temp" "$fl/set/E/restored"
    printf 'precious tmp' > "$fl/target/precious.tmp"
    printf 'precious txt' > "$fl/target/precious.txt"
    ln -sfn ../target/precious.tmp "$fl/junk/link.tmp"
    ln -sfn ../target/precious.txt "$fl/junk/precious.txt"
    ln -sfn ../target/precious.tmp "$fl/temp/flink.tmp"
    printf 'plain' > "$fl/temp/plain.tmp"
    ln -sfn ../../../target/precious.txt "$fl/set/E/restored/link.txt"
    printf 'plain' > "$fl/set/E/restored/plain.txt"
    #   e:\fixtures\filelinks\deep\<220 x d>\<60 x e>\link.tmp -> ..\..\..\target\precious.tmp
    #       the same kind of link at a path of more than 300 characters
    local deep="$fl/deep/$(printf 'd%.0s' $(seq 220))/$(printf 'e%.0s' $(seq 60))"
    mkdir -p "$deep"
    ln -sfn ../../../target/precious.tmp "$deep/link.tmp"

    # Rescue tests (tests/rescue): a backup root whose oldest set is a link
    # to a folder elsewhere; removing old sets must leave the link and what
    # it leads to.
    #   e:\fixtures\agedsets\Backup\2001-01-01_00-00-00 -> ..\elsewhere
    #   e:\fixtures\agedsets\elsewhere\C\keep.txt
    local as="$TB/drives/e/fixtures/agedsets"
    mkdir -p "$as/Backup" "$as/elsewhere/C"
    printf 'keep' > "$as/elsewhere/C/keep.txt"
    ln -sfn ../elsewhere "$as/Backup/2001-01-01_00-00-00"

    # Clean tests (tests/clean): bins that cannot take a file. A second test
    # process started with XDG_DATA_HOME pointing at one of them finds
    #   unusable-bins/no-trash/Trash         a file where the bin's folder belongs
    #   unusable-bins/no-files/Trash/files   a file where its files folder belongs
    local ub="$XDG_DATA_HOME/unusable-bins"
    rm -rf "$ub"
    mkdir -p "$ub/no-trash" "$ub/no-files/Trash/info"
    printf 'not a folder' > "$ub/no-trash/Trash"
    printf 'not a folder' > "$ub/no-files/Trash/files"

    # Clean tests (tests/clean): a user profile whose application caches hold
    # links, which application rules must neither follow nor clean through.
    # The tests lay the rest of the profile around them and clean it.
    #   e:\fixtures\appprofile\outside\precious.txt, outside\Profile\Cache\data_0,
    #       outside\Spotify\Data\track.file       what the links lead to
    #   ...\AppData\Local\Google\Chrome\User Data\Default\Cache\Cache_Data\escape -> outside
    #   ...\Cache_Data\f_link  -> outside\precious.txt (a link to a file)
    #   ...\AppData\Local\Google\Chrome\User Data\Linked -> outside\Profile
    #   ...\AppData\Local\Spotify -> outside\Spotify (a folder a rule names)
    local ap="$TB/drives/e/fixtures/appprofile"
    local cache="$ap/AppData/Local/Google/Chrome/User Data/Default/Cache/Cache_Data"
    mkdir -p "$ap/outside/Profile/Cache" "$ap/outside/Spotify/Data" "$cache"
    printf 'precious' > "$ap/outside/precious.txt"
    printf 'other profile' > "$ap/outside/Profile/Cache/data_0"
    printf 'track' > "$ap/outside/Spotify/Data/track.file"
    ln -sfn ../../../../../../../../outside "$cache/escape"
    ln -sfn ../../../../../../../../outside/precious.txt "$cache/f_link"
    ln -sfn ../../../../../outside/Profile "$ap/AppData/Local/Google/Chrome/User Data/Linked"
    ln -sfn ../../outside/Spotify "$ap/AppData/Local/Spotify"

    # Clean tests (tests/clean): links to folders no trace cleaner may empty.
    #   e:\fixtures\guarded\users    -> the prefix's users folder (holds the profile)
    #   e:\fixtures\guarded\home     -> $HOME, where the prefix's Documents and Desktop lead
    #   e:\fixtures\guarded\drive-d  -> the root of d:
    local gd="$TB/drives/e/fixtures/guarded"
    mkdir -p "$gd"
    ln -sfn "$WINEPREFIX/drive_c/users" "$gd/users"
    ln -sfn "$HOME" "$gd/home"
    ln -sfn "$TB/drives/d" "$gd/drive-d"

    testbed_make_hostile_names
    testbed_make_log_links
}

testbed_make_hostile_names() {
    # Names only another system makes, each set in a folder of its own for
    # the one test that cleans it (tests/support/scratch.h lists them).
    #   e:\fixtures\twins\<use>\Twin.tmp, twin.tmp     names that differ in case only
    #   e:\fixtures\twins\<use>\a<E9>.tmp, a<E8>.tmp   bytes that are not UTF-8: both
    #       list as "a\uFFFD.tmp", and a path reaches the first only
    # One last-write time; sizes of 5 to 8 bytes tell the four apart.
    local use dir
    for use in backup recycle; do
        dir="$TB/drives/e/fixtures/twins/$use"
        mkdir -p "$dir"
        printf 'upper' >"$dir/Twin.tmp"
        printf 'lower!' >"$dir/twin.tmp"
        printf 'acute!!' >"$dir/a"$'\xe9'".tmp"
        printf 'grave!!!' >"$dir/a"$'\xe8'".tmp"
        touch -d '2020-01-01 12:00:00' "$dir"/*
    done
    #   e:\fixtures\oddnames\ctl<01>.tmp, tab<TAB>here.tmp, nl<LF>here.tmp,
    #       and plain.tmp: control characters no path function takes (sizes 3, 4, 2)
    dir="$TB/drives/e/fixtures/oddnames"
    mkdir -p "$dir"
    printf 'ctl' >"$dir/ctl"$'\x01'".tmp"
    printf 'tabs' >"$dir/tab"$'\t'"here.tmp"
    printf 'nl' >"$dir/nl"$'\n'"here.tmp"
    printf 'plain' >"$dir/plain.tmp"
}

testbed_make_log_links() {
    # Program folders whose logs lead elsewhere (tests/support/scratch.h):
    #   e:\fixtures\loglinks\victims\2001-01-01_00-00-NN.log  101 files named
    #       like logs, in a folder of the user's
    #   e:\fixtures\loglinks\filelink\Data\ToolJunkSweep\Logs\2000-01-01_00-00-00.log
    #       -> the first victim: a link named like the oldest log
    #   e:\fixtures\loglinks\folderlink\Data\ToolJunkSweep\Logs -> ..\..\..\victims
    local ll="$TB/drives/e/fixtures/loglinks" n
    mkdir -p "$ll/victims" "$ll/filelink/Data/ToolJunkSweep/Logs" "$ll/folderlink/Data/ToolJunkSweep"
    for n in $(seq 0 100); do
        printf 'victim' >"$ll/victims/2001-01-01_00-$(printf '%02d-%02d' $((n / 60)) $((n % 60))).log"
    done
    ln -sfn ../../../../victims/2001-01-01_00-00-00.log "$ll/filelink/Data/ToolJunkSweep/Logs/2000-01-01_00-00-00.log"
    ln -sfn ../../../victims "$ll/folderlink/Data/ToolJunkSweep/Logs"
    #   e:\fixtures\restorelinks\work -> other, and other\a.tmp: a folder link
    #       on the way to a restore's place
    local rl="$TB/drives/e/fixtures/restorelinks"
    mkdir -p "$rl/other"
    printf 'newer' >"$rl/other/a.tmp"
    ln -sfn other "$rl/work"
}

testbed_fill_full_drive() {
    # f: is a small memory file system, nearly full, where copies of more
    # than a few kilobytes fail half way (as root; without the right to
    # mount, f: is a plain folder and the tests that need it skip).
    local full="$TB/drives/full"
    mkdir -p "$full"
    if ! mountpoint -q "$full"; then
        mount -t tmpfs -o size=256k tmpfs "$full" 2>/dev/null || return 0
    fi
    find "$full" -mindepth 1 -delete 2>/dev/null
    head -c 200k /dev/zero > "$full/filler.bin" 2>/dev/null || true
}

testbed_release_full_drive() {
    mountpoint -q "$TB/drives/full" 2>/dev/null && umount "$TB/drives/full" 2>/dev/null
    return 0
}
