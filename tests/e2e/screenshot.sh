#!/usr/bin/env bash
# The main window as drawn on screen, at scale factor 1 and 2: a capture of
# the whole screen is cut at the window's position and checked against the
# committed artwork (frame, gradient, button tiles and glyphs pixel for pixel;
# black right-aligned digits in the five labels; nothing drawn around the
# window). At factor 2 the twice-size artwork must be the one shown. At
# factor 1 it is the screenshot of the AppStream metadata.
# The clock is frozen so that the labels read 1, 6, 20, 46 and 21.
source "$(dirname "$0")/lib.sh"
CHECKER=$(dirname "$0")/check_screenshot.py
ASSETS=$(cd "$(dirname "$0")/../../assets" && pwd)
E2E_SCREEN=2000x1000x24 # room for the window at twice its size
start_x
wait_for 60 wm_ready || fail "openbox did not finish starting"

for scale in 1 2; do
    rm -f "$SETTINGS_FILE"
    store_setting General Target "8:0.0 2007/3/25"
    import -window root "$E2E_TMP/before.png"
    start_app_at_scale "$scale" --faketime "2007-03-11 11:13:39"

    wait_for 20 wm_state_is "$WID" Normal || fail "the window was not shown: '$(wm_state "$WID")'"
    read -r width height < <(window_size "$WID")
    ((width == 800 * scale && height == 125 * scale)) \
        || fail "at scale $scale the window is $width x $height"
    wait_for 5 window_name_is "$WID" "Taloran" || fail "caption is '$(window_name "$WID")'"

    # The first tick writes the labels; give the window time to show them.
    # A capture can still catch the window before its first paint, so a
    # failing check is tried again a few times before it counts.
    sleep 1
    shot=main_window_scale$scale
    for attempt in 1 2 3 4 5; do
        read -r x y < <(window_pos "$WID")
        import -window root "$E2E_TMP/after.png"
        if python3 "$CHECKER" "$ASSETS" "$scale" "$E2E_TMP/before.png" "$E2E_TMP/after.png" \
            "$x" "$y" "$width" "$height" >"$E2E_TMP/check.log" 2>&1; then
            break
        fi
        ((attempt < 5)) || {
            convert "$E2E_TMP/after.png" -crop "${width}x${height}+$x+$y" +repage "$E2E_OUT/$shot.png"
            cat "$E2E_TMP/check.log" >&2
            fail "the window at scale $scale does not look right: $E2E_OUT/$shot.png"
        }
        sleep 1
    done
    sed "s/^/[$E2E_NAME] scale $scale:/" "$E2E_TMP/check.log" >&2
    convert "$E2E_TMP/after.png" -crop "${width}x${height}+$x+$y" +repage "$E2E_OUT/$shot.png"
    log "screenshot: $E2E_OUT/$shot.png"
    # The software centres show this capture (assets/screenshot.png).
    if ((scale == 1)); then
        differing=$(compare -metric AE "$ASSETS/screenshot.png" "$E2E_OUT/$shot.png" null: 2>&1) || true
        [[ $differing == 0 ]] || fail "assets/screenshot.png differs from the widget in $differing" \
            "pixels: replace it with $E2E_OUT/$shot.png"
    fi
    stop_app
done
