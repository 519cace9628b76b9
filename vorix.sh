#!/usr/bin/env bash
# Sets up, builds and runs Vorix. Needs nothing but bash on a fresh Debian 12 machine.
#   ./vorix.sh run    install what is missing, build, start the tool
#   ./vorix.sh test   install what is missing, build, run the whole test suite
#   ./vorix.sh build  install what is missing and build only
#   ./vorix.sh test-asan        the whole test suite built with AddressSanitizer and UBSan (build-asan/)
#   ./vorix.sh fuzz [s] [name]  every fuzz target (or one) for s seconds each, default 30 (build-fuzz/)
#   ./vorix.sh bench            build and run the benchmarks (build-bench/)
#   ./vorix.sh demo             build, start the tool beside a simulated radio (no hardware needed)
#   ./vorix.sh package          build, then make the Debian package build/vorix_<version>_<arch>.deb
#   ./vorix.sh package-check    the package, validated, checked by lintian and run from a temporary root
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")"
ROOT=$PWD
BUILD_DIR=${VORIX_BUILD_DIR:-$ROOT/build}
BUILD_TYPE=${VORIX_BUILD_TYPE:-RelWithDebInfo}

PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-serialport-dev libgtest-dev libgmock-dev locales ccache
          libgl-dev poppler-utils)

# Rebuilds in a fresh checkout or another build folder reuse what was compiled before.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$ROOT} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
launcher() { command -v ccache >/dev/null && echo "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache" || true; }

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
        cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" $(launcher) "$@"
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
    run_ctest
}

run_ctest() {
    export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
    export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(job_count)"
}

# The checking builds live in directories of their own and are configured again on every call, so
# their options always hold. VORIX_BUILD_DIR still chooses the directory.
configure_variant() {
    say "Configuring $1 in $BUILD_DIR"
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja $(launcher) "${@:2}" >/dev/null
}

# Stop at the first report; third-party leaks only are suppressed (cmake/lsan.supp).
sanitizer_environment() {
    export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=1:check_initialization_order=1}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:abort_on_error=1:print_stacktrace=1}
    export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$ROOT/cmake/lsan.supp:print_suppressions=0}
}

run_sanitized_tests() {
    BUILD_DIR=${VORIX_BUILD_DIR:-$ROOT/build-asan}
    install_packages
    sanitizer_environment
    configure_variant "the sanitizer build" -DCMAKE_BUILD_TYPE=Debug -DVORIX_SANITIZE=ON
    say "Building with AddressSanitizer and UndefinedBehaviorSanitizer"
    cmake --build "$BUILD_DIR" -j "$(job_count)"
    say "Running the test suite under the sanitizers"
    run_ctest
}

