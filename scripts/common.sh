# Shared steps of the run and test commands: build, Wine prefix, virtual display, install.
# Sourced, not run. Everything lives under build/ in the source tree.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
WINE64=/usr/lib/wine/wine64
export WINEDEBUG=${WINEDEBUG:--all}

log() { printf '== %s\n' "$*"; }

# build ARCH: configure once, then build everything (ARCH is i686 or x86_64).
build() {
    local arch=$1 dir="$BUILD/$1"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$arch.cmake" >"$BUILD/cmake-$arch.log" 2>&1 \
            || { cat "$BUILD/cmake-$arch.log"; return 1; }
    fi
    cmake --build "$dir" -j "$(nproc)" >"$BUILD/build-$arch.log" 2>&1 \
        || { grep -E -A5 'error|Error' "$BUILD/build-$arch.log" | head -60; return 1; }
}

# make_prefix DIR [fresh]: a 64-bit prefix with 32-bit support; Wine's window manager off so
# windows close without the X11 driver's 2-second wait. Start the display first: the session
# that boots here is the one every later process joins.
make_prefix() {
    export WINEPREFIX=$1
    if [ "${2:-}" = fresh ]; then wineserver -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"; fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        "$WINE64" wineboot -i >/dev/null 2>&1
        "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    fi
    wineserver -p >/dev/null 2>&1 || true  # already running is fine
    mount_small_drive
    # Start Wine's background services now, detached from whatever reads our output later.
    "$WINE64" cmd /c exit >/dev/null 2>&1 </dev/null
}

stop_prefix() { [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1; unmount_small_drive; }

# Drive Y: of the prefix is a 64 KiB file system, for the tests of a full disk. Mounting needs
# root; without it there is no drive Y: and those tests say they were skipped.
SMALL_DRIVE="$BUILD/small-drive"
mount_small_drive() {
    mkdir -p "$SMALL_DRIVE"
    if ! mountpoint -q "$SMALL_DRIVE" && ! mount -t tmpfs -o size=64k tmpfs "$SMALL_DRIVE" 2>/dev/null; then
        log "no 64 KiB drive Y: (mounting needs root): the full-disk tests will be skipped"
        return 0
    fi
    find "$SMALL_DRIVE" -mindepth 1 -delete
    ln -sfn "$SMALL_DRIVE" "$WINEPREFIX/dosdevices/y:"
}
unmount_small_drive() { mountpoint -q "$SMALL_DRIVE" && umount -l "$SMALL_DRIVE"; return 0; }

# start_display: a private Xvfb on the first free display number; sets DISPLAY.
XVFB_PID=
start_display() {
    local n=55
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    echo "Xvfb did not start on $DISPLAY" >&2
    return 1
}

stop_display() { [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true; }

# install ARCH DIRNAME: Zelkor.exe, the compiler's runtime DLLs that it and the libraries share
# (the build puts them beside it) and the sample libraries into C:\DIRNAME of the prefix.
install_program() {
    local arch=$1 target="$WINEPREFIX/drive_c/$2"
    mkdir -p "$target"
    rm -f "$target"/*.ZKL
    cp "$BUILD/$arch/Zelkor.exe" "$BUILD/$arch"/*.dll "$target/"
    cp "$BUILD/$arch"/testlibs/*.ZKL "$target/" 2>/dev/null || true
    # The fax-product simulator, in a folder of its own as the real product would be.
    mkdir -p "$target/ravelin"
    cp "$BUILD/$arch"/tools/ravelin/*.{exe,dll} "$target/ravelin/" 2>/dev/null || true
    # The mail-client simulator; the tests register it as the default mail client.
    mkdir -p "$target/mailsim"
    cp "$BUILD/$arch"/tools/mailsim/mailsim.dll "$target/mailsim/" 2>/dev/null || true
    # Fixture libraries of the end-to-end tests, out of the program's sight.
    mkdir -p "$target/e2e"
    cp "$BUILD/$arch"/tests/fixtures/e2e/*.ZKL "$target/e2e/" 2>/dev/null || true
    # A command interpreter that never ends, for the tests of a check that waits on one.
    mkdir -p "$target/e2e/hanging"
    cp "$BUILD/$arch"/tests/runner/zkorphan.exe "$target/e2e/hanging/cmd.exe" 2>/dev/null || true
}

# install_fax_product ARCH: the fax-product simulator as Ravelin 8.00 in C:\Ravelin, where the
# demo's seeding (scripts/seed-demo.sh) says Ravelin is installed; it records what it receives in
# received.txt beside it, emptied here.
install_fax_product() {
    local target="$WINEPREFIX/drive_c/Ravelin"
    mkdir -p "$target"
    cp "$BUILD/$1"/tools/ravelin/*.{exe,dll} "$target/"
    rm -f "$target/received.txt"
}
