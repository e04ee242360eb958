#!/usr/bin/env bash
# The two data files as a user's world treats them, on a real window: each new file is on disk
# before it is renamed in; a program killed between the two renames leaves a pair that the next
# start puts back once no other program holds the folder, with nothing left beside it; a click
# while another program holds the folder is answered at once and said; what another user
# leaves in a shared folder (a file, a journal, links into the user's home) is refused with its
# cause and nothing changes; every kind of minus typed is a minus. The kill needs strace; the
# shared folder needs root and the user nobody (those parts are skipped otherwise).
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

# Holds a lock on the folder $1, as another program would, for $2 seconds; sets HOLDER.
hold_folder() {
    # -o: the lock stays with flock itself, and goes when it is killed.
    flock -o -s "$1" sleep "$2" >/dev/null 2>&1 &
    HOLDER=$!
    PIDS+=($HOLDER)
    sleep 0.2
}
let_go() {
    pkill -P "$HOLDER" sleep || true
    kill "$HOLDER" 2>/dev/null || true
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
# Started while another program holds the folder: it looks once the folder is free.
hold_folder "$folder" 60
start_app "$folder"
[ -n "$(wait_for_message "空いてから確かめます" 50)" ] || fail "the start did not say it waits"
[ "$(pair)" != "$before" ] || fail "the pair was settled while another program held the folder"
let_go
[ -n "$(wait_for_message "その前の組に戻しました" 100)" ] || fail "not put back once the folder freed"
[ "$(pair)" = "$before" ] || fail "the next start did not put the pair back"
leftovers=$(ls -A "$folder" | grep -vxE 'initdir\.txt|Ball1Traj\.txt' || true)
[ -z "$leftovers" ] || fail "left beside the files: $leftovers"
echo "the next start put the pair back once the folder was free, nothing left beside it"

# A click while another program holds the folder: the window answers at once, and after a short
# wait the message names the cause; nothing changes.
hold_folder "$folder" 30
read -r x y <<<"$COMMAND1"
xdotool mousemove $((WIN_X + 1)) $((WIN_Y + 1)) sleep 0.1 mousemove --sync $((WIN_X + x)) $((WIN_Y + y))
sleep 0.3
t0=$(date +%s%N)
xdotool click --delay 0 1 key --clearmodifiers ctrl+i
[ -n "$(wait_for_window "投球の数値" 100)" ] || fail "the window did not answer while the folder was held"
answered=$(( ($(date +%s%N) - t0) / 1000000 ))
echo "while another program holds the folder, the window answered in ${answered} ms" \
     "(xdotool's click and keys included)"
[ "$answered" -le 1000 ] || fail "the window waited on the folder's lock"
said=$(wait_for_message "ほかのプログラムがフォルダ" 50)
[ -n "$said" ] || fail "no message on the held folder: $(tail -2 "$WORK/app.log")"
[ "$(pair)" = "$before" ] || fail "the files changed while another program held the folder"
let_go
echo "a held folder: $said"
xdotool key --clearmodifiers Escape
stop_app
start_app "$folder"

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

# What another user leaves in a shared folder (mode 1777, as /tmp): a file at a data file's name
# is refused with its cause; a journal naming a file in the user's home, and links into it, are
# never acted on, and the click says whose file is in the way. Nothing outside changes.
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then
    runtime=$(mktemp -d)
    chown nobody "$runtime"
    chmod 755 "$WORK"
    # A copy nobody may run, wherever the build folder is.
    install -m 755 "$APP" "$WORK/ballview"
    home="$WORK/home"
    mkdir "$home"
    echo keep >"$home/keep.txt"
    echo mine >"$home/initdir.txt"
    echo mine >"$home/Ball1Traj.txt"
    chown -R nobody "$home"
    victim() { cat "$home"/*.txt | md5sum; }
    kept=$(victim)
    # Starts the program as nobody in the shared folder $1, and clicks ボール１.
    click_as_nobody() {
        (cd "$1" && exec runuser -u nobody -- env -u QT_QPA_PLATFORM \
            XDG_RUNTIME_DIR="$runtime" DISPLAY="$DISPLAY" "$WORK/ballview") 2>"$WORK/app.log" &
        APP_PID=$!
        PIDS+=($APP_PID)
        WIN=$(wait_for_window "ボールの軌道" 2000)
        [ -n "$WIN" ] || fail "the window did not appear for nobody: $(cat "$WORK/app.log")"
        form_at "$WIN"
        # From elsewhere: a move to where the pointer already is never ends xdotool's --sync.
        xdotool mousemove 0 0
        click_at $COMMAND1
    }
    for planted in file journal links; do
        shared="$WORK/shared-$planted"
        mkdir -m 1777 "$shared"
        case $planted in
            file)
                cp "$folder/Ball1Traj.txt" "$shared/"
                chmod 666 "$shared/Ball1Traj.txt"
                cause="ほかのユーザー「root」のもので" ;;
            journal)
                printf 'ballview journal 1\n%s\0%s\0%s\0%s\0' initdir.txt 1 "$home/keep.txt" \
                    initdir.txt.tmp0123456789abcdef >"$shared/initdir.txt.journal"
                cause="ほかのユーザー「root」のファイルです" ;;
            links)
                ln -s "$home/initdir.txt" "$shared/initdir.txt"
                ln -s "$home/Ball1Traj.txt" "$shared/Ball1Traj.txt"
                cause="ほかのユーザー「root」が作ったリンク" ;;
        esac
        left=$(ls -A "$shared" | tr '\n' ' ')
        sums=$(cd "$shared" && find . -maxdepth 1 -type f -exec md5sum {} + | sort)
        click_as_nobody "$shared"
        said=$(wait_for_message "$cause" 50)
        [ -n "$said" ] || fail "$planted: no message naming the cause: $(cat "$WORK/app.log")"
        [ "$(victim)" = "$kept" ] || fail "$planted: a file in the user's home changed"
        [ "$(ls -A "$shared" | tr '\n' ' ')" = "$left" ] || fail "$planted: the folder changed: $(ls -A "$shared")"
        [ "$(cd "$shared" && find . -maxdepth 1 -type f -exec md5sum {} + | sort)" = "$sums" ] ||
            fail "$planted: a file in the shared folder changed"
        echo "another user's $planted in a shared folder: $said"
        stop_app
    done
    rm -rf "$runtime"
else
    echo "shared folder: skipped, needs root and the user nobody"
fi
echo "real files: passed"
