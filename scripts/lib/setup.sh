# Installs what the build and the test bed need on Debian 12, as root.
JS_PACKAGES="cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev googletest wine wine64 xvfb xauth"

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

configure_and_build() {
    # $1 source root, $2 build directory, further arguments go to CMake.
    local src=$1 build=$2
    shift 2
    cmake -S "$src" -B "$build" -G Ninja "$@" >/dev/null
    cmake --build "$build"
}
