#!/usr/bin/env bash
# The command line end to end: the real program, without any display, on a copy of the tests'
# sample tree and on a tree whose Scan stops. Checks what it prints and its exit status, then
# that no file was deleted or changed, the settings file included.
#   CommandLineDryRun.sh <program> <sample tree> [loader]
# With a loader (Wine), the program is the Windows one: its paths are Windows paths on Z:.
set -u
program=$1
loader=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -R "$2" "$work/sim"
mkdir -p "$work/bin" "$work/stops/AIRCRAFT"  # no aircraft: the Scan stops
cp "$program" "$work/bin/"
exe=$work/bin/$(basename "$program")
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

native() {
    if [ -n "$loader" ]; then
        local path=${1//\//\\}
        printf 'Z:%s' "$path"
    else
        printf '%s' "$1"
    fi
}
sim=$(native "$work/sim")
printf '[FS2000]\r\nFolder=%s\r\n' "$sim" >"$work/bin/ZELKGAU.INI"
files() { (cd "$work" && find . -type f -printf '%p %s %T@\n' | sort); }
before=$(files)

sep=/
[ -n "$loader" ] && sep='\'
gauge() { printf '%s\n' "$sim${sep}Gauges${sep}$1"; }
panel() { printf '%s\n' "$(gauge "$1")  <-  $sim${sep}Aircraft${sep}$2"; }
listed="Panels: 4
Gauges: 9
Zelk: 4
$(gauge Airspeed.gau.bak)
$(gauge Autopilot.gau)
$(gauge readme.txt)
$(gauge Turbine.gau)"
used="$(panel Airspeed.gau "Cessna182${sep}panel${sep}PANEL.CFG")
$(panel Airspeed.gau "LEARJET45${sep}PANEL${sep}panel.cfg")
$(panel Altimeter.gau "Cessna182${sep}panel.1${sep}Panel.cfg")
$(panel Clock.gau "Cessna182${sep}panel${sep}PANEL.CFG")
$(panel Clock.gau "Cessna182${sep}panel.1${sep}Panel.cfg")
$(panel COMPASS.GAU "Cessna182${sep}panel${sep}PANEL.CFG")
$(panel Fuel.gau "Cessna182${sep}panel${sep}PANEL.CFG")
$(panel Vsi.gau "LEARJET45${sep}PANEL${sep}panel.cfg")"

failed=0
lower() { printf '%s' "$1" | tr '[:upper:]' '[:lower:]'; }
# check <name> <exit status> <standard output> <standard error> <argument>...
# Both texts are patterns ("*" stands for anything), compared without regard to case: Windows
# keeps a path's spelling as it was given.
check() {
    local name=$1 status=$2 out=$3 err=$4
    shift 4
    local got gotStatus gotErr
    got=$(cd "$work" && ${loader:+"$loader"} "$exe" "$@" 2>"$work/err")
    gotStatus=$?
    gotErr=$(cat "$work/err")
    rm -f "$work/err"
    out=$(lower "${out//\\/\\\\}")
    err=$(lower "${err//\\/\\\\}")
    # shellcheck disable=SC2053
    if [ "$gotStatus" != "$status" ] || [[ $(lower "$got") != $out ]] ||
        [[ $(lower "$gotErr") != $err ]]; then
        printf 'FAILED %s: exit %s (wanted %s)\n--- output:\n%s\n--- error:\n%s\n' \
            "$name" "$gotStatus" "$status" "$got" "$gotErr"
        failed=1
    fi
}

check RememberedFolder 0 "$listed" "" --list
check RelativeFolder 0 "$listed" "" --list sim
check UsedFiles 0 "$listed
$used" "" --list --used "$sim"
check ScanStops 2 "" "Error 9: *stops*" --list "$(native "$work/stops")"
check BadOption 64 "" "zelkgauges: unknown option --frobnicate
Usage: zelkgauges *" --frobnicate
check Help 0 "Usage: zelkgauges *--list*--used*--help*--version*
Settings file: $(native "$work/bin")${sep}ZELKGAU.INI (exists)" "" --help
check Version 0 "Zelk Gauges 1.0.0.0" "" --version
[ "$(files)" = "$before" ] || {
    echo "FAILED: a file of the trees or the settings file changed"
    failed=1
}
exit $failed
