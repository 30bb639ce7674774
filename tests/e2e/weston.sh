# Wayland harness, sourced after lib.sh: a private Weston compositor started
# by the test, and a Wayland session's environment for the widget. Weston
# runs either on its headless backend (no input devices; screenshots through
# its debug screenshooter) or nested in a private Xvfb on its X11 backend,
# which gives it a seat: XWayland crashes on any synthetic pointer event when
# the compositor has none, so a drag needs the nested one. Either way Weston
# starts XWayland, whose display number it writes to its log.

# start_weston headless|nested: starts Weston and sets WAYLAND_DISPLAY,
# XWAYLAND_DISPLAY (":N") and, for a nested one, SEAT_DISPLAY (the Xvfb whose
# pointer is Weston's pointer). The widget then sees a Wayland session
# (XDG_SESSION_TYPE=wayland) with no platform chosen for it.
start_weston() {
    local backend=(--backend=headless-backend.so) size=(--width=1280 --height=1024)
    export XDG_RUNTIME_DIR=$E2E_TMP/runtime
    mkdir -m 700 -p "$XDG_RUNTIME_DIR"
    unset DISPLAY QT_QPA_PLATFORM
    if [[ $1 == nested ]]; then
        # An Xvfb with no window manager: Weston's output window lies at 0,0,
        # so the two spaces are one. The margin beyond it lets the pointer
        # leave and enter the output, which Weston needs to take it up.
        E2E_SCREEN=1300x1044x24
        start_xvfb
        SEAT_DISPLAY=$DISPLAY
        backend=(--backend=x11-backend.so)
    fi
    WAYLAND_DISPLAY=taloran-e2e-$$
    # Headless, a plain background and no panel (whose clock would change the
    # picture as the minutes pass): a screenshot then shows the widget and
    # nothing else. Nested, Weston keeps its own look: the test reads no
    # pictures there.
    : >"$E2E_TMP/weston.ini"
    [[ $1 == nested ]] || printf '[shell]\nbackground-color=0xff204060\npanel-position=none\n' >"$E2E_TMP/weston.ini"
    weston "${backend[@]}" "${size[@]}" --use-pixman --debug --xwayland --idle-time=0 \
        --socket="$WAYLAND_DISPLAY" --config="$E2E_TMP/weston.ini" >"$E2E_TMP/weston.log" 2>&1 &
    E2E_PIDS+=($!)
    unset DISPLAY
    wait_for 30 grep -q 'xserver listening on display' "$E2E_TMP/weston.log" \
        || { cat "$E2E_TMP/weston.log" >&2; fail "Weston did not start"; }
    XWAYLAND_DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$E2E_TMP/weston.log" | head -n1)
    export WAYLAND_DISPLAY XDG_SESSION_TYPE=wayland
    log "Weston ($1) on $WAYLAND_DISPLAY, XWayland on $XWAYLAND_DISPLAY"
}

# widget_shown FILE: takes a screenshot (of the seat's Xvfb when nested, else
# through Weston) and succeeds when the widget is in it.
widget_shown() {
    if [[ -n ${SEAT_DISPLAY:-} ]]; then
        DISPLAY=$SEAT_DISPLAY import -window root "$1" || return 1
    else
        weston_screenshot "$1" || return 1
    fi
    widget_at "$1" >/dev/null
}

# background_shown FILE: takes a screenshot through Weston and succeeds
# once it shows the plain background (the shell draws it after a moment).
background_shown() {
    weston_screenshot "$1" && [[ $(convert "$1" -format '%[hex:p{5,5}]' info:) == 204060* ]]
}

# weston_screenshot FILE: what Weston shows, as a PNG.
weston_screenshot() {
    local shot
    rm -f "$E2E_TMP"/shots/wayland-screenshot-*.png
    mkdir -p "$E2E_TMP/shots"
    (cd "$E2E_TMP/shots" && weston-screenshooter) >/dev/null 2>&1 || return 1
    shot=$(ls "$E2E_TMP"/shots/wayland-screenshot-*.png 2>/dev/null | head -n1)
    [[ -n $shot ]] && mv "$shot" "$1"
}

# widget_at FILE: "X Y" of the widget's top-left corner in a screenshot: the
# first pixel of its outer frame colour, or nothing when it is not shown.
widget_at() {
    convert "$1" -depth 8 rgb:- | python3 -c '
import sys
w = int(sys.argv[1]); data = sys.stdin.buffer.read()
i = data.find(bytes((0x7F, 0xA9, 0xFF)))
while i >= 0 and i % 3:
    i = data.find(bytes((0x7F, 0xA9, 0xFF)), i + 1)
sys.exit(1) if i < 0 else print(i // 3 % w, i // 3 // w)' "$(identify -format %w "$1")"
}
