# Installs what the build and the test bed need on Debian 12, as root.
# fonts-wine gives Wine its Tahoma and the glyphs of the caption buttons;
# fonts-wqy-microhei the Chinese glyphs the Chinese translation draws with;
# nsis makes the installer, unzip lets the package test unpack the zip.
JS_PACKAGES="cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev googletest wine wine64 fonts-wine fonts-wqy-microhei
xvfb xauth nsis unzip"

install_packages() {
    # $@: Debian packages; installs those that are missing.
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q >/dev/null
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
}

install_dependencies() {
    # shellcheck disable=SC2086
    install_packages $JS_PACKAGES
}

configure() {
    # $1 source root, $2 build directory, further arguments go to CMake.
    local src=$1 build=$2
    shift 2
    [ -f "$build/CMakeCache.txt" ] || echo "Configuring a new build in $build ..."
    cmake -S "$src" -B "$build" -G Ninja "$@" >/dev/null
}

build_targets() {
    # $1 build directory, further arguments: the targets (default: all).
    # Ninja shows its progress: one status line on a terminal, one line per
    # step ("[12/170] Building ...") otherwise. A first build takes minutes.
    local build=$1
    shift
    if [ $# -gt 0 ]; then
        cmake --build "$build" --target "$@"
    else
        cmake --build "$build"
    fi
}

configure_and_build() {
    # $1 source root, $2 build directory, further arguments go to CMake.
    configure "$@"
    build_targets "$2"
}
