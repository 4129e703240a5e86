#!/usr/bin/env bash
# Starts the real program under Xvfb and the openbox window manager, on a copy of the sample
# simulator folder with its own ZELKGAU.INI, and checks that the main window (also after the
# folder chooser) and About are centred, frames included.  Usage: <script> <zelkgauges> <sample>
# Exit status 77 (skipped) when the X tools are missing; tools/setup.sh installs them.
set -euo pipefail
program=$1
sample=$2

for tool in Xvfb openbox xdotool xprop xwininfo; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed (tools/setup.sh installs it)"
        exit 77
    fi
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

mkdir "$work/home" "$work/run"
chmod 700 "$work/run"
cp -R "$sample" "$work/FS2000"
cp "$program" "$work/zelkgauges"
printf '[FS2000]\r\nFolder=%s\r\n' "$work/FS2000" >"$work/ZELKGAU.INI"
export HOME=$work/home XDG_RUNTIME_DIR=$work/run
unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME WAYLAND_DISPLAY

# Xvfb picks a free display and writes its number once it accepts clients; openbox runs its
# start-up command once it manages the screen.
mkfifo "$work/display" "$work/wm"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
read -r display <"$work/display"
export DISPLAY=:$display
openbox --sm-disable --startup "sh -c 'echo ready >$work/wm'" >"$work/openbox.log" 2>&1 &
pids+=($!)
read -r _ <"$work/wm"

QT_QPA_PLATFORM=xcb "$work/zelkgauges" 2>"$work/program.log" &
pids+=($!)
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Zelk Gauges$' | head -n 1)

read -r screen_width screen_height < <(xwininfo -root |
    awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')

# The frame, from the client area and the frame extents the window manager announces.
frame() {
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
    [ -n "$extents" ] || return 1
    IFS=, read -r left right top bottom <<<"$extents"
    read -r x y width height < <(xwininfo -id "$window" | awk '
        /Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')
    frame_x=$((x - left)) frame_y=$((y - top))
    frame_width=$((width + left + right)) frame_height=$((height + top + bottom))
}

# Centred to the pixel on the screen, or on the area given (left top width height): twice the
# frame's centre is twice the area's, give or take the one pixel an odd difference leaves over.
centred() {
    frame || return 1
    local dx=$((2 * frame_x + frame_width - 2 * ${1:-0} - ${3:-$screen_width}))
    local dy=$((2 * frame_y + frame_height - 2 * ${2:-0} - ${4:-$screen_height}))
    ((top > 0 && dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1))
}

# The window manager places the frame after the window appears, and the program centres it
# again once the frame is known: wait for that, up to a deadline.
await_centred() {  # what, then the area for centred
    local what=$1 deadline=$((SECONDS + 10))
    until centred "${@:2}"; do
        if ((SECONDS >= deadline)); then
            echo "$what not centred: frame ${frame_width:-?}x${frame_height:-?} at" \
                "${frame_x:-?},${frame_y:-?} (extents ${extents:-none})" >&2
            cat "$work/program.log" >&2
            exit 1
        fi
        sleep 0.1
    done
    echo "$what: frame ${frame_width}x${frame_height} at ${frame_x},${frame_y}, centred"
}
await_centred "main window"

# Where the user moves it, it stays: the program centres it only until the frame is known. A
# window pulled back would be back within a few event-loop turns; give it a second.
xdotool windowmove --sync "$window" 40 50
deadline=$((SECONDS + 1))
while ((SECONDS <= deadline)); do
    if centred; then
        echo "moved to 40,50 but centred again" >&2
        exit 1
    fi
    sleep 0.1
done
frame
echo "moved by the user: frame at ${frame_x},${frame_y}, and stays there"

# About, centred on the main window at its first opening (its frame not known yet) as later.
main_window=$window main_frame=("$frame_x" "$frame_y" "$frame_width" "$frame_height")
for opening in first second; do
    xdotool mousemove --window "$main_window" 256 172 click 1  # the About button
    window=$(timeout 10 xdotool search --sync --onlyvisible --name '^About Zelk Gauges$')
    await_centred "About, $opening opening," "${main_frame[@]}"
    xdotool mousemove --window "$window" 3 3 click 1  # its surface closes it
    while xdotool search --onlyvisible --name '^About Zelk Gauges$' >/dev/null; do sleep 0.1; done
done

# With no usable folder, the chooser comes first, at the home folder (here the simulator folder),
# which Enter takes. A window that goes while xdotool looks stops xdotool: it looks again.
{ kill "${pids[2]}" && wait "${pids[2]}"; } || true
printf '[FS2000]\r\nFolder=%s\r\n' "$work/nowhere" >"$work/ZELKGAU.INI"
HOME=$work/FS2000 QT_QPA_PLATFORM=xcb "$work/zelkgauges" 2>"$work/program.log" &
pids+=($!)
until xdotool search --onlyvisible --name '^Select your FS2000 game folder:$' \
    windowactivate --sync key Return 2>/dev/null; do sleep 0.1; done
until window=$(xdotool search --onlyvisible --name '^Zelk Gauges$' 2>/dev/null); do sleep 0.1; done
await_centred "main window after the folder chooser"
