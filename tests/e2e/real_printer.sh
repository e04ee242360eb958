#!/usr/bin/env bash
# "印刷" on a real printer: a CUPS PDF queue made the default, clicked in a real window; one
# page of PDF must arrive. Needs root for the print server; exits 77 (skipped) otherwise.
# Usage: real_printer.sh PROGRAM
APP=$(realpath "$1")
if [ "$(id -u)" -ne 0 ]; then
    echo "print check skipped: not root (starting cupsd and adding a queue need root)"
    exit 77
fi
for tool in cupsd lpadmin pdfinfo; do
    command -v "$tool" >/dev/null || command -v "/usr/sbin/$tool" >/dev/null || {
        echo "print check skipped: $tool is not installed"
        exit 77
    }
done
source "$(dirname "$0")/lib.sh"

scheduler_up() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }
if ! scheduler_up; then
    /usr/sbin/cupsd -f &
    PIDS+=($!)
    for _ in $(seq 1 100); do
        scheduler_up && break
        sleep 0.1
    done
fi
scheduler_up || fail "the print server did not start"

queue=BallTrajectoryPDF
lpadmin -p "$queue" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
previous_default=$(lpstat -d 2>/dev/null | sed -n "s/^system default destination: //p" || true)
lpadmin -d "$queue"
restore() {
    lpadmin -x "$queue" 2>/dev/null || true
    [ -n "$previous_default" ] && lpadmin -d "$previous_default" 2>/dev/null || true
    cleanup
}
trap restore EXIT

marker="$WORK/marker"
touch "$marker"
start_xvfb
mkdir "$WORK/pitches"
start_app "$WORK/pitches"
click_at $COMMAND1
wait_for_file "$WORK/pitches/Ball1Traj.txt"
click_at $COMMAND3

# The PDF appears before it is complete: wait for the queue to empty, then for the file.
sleep 1
for _ in $(seq 1 300); do
    [ -z "$(lpstat -o "$queue" 2>/dev/null)" ] && break
    sleep 0.1
done
[ -z "$(lpstat -o "$queue" 2>/dev/null)" ] || fail "the job did not leave the queue"
# cups-pdf creates the file first and fills it when Ghostscript is done.
pdf=""
for _ in $(seq 1 600); do
    pdf=$(find /root/PDF /var/spool/cups-pdf -name '*.pdf' -newer "$marker" 2>/dev/null | head -1)
    [ -n "$pdf" ] && pdfinfo "$pdf" >/dev/null 2>&1 && break
    sleep 0.1
done
[ -n "$pdf" ] || fail "no PDF arrived"
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
echo "printed $pdf: $pages page(s)"
[ "$pages" = 1 ] || fail "expected one page, got $pages"
[ -n "${KEEP_PDF:-}" ] && cp "$pdf" "$KEEP_PDF"
rm -f "$pdf"
echo "real printer: passed"
