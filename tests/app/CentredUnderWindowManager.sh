#!/usr/bin/env bash
# Starts the real program under Xvfb and the openbox window manager, on a copy of the sample
# simulator folder with its own ZELKGAU.INI, and checks where the windows stand, frame included:
# the main window centred on the screen, whether or not the folder chooser came first, and the
# About window centred on the main window at every opening.
# Usage: CentredUnderWindowManager.sh <zelkgauges> <sample folder>
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

read -r screen_width screen_height < <(xwininfo -root |
    awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')

# A window's frame, from its client area and the frame extents the window manager announces.
frame() {
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
    [ -n "$extents" ] || return 1
    IFS=, read -r left right top bottom <<<"$extents"
    read -r x y width height < <(xwininfo -id "$1" | awk '
        /Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')
    frame_x=$((x - left)) frame_y=$((y - top))
    frame_width=$((width + left + right)) frame_height=$((height + top + bottom))
    ((top > 0))
}

# Centred to the pixel on an area (left top width height): twice the frame's centre is twice
# the area's, give or take the one pixel an odd difference in sizes leaves over.
centred_on() {
    frame "$1" || return 1
    local dx=$((2 * frame_x + frame_width - 2 * $2 - $4))
    local dy=$((2 * frame_y + frame_height - 2 * $3 - $5))
    ((dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1))
}

# The window manager places the frame after the window appears, and the program centres the
# window again once the frame is known: wait for that, up to a deadline.
await_centred() {  # what, window, area
    local what=$1
    shift
    local deadline=$((SECONDS + 10))
    until centred_on "$@"; do
        if ((SECONDS >= deadline)); then
            frame "$1" || true
            echo "$what not centred: frame ${frame_width:-?}x${frame_height:-?} at" \
                "${frame_x:-?},${frame_y:-?} (extents ${extents:-none}) on $4x$5 at $2,$3" >&2
            cat "$work/program.log" >&2
            exit 1
        fi
        sleep 0.1
    done
    echo "$what: frame ${frame_width}x${frame_height} at ${frame_x},${frame_y}, centred on" \
        "$4x$5 at $2,$3 (title bar ${top} px)"
}

# Starts the program; its main window is the one that appears, or that follows the dialog
# that the command given answers.
start_program() {
    QT_QPA_PLATFORM=xcb "$work/zelkgauges" 2>"$work/program.log" &
    program_pid=$!
    pids+=("$program_pid")
    "$@"
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Zelk Gauges$' | head -n 1)
}

start_program true
await_centred "main window" "$window" 0 0 "$screen_width" "$screen_height"
started_x=$frame_x started_y=$frame_y

# About, twice: the same place each time, centred on the main window. The first opening is the
# one the window manager frames for the first time.
frame "$window"
main_frame=("$frame_x" "$frame_y" "$frame_width" "$frame_height")
for opening in first second; do
    xdotool mousemove --window "$window" 256 172 click 1  # the About button
    about=$(timeout 10 xdotool search --sync --onlyvisible --name '^About Zelk Gauges$' | head -n 1)
    await_centred "About, $opening opening" "$about" "${main_frame[@]}"
    xdotool mousemove --window "$about" 3 3 click 1  # its surface, beside the labels
    deadline=$((SECONDS + 10))
    while xdotool search --onlyvisible --name '^About Zelk Gauges$' >/dev/null; do
        if ((SECONDS >= deadline)); then
            echo "About stays open after a click on its surface" >&2
            exit 1
        fi
        sleep 0.1
    done
done

# Where the user moves it, it stays: the program centres it only until the frame is known. A
# window pulled back would be back within a few event-loop turns; give it a second.
xdotool windowmove --sync "$window" 40 50
deadline=$((SECONDS + 1))
while ((SECONDS <= deadline)); do
    if centred_on "$window" 0 0 "$screen_width" "$screen_height"; then
        echo "moved to 40,50 but centred again" >&2
        exit 1
    fi
    sleep 0.1
done
frame "$window"
echo "moved by the user: frame at ${frame_x},${frame_y}, and stays there"
kill "$program_pid"
wait "$program_pid" || true

# A start whose settings name no simulator folder asks for one first; the main window that
# follows the folder chooser stands where the first start put it.
printf '[FS2000]\r\nFolder=%s\r\n' "$work/nowhere" >"$work/ZELKGAU.INI"
choose_sample_folder() {
    local chooser
    chooser=$(timeout 30 xdotool search --sync --onlyvisible \
        --name '^Select your FS2000 game folder:$' | head -n 1)
    xdotool windowactivate --sync "$chooser"
    xdotool type --delay 5 "$work/FS2000"
    xdotool key Return
}
start_program choose_sample_folder
await_centred "main window after the folder chooser" "$window" 0 0 "$screen_width" "$screen_height"
if ((frame_x != started_x || frame_y != started_y)); then
    echo "after the folder chooser at ${frame_x},${frame_y}, at ${started_x},${started_y} without" >&2
    exit 1
fi
grep -q "^Folder=$work/FS2000"$'\r'"\$" "$work/ZELKGAU.INI" || {
    echo "the folder chosen is not the one remembered:" >&2
    cat "$work/ZELKGAU.INI" >&2
    exit 1
}
