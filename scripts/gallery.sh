#!/usr/bin/env bash
# gallery.sh ARCH: a picture of every window and dialog of Zelkor in build/gallery/*.png, named
# after the window (registry-editor-find.png, ...). Runs tools/gallery (zkgallery.exe) on the
# ARCH build in the Wine prefix $WINEPREFIX on the display $DISPLAY (scripts/test.sh starts
# both), on a demo machine: Ravelin and Keelson seeded (scripts/seed-demo.sh), the fax-product
# simulator in C:\Ravelin, the printers of a private CUPS scheduler. The sample libraries and
# the end-to-end fixture libraries Alpha, Beta and Gamma lie beside the program.
# A window that did not show is listed; the exit status is non-zero only when the gallery could
# not run at all.
set -u
. "$(dirname "$0")/common.sh"
arch=$1
: "${WINEPREFIX:?}" "${DISPLAY:?}"
wine=wine
[ "$arch" = x86_64 ] && wine="$WINE64"
home="$WINEPREFIX/drive_c/ZelkorGallery"
pictures="$WINEPREFIX/drive_c/zelkor-gallery"
out="$BUILD/gallery"
rm -rf "$home" "$pictures" "$out" && mkdir -p "$home/bare" "$out"
cp "$BUILD/$arch/Zelkor.exe" "$BUILD/$arch"/*.dll "$home/bare/"
cp "$BUILD/$arch/Zelkor.exe" "$BUILD/$arch"/*.dll "$BUILD/$arch"/testlibs/*.ZKL "$BUILD/$arch/tools/zkgallery.exe" "$home/"
cp "$BUILD/$arch"/tests/fixtures/e2e/{Alpha,Beta,Gamma}.ZKL "$home/"
bash "$ROOT/scripts/seed-demo.sh" >/dev/null || exit 1
install_fax_product "$arch"
# The mail-client simulator as the default mail client, in the registry view of the build.
mkdir -p "$home/mailsim" && cp "$BUILD/$arch/tools/mailsim/mailsim.dll" "$home/mailsim/"
view=/reg:64
[ "$arch" = i686 ] && view=/reg:32
"$WINE64" reg add 'HKLM\Software\Clients\Mail' /ve /d 'Zelkor Mail Simulator' /f $view >/dev/null 2>&1
"$WINE64" reg add 'HKLM\Software\Clients\Mail\Zelkor Mail Simulator' /v DLLPath \
    /d 'C:\ZelkorGallery\mailsim\mailsim.dll' /f $view >/dev/null 2>&1

log "gallery of every window ($arch build): $out"
start=$(date +%s)
# The program's own text editor instead of the system's notepad, as for the end-to-end tests; the
# fax product answers after a second and a half, so that the status window can be seen.
WINEDLLOVERRIDES=notepad.exe=d RAVELIN_SIM_MODE=delay RAVELIN_SIM_DELAY_MS=1500 timeout 300 bash "$ROOT/scripts/with-cups.sh" "$BUILD/cups-gallery" \
    "$wine" 'C:\ZelkorGallery\zkgallery.exe' 'C:\ZelkorGallery' 'C:\zelkor-gallery' 2>&1 | tr -d '\r'
status=${PIPESTATUS[0]}
for bmp in "$pictures"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "$out/$(basename "${bmp%.bmp}").png" && rm -f "$bmp"
done
log "gallery: $(( $(date +%s) - start )) s, $(ls "$out" | wc -l) pictures:"
ls -1 "$out"/*.png 2>/dev/null
[ "$status" -eq 0 ] || echo "gallery: FAILED: the gallery could not run (exit status $status)" >&2
exit "$status"
