#!/bin/sh
# Gives the print tests a spooler of their own: a CUPS scheduler with its own configuration in
# DIR (default /tmp/tessmira-test-cups), listening only on DIR/cups.sock, whose cups-files.conf
# allows file devices. Its queues:
#   TessmiraPDF  cups-pdf, which writes every job as a PDF file into DIR/pdf (the default
#                printer); its own instance of cups-pdf, configured in
#                /etc/cups/cups-pdf-TessmiraTest.conf, so that the user's own PDF folder is left
#                alone
#   Zebra203     CUPS's sample Zebra ZPL driver at its 203 dpi, writing to DIR/out/Zebra203.prn
#   Dymo300      CUPS's sample DYMO driver at its 300 dpi, writing to DIR/out/Dymo300.prn
# The machine's own scheduler and queues are not touched. "stop" as the first argument ends the
# scheduler again.
set -eu
DIR=${TESSMIRA_TEST_CUPS:-/tmp/tessmira-test-cups}
export CUPS_SERVER="$DIR/cups.sock"

running() {
    [ -f "$DIR/cupsd.pid" ] && kill -0 "$(cat "$DIR/cupsd.pid")" 2>/dev/null
}

if [ "${1:-}" = stop ]; then
    if running; then
        kill "$(cat "$DIR/cupsd.pid")"
    fi
    exit 0
fi

if ! running; then
    rm -rf "$DIR"
    mkdir -p "$DIR/root/ppd" "$DIR/root/ssl" "$DIR/spool/tmp" "$DIR/cache" "$DIR/state" \
        "$DIR/log" "$DIR/out" "$DIR/pdf"
    # The filters run as lp: they read the spool and write their temporary files there.
    chown root:lp "$DIR/spool" "$DIR/spool/tmp" "$DIR/cache" "$DIR/state"
    chmod 0710 "$DIR/spool"
    chmod 1770 "$DIR/spool/tmp"
    chmod 0770 "$DIR/cache" "$DIR/state"
    chmod 0755 "$DIR" "$DIR/out"
    cat >"$DIR/root/cups-files.conf" <<EOF
FileDevice Yes
ServerRoot $DIR/root
RequestRoot $DIR/spool
TempDir $DIR/spool/tmp
CacheDir $DIR/cache
StateDir $DIR/state
AccessLog $DIR/log/access_log
ErrorLog $DIR/log/error_log
PageLog $DIR/log/page_log
SystemGroup root lpadmin
EOF
    cat >"$DIR/root/cupsd.conf" <<EOF
LogLevel info
Listen $DIR/cups.sock
Browsing No
WebInterface No
PreserveJobHistory Yes
MaxJobs 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    # In the foreground, so that its pid is the one kept; the shell leaves it running.
    cupsd -f -c "$DIR/root/cupsd.conf" -s "$DIR/root/cups-files.conf" </dev/null \
        >"$DIR/log/cupsd.out" 2>&1 &
    echo $! >"$DIR/cupsd.pid"
    tries=0
    until lpstat -r 2>/dev/null | grep -q "is running"; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ] || ! running; then
            echo "cups-setup: the test's CUPS scheduler did not start:" >&2
            cat "$DIR/log/cupsd.out" "$DIR/log/error_log" >&2 2>/dev/null || true
            exit 1
        fi
        sleep 0.1
    done
fi

queue() { # NAME DEVICE-URI DRIVER
    if ! lpstat -p "$1" >/dev/null 2>&1; then
        # lpadmin warns that drivers are deprecated; the sample drivers are what is tested.
        lpadmin -p "$1" -E -v "$2" -m "$3" 2>/dev/null
    fi
    cupsenable "$1"
    cupsaccept "$1"
}
# cups-pdf reads an instance's configuration from its own folder only.
printf 'Out %s/pdf\nGrp lpadmin\nDecodeHexStrings 1\n' "$DIR" >/etc/cups/cups-pdf-TessmiraTest.conf
queue TessmiraPDF cups-pdf:/TessmiraTest lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
queue Zebra203 "file://$DIR/out/Zebra203.prn" drv:///sample.drv/zebra.ppd
queue Dymo300 "file://$DIR/out/Dymo300.prn" drv:///sample.drv/dymo.ppd
lpadmin -d TessmiraPDF
lpstat -d -v
