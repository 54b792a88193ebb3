#!/bin/sh
# Gives the print tests a real spooler: starts the CUPS scheduler when it is not running and makes
# a cups-pdf queue, which writes every job as a PDF file, the default printer.
set -eu
QUEUE=${1:-TessmiraPDF}
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    cupsd
    tries=0
    until lpstat -r 2>/dev/null | grep -q "is running"; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ]; then
            echo "cups-setup: the CUPS scheduler did not start" >&2
            exit 1
        fi
        sleep 0.1
    done
fi
if ! lpstat -p "$QUEUE" >/dev/null 2>&1; then
    lpadmin -p "$QUEUE" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
fi
cupsenable "$QUEUE"
cupsaccept "$QUEUE"
lpadmin -d "$QUEUE"
lpstat -d -p "$QUEUE"
