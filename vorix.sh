#!/usr/bin/env bash
# Sets up, builds and runs Vorix. Needs nothing but bash on a fresh Debian 12 machine.
#   ./vorix.sh run    install what is missing, build, start the tool
#   ./vorix.sh test   install what is missing, build, run the whole test suite
#   ./vorix.sh build  install what is missing and build only
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")"
ROOT=$PWD
BUILD_DIR=${VORIX_BUILD_DIR:-$ROOT/build}
BUILD_TYPE=${VORIX_BUILD_TYPE:-RelWithDebInfo}

PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-serialport-dev libgtest-dev libgmock-dev
          libgl-dev)

say() { printf '\033[1m==> %s\033[0m\n' "$*" >&2; }

job_count() {
    local n
    n=$(nproc 2>/dev/null || echo 2)
    echo "$n"
}

install_packages() {
    local missing=() pkg
    for pkg in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    say "Installing Debian packages: ${missing[*]}"
    local sudo=()
    if [[ $(id -u) -ne 0 ]]; then
        command -v sudo >/dev/null || { echo "Please run as root or install sudo." >&2; exit 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

configure() {
    if [[ ! -f $BUILD_DIR/CMakeCache.txt ]]; then
        say "Configuring ($BUILD_TYPE) in $BUILD_DIR"
        cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" "$@"
    fi
}

build() {
    install_packages
    configure
    say "Building"
    cmake --build "$BUILD_DIR" -j "$(job_count)"
}

run_tests() {
    build
    say "Running the test suite"
    export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
    export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(job_count)"
}

case ${1:-} in
run)
    build
    say "Starting Vorix"
    exec "$BUILD_DIR/bin/vorix"
    ;;
test) run_tests ;;
build) build ;;
*)
    echo "usage: $0 run|test|build" >&2
    exit 2
    ;;
esac
