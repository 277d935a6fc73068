#!/usr/bin/env bash
# The installer round trip under Wine: the installer of this build runs silently (/S) into
# Program Files, the installed program starts on its Welcome page, and the uninstaller removes
# every file it installed while the user's settings stay.
#
#   RoundTrip.sh BUILD_DIR WINE     (in the test prefix, with a display; exit 77: skipped)
set -u
build=$1 wine=$2
skip() { echo "skipped: $*"; exit 77; }
fail() { echo "FAILED: $*"; exit 1; }

command -v makensis >/dev/null || skip "makensis is missing (Debian package nsis; scripts/install-deps.sh installs it)"
# The installer is a program of this build's architecture; 32-bit Wine needs a kernel that can
# start 32-bit Linux programs, which some machines lack.
"$wine" cmd /c exit >/dev/null 2>&1 || skip "$wine cannot run here, so neither can this build's installer"

out="$build/installer-test"
rm -rf "$out"
trap 'rm -rf "$out"' EXIT  # no installer stays among the build's modules
(cd "$build" && ZELKOR_QUICK_INSTALLER=1 cpack -G NSIS -B "$out") >"$out.log" 2>&1 \
    || fail "cpack: $(tail -5 "$out.log")"
setup=$(ls "$out"/Zelkor-*-setup.exe) || fail "no installer in $out"

"$wine" "$setup" /S || fail "the installer ended with $?"
drive_c="$WINEPREFIX/drive_c"
for folder in "Program Files (x86)" "Program Files"; do
    [ -f "$drive_c/$folder/Zelkor/Zelkor.exe" ] && break
done
installed="$drive_c/$folder/Zelkor"
for file in Zelkor.exe Modem.ZKL Ravelin.ZKL System.ZKL zkcheck.exe ReadMe.txt sdk/zelkor.h Uninstall.exe; do
    [ -f "$installed/$file" ] || fail "not installed: $folder/Zelkor/$file"
done
find "$drive_c" -path "*Start Menu*" -name Zelkor.lnk | grep -q . || fail "no Start-menu shortcut"

ZELKOR_INSTALLED="C:\\$folder\\Zelkor" ZELKOR_SCREENSHOT="${ZELKOR_SCREENSHOT:-}" \
    "$wine" "$build/tests/zelkor_e2e.exe" --gtest_brief=1 --gtest_filter=Shipping.TheInstalledProgram* \
    || fail "the installed program did not start on its Welcome page"

# The uninstaller copies itself away and runs from there: wait for the folder to go.
"$wine" "C:\\$folder\\Zelkor\\Uninstall.exe" /S || fail "the uninstaller ended with $?"
for _ in $(seq 60); do [ -d "$installed" ] || break; sleep 0.5; done
left=$(find "$installed" -type f 2>/dev/null)
[ -z "$left" ] || fail "left behind after uninstalling: $left"
find "$drive_c" -path "*Start Menu*" -name Zelkor.lnk | grep -q . && fail "the Start-menu shortcut is still there"
"$wine" reg query 'HKCU\Software\Halvard\Zelkor' >/dev/null 2>&1 || fail "the user's settings went with the program"
echo "installed into $folder\\Zelkor, started on the Welcome page, uninstalled without a trace"
