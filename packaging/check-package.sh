#!/usr/bin/env bash
# Checks the Debian package as a user would meet it, from a build folder that is already built:
#   packaging/check-package.sh [BUILD_DIR]        (default: build/ beside this folder)
# Makes the package with cpack, lists it, validates the desktop entry, the AppStream metainfo and the
# file type, runs lintian (an error fails the check; warnings are printed), unpacks the package into
# a temporary root and runs the installed programs from another folder: the simulated radio serves a
# read by vorix-cli, and vorix-cli shows the file it wrote. Fails on the first problem.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
ROOT=$PWD
BUILD_DIR=$(realpath "${1:-$ROOT/build}")

say() { printf '\033[1m==> %s\033[0m\n' "$*" >&2; }
fail() {
    echo "package check FAILED: $*" >&2
    exit 1
}

WORK=$(mktemp -d "${TMPDIR:-/tmp}/vorix-package-check.XXXXXX")
SIM_PID=
cleanup() {
    if [[ -n $SIM_PID ]]; then
        kill -TERM "$SIM_PID" 2>/dev/null || true
        wait "$SIM_PID" 2>/dev/null || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

say "Making the package in $BUILD_DIR"
rm -f "$BUILD_DIR"/vorix_*.deb
cpack --config "$BUILD_DIR/CPackConfig.cmake" -B "$BUILD_DIR" >"$WORK/cpack.log" 2>&1 || {
    cat "$WORK/cpack.log" >&2
    fail "cpack"
}
debs=("$BUILD_DIR"/vorix_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "expected one vorix_*.deb in $BUILD_DIR"
DEB=${debs[0]}
VERSION=$(dpkg-deb -f "$DEB" Version)
echo "$DEB"
dpkg-deb -f "$DEB" Package Version Architecture Section Depends
dpkg-deb -f "$DEB" Depends | grep -q 'qt6-qpa-plugins' || fail "Depends lacks the Qt platform plugins the window needs"

say "Contents"
dpkg-deb -c "$DEB" | awk '{ print $1, $6 }'

say "Unpacking into a temporary root"
ROOT_DIR=$WORK/root
dpkg-deb -x "$DEB" "$ROOT_DIR"
USR=$ROOT_DIR/usr
expected=(bin/vorix bin/vorix-cli bin/vorix-radio-sim share/applications/vorix.desktop
          share/mime/packages/vorix.xml share/metainfo/io.vorix.Vorix.metainfo.xml
          share/icons/hicolor/scalable/apps/vorix.svg share/doc/vorix/copyright share/doc/vorix/changelog.gz)
for tool in rsvg-convert help2man; do
    command -v "$tool" >/dev/null || echo "($tool is missing: its files are not checked)"
done
command -v rsvg-convert >/dev/null && expected+=(share/icons/hicolor/48x48/apps/vorix.png)
command -v help2man >/dev/null &&
    expected+=(share/man/man1/vorix.1.gz share/man/man1/vorix-cli.1.gz share/man/man1/vorix-radio-sim.1.gz)
for file in "${expected[@]}"; do
    [[ -f $USR/$file ]] || fail "the package has no /usr/$file"
done
# The three programs and their data only: no test, benchmark, fuzz target or screenshot tool.
[[ $(ls "$USR/bin") == $'vorix\nvorix-cli\nvorix-radio-sim' ]] || fail "/usr/bin holds: $(ls "$USR/bin")"
[[ $(ls "$ROOT_DIR") == usr && $(ls "$USR") == $'bin\nshare' ]] || fail "files outside /usr/bin and /usr/share"
# Nothing in the package may point back into the source or build tree.
if grep -rlF -e "$ROOT/" -e "$BUILD_DIR/" "$ROOT_DIR" >"$WORK/tree-paths"; then
    cat "$WORK/tree-paths" >&2
    fail "installed files name the build tree"
fi
for program in "$USR"/bin/*; do
    if readelf -d "$program" | grep -qE '\((RPATH|RUNPATH)\)'; then
        fail "$program carries a library search path"
    fi
done

say "desktop-file-validate"
desktop-file-validate "$USR/share/applications/vorix.desktop"
say "appstreamcli validate --no-net"
appstreamcli validate --no-net "$USR/share/metainfo/io.vorix.Vorix.metainfo.xml"
# The whole tree as a software centre reads it: the metainfo's launchable names the desktop entry.
appstreamcli validate-tree --no-net "$ROOT_DIR"
say "The .rdat file type"
cp -r "$USR/share/mime" "$WORK/mime"
update-mime-database "$WORK/mime" >/dev/null 2>&1
grep -qxF 'application/x-vorix-rdat:*.rdat' "$WORK/mime/globs" || fail "*.rdat is not application/x-vorix-rdat"
echo "*.rdat is application/x-vorix-rdat"

say "lintian"
lintian --tag-display-limit 0 "$DEB" 2>&1 | grep -v '^running with root privileges' | tee "$WORK/lintian.log" || true
if grep -q '^E:' "$WORK/lintian.log"; then
    fail "lintian reports errors"
fi

say "The installed programs, run from another folder"
RUN=$WORK/elsewhere
mkdir -p "$RUN" "$WORK/config"
cd "$RUN"
export PATH=$USR/bin:/usr/bin:/bin QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$WORK/config LC_ALL=C.UTF-8
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
[[ $(command -v vorix) == "$USR/bin/vorix" ]] || fail "vorix is not the unpacked one"
check_output() {
    local want=$1 got
    shift
    got=$(timeout 30 "$@") || fail "$* exited with $?"
    [[ $got == *"$want"* ]] || fail "$* printed: $got"
    echo "$* -> ok"
}
check_output "vorix $VERSION" vorix --version
check_output "vorix-cli $VERSION" vorix-cli --version
check_output "vorix-radio-sim $VERSION" vorix-radio-sim --version
check_output "Usage: vorix-cli" vorix-cli --help
check_output "Usage: vorix-radio-sim" vorix-radio-sim --help
check_output "[file]" vorix --help

# The simulated radio on COM7 of this check's own ports folder, read by vorix-cli into a file.
vorix-radio-sim --no-pacing --com 7 --log "$WORK/sim.log" >"$WORK/sim.out" &
SIM_PID=$!
for _ in $(seq 100); do
    [[ -s $WORK/sim.out ]] && break
    kill -0 "$SIM_PID" 2>/dev/null || break
    sleep 0.1
done
grep -q '^COM7 ' "$WORK/sim.out" || fail "the simulated radio did not start: $(cat "$WORK/sim.log")"
check_output "Read Data OK" vorix-cli read --port 7 sample.rdat
[[ $(stat -c %s sample.rdat) -eq 128 ]] || fail "sample.rdat is not 128 bytes"
check_output "Frequency" vorix-cli show sample.rdat
echo "package check passed: $DEB"
