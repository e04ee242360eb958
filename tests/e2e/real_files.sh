#!/usr/bin/env bash
# The two data files as a user's world treats them, on a real window: each new file is on disk
# before it is renamed in; a program killed between the two renames leaves a pair that the next
# start puts back, with nothing left beside it; another user's file in a shared folder is
# refused with its cause and nothing changes; every kind of minus typed is a minus. The kill
# needs strace; the shared folder needs root and the user nobody (those parts are skipped
# otherwise).
# Usage: real_files.sh PROGRAM
APP=$(realpath "$1")
for tool in Xvfb xdotool strace; do
    command -v "$tool" >/dev/null || { echo "real files skipped: $tool is not installed"; exit 77; }
done
source "$(dirname "$0")/lib.sh"
start_xvfb
folder="$WORK/pitches"
mkdir "$folder"
pair() { cat "$folder/initdir.txt" "$folder/Ball1Traj.txt" | md5sum; }
# Runs the program under strace (its options first), and waits for its window.
start_traced() {
    local trace=$1
    shift
    (cd "$folder" && exec strace -f -qq -o "$trace" "$@" env -u QT_QPA_PLATFORM "$APP") \
        2>"$WORK/app.log" &
    APP_PID=$!
    PIDS+=($APP_PID)
    WIN=$(xdotool search --sync --onlyvisible --name "ボールの軌道" 2>/dev/null | head -1)
    form_at "$WIN"
}

# Every file renamed in was flushed to disk first, as SQLite and QSaveFile do.
start_traced "$WORK/fsync.trace" -y -e trace=fsync,rename,renameat,renameat2
click_at $COMMAND1
wait_for_file "$folder/Ball1Traj.txt"
sleep 0.3
click_at $COMMAND4
wait "$APP_PID" 2>/dev/null || true
renamed=0
while IFS= read -r temporary; do
    grep -q "fsync([0-9]*<[^>]*/${temporary}>" "$WORK/fsync.trace" ||
        fail "$temporary was renamed in before it was flushed"
    renamed=$((renamed + 1))
done < <(grep -oE 'rename[a-z0-9]*\(.*"(initdir|Ball1Traj)\.txt\.tmp[0-9a-f]{16}"' "$WORK/fsync.trace" |
         grep -oE '(initdir|Ball1Traj)\.txt\.tmp[0-9a-f]{16}')
echo "files renamed in, each flushed first: $renamed"
[ "$renamed" -eq 2 ] || fail "expected the two data files renamed in, found $renamed"
before=$(pair)

# Killed between the two renames: the click's third rename (the journal's, initdir.txt's, then
# Ball1Traj.txt's) never happens.
start_traced "$WORK/kill.trace" -e trace=rename,renameat,renameat2 \
    -e inject=rename,renameat,renameat2:error=EIO:signal=KILL:when=3
click_at $SPEEDTXT0
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "100"
click_at $COMMAND1
for _ in $(seq 1 200); do
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.05
done
kill -0 "$APP_PID" 2>/dev/null && fail "the program was not killed at the rename"
wait "$APP_PID" 2>/dev/null || true
[ "$(pair)" != "$before" ] || fail "the kill did not fall between the two renames"
echo "killed between the renames: $(ls -A "$folder" | tr '\n' ' ')"
start_app "$folder"
[ "$(pair)" = "$before" ] || fail "the next start did not put the pair back"
leftovers=$(ls -A "$folder" | grep -vxE 'initdir\.txt|Ball1Traj\.txt' || true)
[ -z "$leftovers" ] || fail "left beside the files: $leftovers"
grep -q "その前の組に戻しました" "$WORK/app.log" || fail "the start did not say it put the pair back"
echo "the next start put the pair back, nothing left beside it"

# Every kind of minus reads as one: each speed is refused as negative. xdotool types a
# character outside the keymap by remapping a key, which now and then loses it: a minus gets
# three tries, and a program that misreads it fails all three.
negative() { grep -ac "負の数" "$WORK/app.log" || true; }
for minus in "−" "ー" "‐" "–" "－" "ｰ"; do
    refused=$(negative)
    for _ in 1 2 3; do
        click_at $SPEEDTXT0
        xdotool key --clearmodifiers ctrl+a
        xdotool type --delay 80 "${minus}125"
        click_at $COMMAND1
        for _ in $(seq 1 50); do
            [ "$(negative)" -gt "$refused" ] && break
            sleep 0.1
        done
        [ "$(negative)" -gt "$refused" ] && break
    done
    [ "$(negative)" -gt "$refused" ] ||
        fail "「${minus}125」 was not read as a negative speed: $(tail -2 "$WORK/app.log")"
    # Its message box closed from the keyboard, as a user would.
    box=$(xdotool search --onlyvisible --pid "$APP_PID" --name "ボールの軌道" | grep -vx "$WIN" | head -1)
    [ -n "$box" ] || fail "no message box for 「${minus}125」"
    xdotool windowfocus --sync "$box" key --clearmodifiers Return
    for _ in $(seq 1 50); do
        xdotool search --onlyvisible --pid "$APP_PID" --name "ボールの軌道" | grep -qvx "$WIN" || break
        sleep 0.1
    done
    ! xdotool search --onlyvisible --pid "$APP_PID" --name "ボールの軌道" | grep -qvx "$WIN" ||
        fail "the message box for 「${minus}125」 did not close"
done
echo "every minus typed read as a minus"
stop_app

# Another user's file in a shared folder: refused before anything is written, with its cause.
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then
    shared="$WORK/shared"
    mkdir -m 1777 "$shared"
    cp "$folder/Ball1Traj.txt" "$shared/"
    chmod 666 "$shared/Ball1Traj.txt"
    runtime=$(mktemp -d)
    chown nobody "$runtime"
    chmod 755 "$WORK"
    # A copy nobody may run, wherever the build folder is.
    install -m 755 "$APP" "$WORK/ballview"
    (cd "$shared" && exec runuser -u nobody -- env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" \
        DISPLAY="$DISPLAY" "$WORK/ballview") 2>"$WORK/app.log" &
    APP_PID=$!
    PIDS+=($APP_PID)
    WIN=$(wait_for_window "ボールの軌道" 2000)
    [ -n "$WIN" ] || fail "the window did not appear for nobody: $(cat "$WORK/app.log")"
    form_at "$WIN"
    traj=$(md5sum <"$shared/Ball1Traj.txt")
    click_at $COMMAND1
    said=$(wait_for_message "ほかのユーザー" 50)
    [ -n "$said" ] || fail "no message on another user's file: $(cat "$WORK/app.log")"
    [ ! -e "$shared/initdir.txt" ] || fail "initdir.txt was written beside a refused Ball1Traj.txt"
    [ "$(md5sum <"$shared/Ball1Traj.txt")" = "$traj" ] || fail "Ball1Traj.txt changed"
    [ -z "$(ls -A "$shared" | grep -vx 'Ball1Traj\.txt')" ] || fail "files left in the shared folder"
    echo "another user's file in a shared folder: $said"
    stop_app
    rm -rf "$runtime"
else
    echo "shared folder: skipped, needs root and the user nobody"
fi
echo "real files: passed"
