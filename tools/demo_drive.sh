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

# Copies the program, its three files and its translations of the build
# ($BUILD) into a folder, with the demo drive d: as the stored selection.
install_program() {
    local folder=$1
    mkdir -p "$folder/Languages"
    cp "$BUILD/bin/JunkSweep.exe" "$BUILD/bin/JunkSweep.lng" "$BUILD/bin/common.xml" "$folder/"
    cp "$BUILD/bin/Languages/"*.lng "$folder/Languages/"
    sed 's|<SelectDrive/>|<SelectDrive><PathItem name="D:"/></SelectDrive>|' "$BUILD/bin/JunkSweep.xml" \
        >"$folder/JunkSweep.xml"
    grep -q '<PathItem name="D:"/>' "$folder/JunkSweep.xml"
}
