#!/usr/bin/env bash
# Builds what ships and packs it: the release configuration (optimised; CPack strips every
# module) of both architectures, then Zelkor-<version>-win32.zip, -win64.zip and the 32-bit
# installer Zelkor-<version>-setup.exe, left in build/packages/. Each zip's SDK carries the
# import libraries of both architectures. Installs what is missing first.
set -u
. "$(dirname "$0")/common.sh"

bash "$ROOT/scripts/install-deps.sh" || exit 1
OUT="$BUILD/packages"
IMPORTS="$BUILD/release-imports"
rm -rf "$OUT" "$IMPORTS"
mkdir -p "$OUT" "$IMPORTS/x86" "$IMPORTS/x64"

configure_release() {  # ARCH OTHER_IMPORT_LIBRARY
    cmake -S "$ROOT" -B "$BUILD/release-$1" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$1.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DZELKOR_TESTS=OFF -DZELKOR_OTHER_IMPORT_LIBRARY="$2" \
        >"$BUILD/cmake-release-$1.log" 2>&1 || { cat "$BUILD/cmake-release-$1.log"; return 1; }
}
build_release() {  # ARCH
    cmake --build "$BUILD/release-$1" -j "$(nproc)" >"$BUILD/build-release-$1.log" 2>&1 \
        || { grep -E -A5 'error|Error' "$BUILD/build-release-$1.log" | head -60; return 1; }
}

log "building the release configuration of i686 and x86_64"
configure_release i686 "$IMPORTS/x64/libZelkor.a" || exit 1
configure_release x86_64 "$IMPORTS/x86/libZelkor.a" || exit 1
build_release i686 || exit 1
build_release x86_64 || exit 1
cp "$BUILD/release-i686/libZelkor.dll.a" "$IMPORTS/x86/libZelkor.a"
cp "$BUILD/release-x86_64/libZelkor.dll.a" "$IMPORTS/x64/libZelkor.a"

for arch in i686 x86_64; do
    log "packing $arch"
    (cd "$BUILD/release-$arch" && cpack -B "$OUT" >"$BUILD/cpack-$arch.log" 2>&1) \
        || { tail -30 "$BUILD/cpack-$arch.log"; exit 1; }
done
rm -rf "$OUT/_CPack_Packages"
log "packages in $OUT"
ls -l "$OUT"
