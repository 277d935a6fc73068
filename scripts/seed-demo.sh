#!/usr/bin/env bash
# Seeds the demo machine (the Wine prefix in $WINEPREFIX) with what an installed Keelson and
# Ravelin leave behind: their registry keys, INI files and folders, so that every page of the
# sample test libraries has something to show. Ravelin is version 8.00, installed in C:\Ravelin\:
# scripts/run.sh puts the fax-product simulator there. Safe to run again.
set -eu
: "${WINEPREFIX:?set WINEPREFIX to the prefix to seed}"
WINE64=/usr/lib/wine/wine64
C="$WINEPREFIX/drive_c"

# Text files as Windows writes them: CR LF line ends.
crlf() { sed 's/$/\r/'; }

# The products' keys, for the registry view of one architecture. On a 64-bit machine a 32-bit
# program reads HKLM\Software through Wow6432Node, and its installer put it into
# "Program Files (x86)": the keys go into both views, so that the demo works with either build.
# reg_text PROGRAM_FILES_FOLDER (its name in C:\)
reg_text() {
    sed "s/@PROGRAM_FILES@/$1/" <<'REG' | crlf
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Halvard\Ravelin\CurrentVersion]
"Version"="8.00"
"MajorVersion"=dword:00000008
"MinorVersion"=dword:00000000
"Build"=dword:0000019c
"InstallPath"="C:\\Ravelin"
"RegisteredOwner"="Corvane Demo"

[HKEY_CURRENT_USER\Software\Halvard\Ravelin\7.0\Ravelin]
"Exepath"="C:\\Ravelin\\"

[HKEY_CURRENT_USER\Software\Halvard\Ravelin\7.0\SendFax Wizard]
"DoNotUseWizard"=dword:00000000

[HKEY_CURRENT_USER\Software\Halvard\Ravelin\Settings]
"StationId"="+1 555 0142"
"DialPrefix"="9,"
"Retries"=dword:00000003
"Resolution"=dword:00000001
"CoverPage"="business.cpg"

[HKEY_LOCAL_MACHINE\Software\Halvard\Keelson\CurrentVersion]
"Version"="2.3"
"InstallPath"="C:\\@PROGRAM_FILES@\\Halvard\\Keelson"

[HKEY_LOCAL_MACHINE\Software\Halvard\Keelson\Lines\Line1]
"Port"="COM1"
"Speed"=dword:0000e100
"Rings"=dword:00000002
"InitString"="AT&F&C1&D2"
"Driver"="Hayes Compatible 56K"
"FaxClass"=dword:00000002

[HKEY_LOCAL_MACHINE\Software\Halvard\Keelson\Lines\Line2]
"Port"="COM3"
"Speed"=dword:00004b00
"Rings"=dword:00000004
"Driver"="Corvane FaxLink 14.4"
"FaxClass"=dword:00000001
REG
}
reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
windows_reg=$(WINEDEBUG=-all "$WINE64" winepath -w "$reg" 2>/dev/null)
for view in 64 32; do
    if [ "$view" = 32 ]; then reg_text 'Program Files (x86)'; else reg_text 'Program Files'; fi >"$reg"
    WINEDEBUG=-all "$WINE64" reg import "$windows_reg" "/reg:$view" >/dev/null 2>&1 \
        || { echo "seed-demo: importing the $view-bit registry view failed" >&2; exit 1; }
done

mkdir -p "$C/Ravelin/Cover Pages" "$C/Program Files/Halvard/Keelson" "$C/Program Files (x86)/Halvard/Keelson"
crlf >"$C/Ravelin/Cover Pages/business.cpg" <<'EOF_TEXT'
FAX from [Sender] to [Recipient], [Pages] pages.
EOF_TEXT
crlf >"$C/windows/ravelin.ini" <<'EOF_TEXT'
[Ravelin]
Version=4.1
Queue=C:\Ravelin\Queue
[Printer]
Name=Ravelin
Port=RVLFAX:
[Log]
KeepDays=30
EOF_TEXT
cp "$C/windows/ravelin.ini" "$C/Ravelin/ravelin.ini"
crlf >"$C/windows/keelson.ini" <<'EOF_TEXT'
[Lines]
Count=2
[Modem]
Line1=Hayes Compatible 56K
Line2=Corvane FaxLink 14.4
[Dialing]
Tone=1
Prefix=9,
Wait=3
[Log]
File=C:\Program Files\Halvard\Keelson\keelson.log
EOF_TEXT

# Older installers also wrote into win.ini and system.ini; add their sections once.
add_section() {  # FILE SECTION LINES...
    local file=$1 section=$2
    shift 2
    grep -qi "^\[$section\]" "$file" 2>/dev/null && return 0
    { echo "[$section]"; printf '%s\n' "$@"; } | crlf >>"$file"
}
add_section "$C/windows/win.ini" Ravelin "Installed=1" "Path=C:\\Program Files\\Halvard\\Ravelin"
add_section "$C/windows/win.ini" devices "Ravelin=RVLFAX,RVLFAX:"
add_section "$C/windows/win.ini" PrinterPorts "Ravelin=RVLFAX,RVLFAX:,15,45"
add_section "$C/windows/system.ini" 386Enh "COM1Irq=4" "COM1Base=03F8" "COM1Buffer=1024"
echo "seeded the demo machine in $WINEPREFIX"
