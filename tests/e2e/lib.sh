# Helpers for driving the real program in a real X server. Everything started here is stopped
# by process id when the script exits.
set -euo pipefail

PIDS=()
WORK=$(mktemp -d)
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# No session bus but one a script starts itself: with none given, a desktop's libdbus would
# launch a bus daemon of its own, which outlives the program and holds strace -f for ever.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/no-session-bus"

cleanup() {
    local pid
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'echo "FAIL at line $LINENO: $BASH_COMMAND" >&2' ERR

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts Xvfb on a free display and exports DISPLAY.
start_xvfb() {
    local fifo="$WORK/displayfd"
    mkfifo "$fifo"
    # -noreset: a server that resets when its last client leaves refuses the next one for a moment.
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$fifo" 2>"$WORK/xvfb.log" &
    PIDS+=($!)
    local n
    read -r -t 20 n <"$fifo" || fail "Xvfb did not start"
    export DISPLAY=":$n"
}

# Prints the id of the program's visible window named $1 once it shows, polling every 10 ms
# up to $2 times; prints nothing if it does not.
wait_for_window() {
    local id=""
    for _ in $(seq 1 "$2"); do
        id=$(xdotool search --onlyvisible --pid "$APP_PID" --name "$1" 2>/dev/null | head -1) || true
        [ -n "$id" ] && break
        sleep 0.01
    done
    echo "$id"
}

# Starts the program in the folder $1, with the environment APP_ENV adds, and waits for its
# window; sets APP_PID and WIN.
APP_ENV=()
start_app() {
    (cd "$1" && exec env -u QT_QPA_PLATFORM "${APP_ENV[@]}" "$APP") 2>"$WORK/app.log" &
    APP_PID=$!
    PIDS+=($APP_PID)
    WIN=$(wait_for_window "ボールの軌道" 2000)
    [ -n "$WIN" ] || fail "the window did not appear: $(cat "$WORK/app.log")"
    form_at "$WIN"
}

# Sets WIN_X and WIN_Y to where the form of window $1 starts on the screen: below its menu bar.
MENU_BAR_HEIGHT=23
form_at() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    WIN_X=$X
    WIN_Y=$((Y + MENU_BAR_HEIGHT))
}

stop_app() {
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
}

# Clicks at form coordinates.
click_at() {
    xdotool mousemove --sync $((WIN_X + $1)) $((WIN_Y + $2)) click 1
}

# Centres of the controls, in form pixels (twips / 15).
COMMAND1="620 380"
COMMAND2="620 444"
COMMAND3="620 508"
COMMAND4="612 684"
SPEEDTXT0="824 52"

# Boxes as crop geometries: Picture1 (side), Picture2 (top), Picture3 (catcher).
BOXES=("537x321+0+0" "537x361+0+344" "161x321+552+0")

screenshot() {
    import -window root "$1"
}

# Number of pixels of an exact colour (#RRGGBB) inside a crop of a screenshot.
count_colour() {
    local shot=$1 geometry=$2 colour=$3
    local crop="${geometry%%+*}+$((WIN_X + $(echo "$geometry" | cut -d+ -f2)))+$((WIN_Y + $(echo "$geometry" | cut -d+ -f3)))"
    convert "$shot" -crop "$crop" +repage txt:- | grep -ci " $colour " || true
}

# Starts a print server that misbehaves on a free local port and sets the variable named $2 to
# its address: "silent" accepts every connection and never answers, as a hung one does;
# "trickle" answers one byte every 3 s, too slowly ever to finish but never silent for long.
misbehaving_server() {
    local kind=$1 port="$WORK/$1.port"
    python3 - "$port" "$kind" <<'EOF' >/dev/null &
import os, socket, sys, threading, time
server = socket.socket()
server.bind(("127.0.0.1", 0))
server.listen(16)
with open(sys.argv[1] + ".new", "w") as f:
    f.write(str(server.getsockname()[1]))
os.rename(sys.argv[1] + ".new", sys.argv[1])
def answer(connection):
    try:
        for byte in b"HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\n" * 100:
            time.sleep(3)
            if sys.argv[2] == "trickle":
                connection.send(bytes([byte]))
    except OSError:
        pass
while True:
    threading.Thread(target=answer, args=(server.accept()[0],), daemon=True).start()
EOF
    PIDS+=($!)
    wait_for_file "$port"
    printf -v "$2" '127.0.0.1:%s' "$(cat "$port")"
}
start_silent_server() { misbehaving_server silent SILENT_SERVER; }
start_trickle_server() { misbehaving_server trickle TRICKLE_SERVER; }

# Prints the first line of the program's error output that matches $1 once there is one,
# waiting up to $2 tenths of a second; prints nothing if none comes.
wait_for_message() {
    for _ in $(seq 1 "$2"); do
        grep -m1 -- "$1" "$WORK/app.log" 2>/dev/null && return 0
        sleep 0.1
    done
    return 0
}

# Waits until a file exists (up to 10 s).
wait_for_file() {
    for _ in $(seq 1 200); do
        [ -s "$1" ] && return 0
        sleep 0.05
    done
    fail "no file $1"
}
