#!/usr/bin/env bash
# Installs the cross toolchain, Wine (64-bit with 32-bit support), the test tools and CUPS.
# Safe to run again: it does nothing when everything is already there.
set -u
need=()
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686)
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64)
command -v x86_64-w64-mingw32-windres >/dev/null || need+=(mingw-w64-tools)
[ -x /usr/lib/wine/wine64 ] || need+=(wine wine64 wine32:i386)
command -v wine >/dev/null || need+=(wine wine64 wine32:i386)
dpkg -s libcups2:i386 >/dev/null 2>&1 || need+=(libcups2:i386)
command -v Xvfb >/dev/null || need+=(xvfb xauth)
command -v xwininfo >/dev/null || need+=(x11-utils)
command -v import >/dev/null || need+=(imagemagick)
command -v cmake >/dev/null || need+=(cmake)
command -v cupsd >/dev/null || need+=(cups cups-bsd)  # printing tests and the demo's printers
command -v ps2pdf >/dev/null || need+=(ghostscript)
command -v pdftotext >/dev/null || need+=(poppler-utils)
command -v clang >/dev/null || need+=(clang)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
command -v makensis >/dev/null || need+=(nsis)  # the Windows installer (scripts/package.sh)
[ ${#need[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${need[*]}"
dpkg --add-architecture i386
# The mirror's i386 security index is inconsistent; pin it low so wine32 and wine64 install together.
printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 50\n' > /etc/apt/preferences.d/zelkor-wine
apt-get update >/dev/null 2>&1 || true
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
  wine wine64 wine32:i386 libcups2:i386 g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools \
  xvfb xauth x11-utils imagemagick cmake clang googletest cups cups-bsd ghostscript poppler-utils nsis python3 >/tmp/zelkor-apt.log 2>&1 \
  || { echo "install-deps: apt-get failed, see /tmp/zelkor-apt.log"; tail -20 /tmp/zelkor-apt.log; exit 1; }
