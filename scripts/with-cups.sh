#!/usr/bin/env bash
# with-cups.sh DIR COMMAND...: runs COMMAND (a program under Wine: a test, or Zelkor itself for
# the demo) with a private CUPS scheduler in DIR, stopped afterwards. Its queues "ZelkorTest" (the
# default) and "Ravelin" (the fax product's printer) keep every job's PostScript in DIR/spool,
# which the tests read (ZELKOR_PRINT_SPOOL, a Windows path). With ZELKOR_REFUSING_QUEUE set, a
# third queue, "Refusing", rejects every job.
# Without cupsd on the machine the command runs with ZELKOR_NO_CUPSD set and its tests skip.
set -u
dir=$1
shift
if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null; then
    ZELKOR_NO_CUPSD=1 "$@"
    exit $?
fi
rm -rf "$dir" && mkdir -p "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log"
cat >"$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
Browsing No
PreserveJobFiles Yes
# Job control files (which name the queue) are written at once, not up to 30 s later.
DirtyCleanInterval 0
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
FileDevice Yes
CONF
cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" &
cupsd_pid=$!
trap 'kill "$cupsd_pid" 2>/dev/null; wait "$cupsd_pid" 2>/dev/null' EXIT
export CUPS_SERVER="$dir/cups.sock"
for _ in $(seq 50); do [ -S "$CUPS_SERVER" ] && break; sleep 0.1; done
queues="ZelkorTest Ravelin${ZELKOR_REFUSING_QUEUE:+ Refusing}"
for queue in $queues; do
    lpadmin -p "$queue" -E -v file:///dev/null -m raw 2>/dev/null || { echo "with-cups: lpadmin $queue failed" >&2; exit 1; }
done
[ -z "${ZELKOR_REFUSING_QUEUE:-}" ] || cupsreject Refusing
lpadmin -d ZelkorTest  # the printer the print dialog offers first
ZELKOR_PRINT_SPOOL="Z:${dir//\//\\}\\spool" "$@"