run_fuzz() {
    local seconds=${1:-30} only=${2:-} target name work failed=()
    [[ $seconds =~ ^[0-9]+$ ]] || { echo "fuzz: seconds must be a number" >&2; exit 2; }
    BUILD_DIR=${VORIX_BUILD_DIR:-$ROOT/build-fuzz}
    PACKAGES+=(clang-14 libclang-rt-14-dev)
    install_packages
    sanitizer_environment
    configure_variant "the fuzz build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
        -DVORIX_FUZZ=ON -DVORIX_BUILD_GUI=OFF -DVORIX_BUILD_TESTS=OFF
    say "Building the fuzz targets"
    cmake --build "$BUILD_DIR" -j "$(job_count)" --target vorix_fuzz
    for target in "$BUILD_DIR"/fuzz/*_fuzz; do
        name=${target##*/}
        [[ -z $only || $name == "$only" ]] || continue
        # New inputs go to the build's own corpus; the seeds in the repository are only read.
        work=$BUILD_DIR/fuzz-work/$name
        mkdir -p "$work/corpus" "$work/artifacts"
        say "Fuzzing $name for $seconds s"
        if "$target" -max_total_time="$seconds" -timeout=10 -artifact_prefix="$work/artifacts/" \
            "$work/corpus" "$ROOT/fuzz/corpus/$name" >"$work/log" 2>&1; then
            echo "$name: $(grep -E '^Done [0-9]+ runs' "$work/log" | tail -n 1), every invariant held"
        else
            tail -n 40 "$work/log"
            echo "$name: FAILED, the input is in $work/artifacts/" >&2
            failed+=("$name")
        fi
    done
    [[ ${#failed[@]} -eq 0 ]] || { echo "fuzz targets that failed: ${failed[*]}" >&2; exit 1; }
}

run_benchmarks() {
    BUILD_DIR=${VORIX_BUILD_DIR:-$ROOT/build-bench}
    PACKAGES+=(libbenchmark-dev)
    install_packages
    configure_variant "the benchmark build" -DCMAKE_BUILD_TYPE="$BUILD_TYPE" -DVORIX_BENCH=ON -DVORIX_BUILD_TESTS=OFF
    say "Building the benchmarks"
    cmake --build "$BUILD_DIR" -j "$(job_count)" --target vorix_bench
    export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
    say "Core benchmarks"
    "$BUILD_DIR/bench/vorix_core_bench"
    say "Start-up benchmark"
    "$BUILD_DIR/bench/vorix_startup_bench"
    say "Transfer benchmark"
    "$BUILD_DIR/bench/vorix_transfer_bench"
    say "Port probe benchmark"
    "$BUILD_DIR/bench/vorix_probe_bench"
}

# What the package's files are made and checked with: the manual pages, the PNG icons, dpkg-shlibdeps,
# and the validators of the check.
PACKAGE_TOOLS=(help2man librsvg2-bin dpkg-dev file lintian desktop-file-utils appstream shared-mime-info)

# The build folder is configured again so that it finds the tools just installed.
build_package() {
    PACKAGES+=("${PACKAGE_TOOLS[@]}")
    install_packages
    configure
    cmake "$BUILD_DIR" >/dev/null
    say "Building"
    cmake --build "$BUILD_DIR" -j "$(job_count)"
}

make_package() {
    build_package
    say "Making the Debian package"
    rm -f "$BUILD_DIR"/vorix_*.deb
    cpack --config "$BUILD_DIR/CPackConfig.cmake" -B "$BUILD_DIR" >/dev/null
    ls "$BUILD_DIR"/vorix_*.deb
    echo "Install it with: sudo apt install $(ls "$BUILD_DIR"/vorix_*.deb)"
}

check_package() {
    build_package
    "$ROOT/packaging/check-package.sh" "$BUILD_DIR"
}

# The tool beside a simulated radio. The simulator links a pseudo-terminal into the user's ports
# folder under the first free COM number; it is stopped, and so removes that link, when the tool exits.
run_demo() {
    build
    local work number line
    work=$(mktemp -d "${TMPDIR:-/tmp}/vorix-demo.XXXXXX")
    DEMO_SIM_PID=
    trap stop_demo_radio EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    : >"$work/port"
    "$BUILD_DIR/bin/vorix-radio-sim" --save "$work/radio.rdat" --log "$work/radio.log" >"$work/port" &
    DEMO_SIM_PID=$!
    # Its first line, "COMn -> /dev/pts/N via <link>", comes once the line is ready.
    for _ in $(seq 50); do
        line=$(head -n 1 "$work/port")
        [[ -n $line ]] && break
        kill -0 "$DEMO_SIM_PID" 2>/dev/null || break
        sleep 0.1
    done
    [[ $line =~ ^COM([0-9]+)\  ]] || { echo "The simulated radio did not start; see $work/radio.log" >&2; exit 1; }
    number=${BASH_REMATCH[1]}
    say "Simulated radio: $line"
    echo "The simulated radio is on COM$number: press COM PORT, choose COM$number, then Read."
    echo "It answers at 19200 baud, like a real radio. A write to it is kept in $work/radio.rdat,"
    echo "the frames it saw in $work/radio.log."
    say "Starting Vorix"
    "$BUILD_DIR/bin/vorix"
}

stop_demo_radio() {
    [[ -n ${DEMO_SIM_PID:-} ]] || return 0
    kill -TERM "$DEMO_SIM_PID" 2>/dev/null || true
    wait "$DEMO_SIM_PID" 2>/dev/null || true
    DEMO_SIM_PID=
    say "Simulated radio stopped"
}

case ${1:-} in
run)
    build
    say "Starting Vorix"
    exec "$BUILD_DIR/bin/vorix"
    ;;
test) run_tests ;;
build) build ;;
test-asan) run_sanitized_tests ;;
fuzz) run_fuzz "${@:2}" ;;
bench) run_benchmarks ;;
demo) run_demo ;;
package) make_package ;;
package-check) check_package ;;
*)
    echo "usage: $0 run|test|build|test-asan|fuzz [seconds] [target]|bench|demo|package|package-check" >&2
    exit 2
    ;;
esac
