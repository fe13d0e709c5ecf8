# Shared by test.sh and demo.sh: the packages the project needs on a fresh
# Debian 12 (run as root) and the three builds. Source it from the repo root.

REPO_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Only 64-bit Wine: no i386 architecture is added, so Wine's recommendation
# of wine32 is skipped by apt.
PACKAGES=(
    cmake ninja-build g++ googletest libgtest-dev
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64
    wine wine64 libwine xvfb imagemagick python3 fonts-wqy-microhei
)

# Installs the packages that are missing; does nothing when all are there.
ensure_packages() {
    local missing=() package
    for package in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    (( ${#missing[@]} == 0 )) && return 0
    echo "installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q "${missing[@]}"
}

# configure_build NAME [TOOLCHAIN]: build/NAME, cross-compiled when a
# toolchain file from cmake/ is named.
configure_build() {
    local name=$1 toolchain=${2:-}
    local args=(-S "$REPO_DIR" -B "$REPO_DIR/build/$name" -G Ninja)
    if [[ -n $toolchain ]]; then
        args+=(-DCMAKE_TOOLCHAIN_FILE="$REPO_DIR/cmake/$toolchain" -DCMAKE_BUILD_TYPE=Release)
    fi
    cmake "${args[@]}" >"$REPO_DIR/build/$name.configure.log" 2>&1 || {
        cat "$REPO_DIR/build/$name.configure.log" >&2
        return 1
    }
}

# Native build: the programs' logic against the simulated machine, with the
# native tests.
build_native() {
    mkdir -p "$REPO_DIR/build"
    configure_build native && cmake --build "$REPO_DIR/build/native"
}

# x86_64 build: everything (programs and tools) and the distribution folder
# build/win64/dist. When something else fails, winauto and dist are still
# built if they can be, so that the Wine tests can run; the result still
# reports the failure. The old dist is removed first: it must never be
# tested in place of a program that no longer builds.
build_win64() {
    local rc=0
    mkdir -p "$REPO_DIR/build"
    configure_build win64 mingw-x86_64.cmake || return 1
    rm -rf "$REPO_DIR/build/win64/dist"
    cmake --build "$REPO_DIR/build/win64" || rc=1
    cmake --build "$REPO_DIR/build/win64" --target winauto dist || rc=1
    return $rc
}

# i686 build: setup only, to prove that it compiles and links; it cannot run
# on these machines.
build_win32() {
    mkdir -p "$REPO_DIR/build"
    configure_build win32 mingw-i686.cmake && cmake --build "$REPO_DIR/build/win32" --target setup
}

# Prints the size of an .exe once stripped (measured on a stripped copy).
report_stripped_size() {
    local exe=$1 strip=$2 copy
    copy=$(mktemp)
    "$strip" -o "$copy" "$exe"
    echo "size: ${exe#"$REPO_DIR"/} $(stat -c %s "$copy") bytes stripped"
    rm -f "$copy"
}
