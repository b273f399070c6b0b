#!/usr/bin/env bash
# Makes the CUPS queue that the end-to-end printing test prints to: starts cupsd when it is not running and
# adds the cups-pdf queue "OrvalisPDF", which writes its PDFs to /var/spool/cups-pdf/orvalis. Run as root,
# after scripts/deps.sh. Every step is bounded in time; the script fails when cupsd cannot be started.
set -euo pipefail

queue=OrvalisPDF
name=orvalis   # cups-pdf reads /etc/cups/cups-pdf-NAME.conf for the device cups-pdf:/NAME
out=/var/spool/cups-pdf/$name
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

running() { timeout 10 lpstat -r 2>/dev/null | grep -qx 'scheduler is running'; }

if ! running; then
    echo "Starting cupsd"
    timeout 30 /usr/sbin/cupsd || { echo "cupsd did not start" >&2; exit 1; }
    for _ in $(seq 40); do
        running && break
        sleep 0.5
    done
    running || { echo "cupsd started but does not answer" >&2; exit 1; }
fi

cat > "/etc/cups/cups-pdf-$name.conf" <<EOF
Out $out
Label 1
Grp lpadmin
EOF
# The Cairo renderer keeps the text of the PDF readable for pdftotext after the trip through PostScript.
timeout 60 lpadmin -p "$queue" -E -v "cups-pdf:/$name" -P "$ppd" -o pdftops-renderer-default=pdftocairo \
    2> >(grep -v 'Printer drivers are deprecated' >&2)
timeout 10 lpstat -p "$queue"
