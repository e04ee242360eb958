#!/usr/bin/env bash
# "印刷" on a real printer: a CUPS PDF queue named to the program alone through PRINTER, clicked
# in a real window; one page of PDF must arrive, small, of vectors and text. Then the ways a
# print fails, each with a message that names what failed and no job anywhere: a queue that
# rejects jobs (with its reason), a PRINTER naming no queue, a print server that never answers.
# The machine's default printer, a print server that was already running and its
# configuration are left as found, and the queues made here are removed. Needs root and CUPS;
# exits 77 (skipped) otherwise.
# Usage: real_printer.sh PROGRAM
APP=$(realpath "$1")
if [ "$(id -u)" -ne 0 ]; then
    echo "print check skipped: not root (starting cupsd and adding a queue need root)"
    exit 77
fi
for tool in cupsd lpadmin lpstat cupsreject pdfinfo pdftoppm pdftotext convert python3; do
    command -v "$tool" >/dev/null || command -v "/usr/sbin/$tool" >/dev/null || {
        echo "print check skipped: $tool is not installed"
        exit 77
    }
done
source "$(dirname "$0")/lib.sh"

scheduler_up() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }
if scheduler_up; then
    echo "a print server is already running: using it as it is"
else
    /usr/sbin/cupsd -f &
    PIDS+=($!)
    for _ in $(seq 1 100); do
        scheduler_up && break
        sleep 0.1
    done
fi
scheduler_up || fail "the print server did not start"

default_printer() { lpstat -d 2>/dev/null || true; }
default_before=$(default_printer)
queue=BallTrajectoryPDF$$
# A queue that sorts first and accepts nothing: a program that ignored PRINTER and took the
# first printer would send its job there.
decoy=BallTrajectoryAAA$$
ppd=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
lpadmin -p "$decoy" -v cups-pdf:/ -m "$ppd" 2>/dev/null
lpadmin -p "$queue" -E -v cups-pdf:/ -m "$ppd" 2>/dev/null
rejecting=BallTrajectoryRejecting$$
lpadmin -p "$rejecting" -E -v cups-pdf:/ -m "$ppd" 2>/dev/null
cupsreject -r "test queue closed" "$rejecting"
# cups-pdf writes to the job owner's PDF folder, which a machine that never printed lacks;
# one made by this check is removed again when it is left empty.
home=$(getent passwd "$(id -un)" | cut -d: -f6)
[ -d "$home/PDF" ] && had_pdf_folder=yes || had_pdf_folder=no
remove_queues() {
    local q
    for q in "$queue" "$decoy" "$rejecting"; do lpadmin -x "$q" 2>/dev/null || true; done
    [ "$had_pdf_folder" = yes ] || rmdir "$home/PDF" 2>/dev/null || true
    cleanup
}
trap remove_queues EXIT

start_xvfb
mkdir "$WORK/pitches"
APP_ENV=(PRINTER="$queue")
start_app "$WORK/pitches"
click_at $COMMAND1
wait_for_file "$WORK/pitches/Ball1Traj.txt"
peak_kb() { awk '/VmHWM/ {print $2}' "/proc/$APP_PID/status"; }
peak_before=$(peak_kb)
click_at $COMMAND3

# The job must reach this queue and be completed there.
job=""
for _ in $(seq 1 600); do
    job=$(lpstat -W completed -o "$queue" 2>/dev/null | awk 'NR == 1 {print $1}')
    [ -n "$job" ] && break
    sleep 0.1
done
[ -n "$job" ] || fail "no completed job on $queue; pending: $(lpstat -o 2>/dev/null || true)"
[ "$(default_printer)" = "$default_before" ] || fail "the default printer changed"

pdf=""
for _ in $(seq 1 100); do
    pdf=$(find "$home/PDF" /var/spool/cups-pdf -name '*.pdf' -newer "$WORK/pitches/Ball1Traj.txt" \
          2>/dev/null | head -1 || true)
    [ -n "$pdf" ] && pdfinfo "$pdf" >/dev/null 2>&1 && break
    sleep 0.1
done
[ -n "$pdf" ] || fail "job $job completed but no PDF arrived"
[ -n "${KEEP_PDF:-}" ] && cp "$pdf" "$KEEP_PDF"
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
bytes=$(stat -c %s "$pdf")
rise=$(( ($(peak_kb) - peak_before) / 1024 ))
echo "the job: $bytes bytes (at most 200 KB); peak memory rose by $rise MB (less than 100 MB)"
[ "$bytes" -le $((200 * 1024)) ] || fail "the job is $bytes bytes: an image rather than vectors?"
[ "$rise" -lt 100 ] || fail "printing took $rise MB"
text=$(pdftotext "$pdf" - 2>/dev/null)
for caption in "ボール１" "投げた直後" "終わり" "真上から見た図" "回転軸角度" "水平からの角度"; do
    [[ "$text" == *"$caption"* ]] || fail "the printed page has no text \"$caption\""
done
size=$(pdfinfo "$pdf" | awk '/^Page size:/ {print $3, $5}')
echo "printed $job to $pdf: $pages page(s) of $size pt"
[ "$pages" = 1 ] || fail "expected one page, got $pages"
# The window is wider than tall: it prints in landscape, as large as the sheet allows, so its
# ink spans most of the sheet both ways (a portrait print scaled to the width fills half).
pdftoppm -png -r 30 -singlefile "$pdf" "$WORK/page"
read -r sheet inked <<<"$(convert "$WORK/page.png" -format '%wx%h ' -write info:- -trim -format '%wx%h' info:-)"
echo "sheet ${sheet} px, inked ${inked} px"
awk -v s="$sheet" -v i="$inked" 'BEGIN {split(s, a, "x"); split(i, b, "x");
    exit !(b[1] > 0.8 * a[1] && b[2] > 0.8 * a[2])}' || fail "the print does not fill the page"
rm -f "$pdf"
stop_app

# The ways a print fails: each gives a message box naming what failed, and no job anywhere.
jobs_before=$(lpstat -W all -o 2>/dev/null | wc -l)
expect_refusal() {  # expect_refusal WHAT PATTERN...: after 印刷, a message with every pattern
    local what=$1 message
    shift
    start_app "$WORK/pitches"
    click_at $COMMAND3
    message=$(wait_for_message "$1" 300)
    echo "$what: $message"
    for pattern in "$@"; do
        [[ "$message" == *"$pattern"* ]] || fail "$what: no message with \"$pattern\": $(cat "$WORK/app.log")"
    done
    for _ in $(seq 1 100); do
        [ "$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | wc -l)" -ge 2 ] && break
        sleep 0.02
    done
    [ "$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | wc -l)" -ge 2 ] ||
        fail "$what: the message box did not appear"
    stop_app
}
APP_ENV=(PRINTER="$rejecting")
expect_refusal "rejecting queue" "$rejecting" "受け付けていません" "test queue closed"
APP_ENV=(PRINTER="NoSuchQueue$$")
expect_refusal "PRINTER naming no queue" "NoSuchQueue$$" "ありません" "PRINTER"
start_silent_server
APP_ENV=(CUPS_SERVER="$SILENT_SERVER")
expect_refusal "print server that never answers" "$SILENT_SERVER" "応答しません"
[ "$(lpstat -W all -o 2>/dev/null | wc -l)" = "$jobs_before" ] || fail "a failed print left a job"
echo "real printer: passed"
