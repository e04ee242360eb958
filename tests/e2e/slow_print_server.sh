#!/usr/bin/env bash
# Printing never holds the program: a print server that answers one byte every 3 s (never
# silent for the 10 s that mark a dead one) ends the job within its deadline with a message that
# names the server, and 終わり while a page waits on a server that never answers ends the
# program at once.
# Usage: slow_print_server.sh PROGRAM
APP=$(realpath "$1")
for tool in Xvfb xdotool python3; do
    command -v "$tool" >/dev/null || { echo "slow print server skipped: $tool is not installed"; exit 77; }
done
source "$(dirname "$0")/lib.sh"
start_xvfb
folder="$WORK/pitches"
mkdir "$folder"

start_trickle_server
APP_ENV=(CUPS_SERVER="$TRICKLE_SERVER")
start_app "$folder"
t0=$(date +%s%N)
click_at $COMMAND3
said=$(wait_for_message "印刷サーバー" 400)
took=$(( ($(date +%s%N) - t0) / 1000000 ))
echo "a server that trickles: after ${took} ms: ${said}"
[ -n "$said" ] || fail "no message within 40 s"
[[ "$said" == *"$TRICKLE_SERVER"* ]] || fail "the message does not name the server"
[ "$took" -le 33000 ] || fail "the job outlived its 30 s deadline"
stop_app

start_silent_server
APP_ENV=(CUPS_SERVER="$SILENT_SERVER")
start_app "$folder"
click_at $COMMAND3
sleep 0.5
t0=$(date +%s%N)
click_at $COMMAND4
for _ in $(seq 1 300); do
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.01
done
ended=$(( ($(date +%s%N) - t0) / 1000000 ))
kill -0 "$APP_PID" 2>/dev/null && fail "still running 3 s after 終わり while a page waits"
echo "終わり while a page waits on a silent server: the program ended in ${ended} ms, budget 1000 ms"
[ "$ended" -le 1000 ] || fail "終わり waited on the print job"
echo "slow print server: passed"
