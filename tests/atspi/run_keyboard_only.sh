#!/bin/bash
# Runs keyboard_only.py against the desktop host on a display and a session bus of its own:
# Xvfb on a free display with a window manager, a private D-Bus session (the accessibility bus
# starts on it), a fresh demo database. Everything it started is stopped when it ends, and it ends by itself.
#
# usage: run_keyboard_only.sh HOST DEMODB SOURCE_DIR WORK_DIR
set -u
if [ $# -ne 4 ]; then
    echo "uso: $0 HOST DEMODB SOURCE_DIR WORK_DIR" >&2
    exit 2
fi
host=$(realpath "$1") demodb=$(realpath "$2") source_dir=$(realpath "$3") work=$(realpath -m "$4")
rm -rf "$work" && mkdir -p "$work/output" || exit 1
"$demodb" "$work/demo.sqlite" >"$work/demodb.log" 2>&1 || { cat "$work/demodb.log" >&2; exit 1; }

# A display of its own: Xvfb picks a free number and tells it on a pipe.
exec {display_pipe}<> <(:)
Xvfb -displayfd "$display_pipe" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
read -r -t 20 number <&"$display_pipe" || { cat "$work/xvfb.log" >&2; kill $xvfb; exit 1; }
export DISPLAY=:$number
# A window manager, as a person has: it gives the keyboard to the active window.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
window_manager=$!
stop() {
    kill "$window_manager" "$xvfb" 2>/dev/null
    wait "$window_manager" "$xvfb" 2>/dev/null
}
trap stop EXIT

# Inside a private session bus: the host, then the script that drives it; the host goes with
# the session.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb CUPS_SERVER=$work/sem-cups.sock
unset VISUAL EDITOR
timeout 300 dbus-run-session -- bash -c '
    "$0" --db "$1/demo.sqlite" --reports "$2/reports" --output "$1/output" --branch 0001 \
        >"$1/host.log" 2>&1 &
    host=$!
    timeout 240 /usr/bin/python3 "$2/tests/atspi/keyboard_only.py" "$1"
    status=$?
    kill $host 2>/dev/null
    wait $host 2>/dev/null
    exit $status
' "$host" "$work" "$source_dir"
status=$?
if [ $status -ne 0 ]; then
    echo "--- host" >&2
    cat "$work/host.log" >&2
fi
exit $status
