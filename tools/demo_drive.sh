# The demo drive of scripts/run and scripts/screenshots: a generated folder
# tree with junk among ordinary files, and the program installed on a drive
# of its own. Sourced; needs scripts/lib/testbed.sh's environment.

# A folder tree of documents, pictures and projects with junk among them:
# editor and office backups, temporary files, thumbnail caches, crash dumps,
# some of them large enough for the report's sizes to tell them apart.
make_demo_tree() {
    local base=$1 i
    mkdir -p "$base"/{Documents/Letters,Documents/Reports/2023,Pictures/Holiday,Projects/website/css,Projects/tool/src,Downloads}
    for i in 1 2 3; do
        printf 'Dear reader,\nletter %s\n' "$i" >"$base/Documents/Letters/letter$i.txt"
    done
    printf 'Quarterly figures\n' >"$base/Documents/Reports/2023/q3.txt"
    printf 'Quarterly figures, draft\n' >"$base/Documents/Reports/2023/q3.txt.bak"
    head -c 24576 /dev/urandom >"$base/Documents/Reports/2023/~WRL0001.tmp"
    printf 'old draft\n' >"$base/Documents/Letters/letter1.wbk"
    head -c 4096 /dev/urandom >"$base/Pictures/Holiday/beach.jpg"
    head -c 2048 /dev/urandom >"$base/Pictures/Holiday/sunset.jpg"
    head -c 98304 /dev/urandom >"$base/Pictures/Holiday/Thumbs.db"
    printf '<html></html>\n' >"$base/Projects/website/index.html"
    printf 'body {}\n' >"$base/Projects/website/css/site.css"
    printf 'body { }\n' >"$base/Projects/website/css/site.css~"
    printf 'swap\n' >"$base/Projects/website/.index.html.swp"
    printf 'int main() { return 0; }\n' >"$base/Projects/tool/src/main.c"
    printf 'int main() { return 1; }\n' >"$base/Projects/tool/src/main.c.~1~"
    head -c 3355443 /dev/urandom >"$base/Projects/tool/crash.dmp"
    printf 'notes\n' >"$base/Projects/tool/notes.txt"
    head -c 1468006 /dev/urandom >"$base/Downloads/setup.exe.temp"
    printf 'installer\n' >"$base/Downloads/readme.txt"
    printf 'build log\n' >"$base/Downloads/build.log"
}

# The caches of a few applications in a user profile (its folder on the
# host), for the Applications page: two browser profiles, a chat program,
# the shader caches of the graphics driver and the thumbnail cache.
make_demo_profile() {
    local profile=$1 appdata roaming ud
    appdata=$profile/AppData/Local
    roaming=$profile/AppData/Roaming
    ud=$appdata/Google/Chrome/User\ Data
    mkdir -p "$ud/Default/Cache/Cache_Data" "$ud/Default/Code Cache/js" "$ud/Default/GPUCache" \
             "$ud/Profile 1/Cache/Cache_Data" "$ud/ShaderCache"
    head -c 31457280 /dev/zero >"$ud/Default/Cache/Cache_Data/data_1"
    head -c 6291456 /dev/zero >"$ud/Default/Code Cache/js/index"
    head -c 1048576 /dev/zero >"$ud/Default/GPUCache/data_0"
    head -c 9437184 /dev/zero >"$ud/Profile 1/Cache/Cache_Data/data_1"
    head -c 2097152 /dev/zero >"$ud/ShaderCache/data_0"
    printf 'bookmarks\n' >"$ud/Default/Bookmarks"
    mkdir -p "$appdata/Mozilla/Firefox/Profiles/x1.default-release/cache2/entries" "$roaming/Mozilla/Firefox"
    head -c 18874368 /dev/zero >"$appdata/Mozilla/Firefox/Profiles/x1.default-release/cache2/entries/0A1B"
    mkdir -p "$roaming/discord/Cache/Cache_Data" "$roaming/discord/GPUCache"
    head -c 12582912 /dev/zero >"$roaming/discord/Cache/Cache_Data/data_1"
    head -c 524288 /dev/zero >"$roaming/discord/GPUCache/data_0"
    mkdir -p "$appdata/D3DSCache/5a6b" "$appdata/NVIDIA/DXCache" "$appdata/Microsoft/Windows/Explorer"
    head -c 4194304 /dev/zero >"$appdata/D3DSCache/5a6b/0a1b.val"
    head -c 8388608 /dev/zero >"$appdata/NVIDIA/DXCache/a1.nvph"
    head -c 25165824 /dev/zero >"$appdata/Microsoft/Windows/Explorer/thumbcache_256.db"
    head -c 1048576 /dev/zero >"$appdata/Microsoft/Windows/Explorer/iconcache_32.db"
}

# Copies the program, its four files and its translations of the build
# ($BUILD) into a folder, with the demo drive d: as the stored selection.
install_program() {
    local folder=$1
    mkdir -p "$folder/Languages"
    cp "$BUILD/bin/JunkSweep.exe" "$BUILD/bin/JunkSweep.lng" "$BUILD/bin/JunkSweep.rules.ini" \
        "$BUILD/bin/common.xml" "$folder/"
    cp "$BUILD/bin/Languages/"*.lng "$folder/Languages/"
    sed 's|<SelectDrive/>|<SelectDrive><PathItem name="D:"/></SelectDrive>|' "$BUILD/bin/JunkSweep.xml" \
        >"$folder/JunkSweep.xml"
    grep -q '<PathItem name="D:"/>' "$folder/JunkSweep.xml"
}
