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

# Names that would fool a reader, each one line quoted whole as the shell reads it back: a
# right-to-left override ("Radio<RLO>kab.gau" reads as "Radiouag.bak"), and a zero-width space
# in a gauge that only a UTF-16 panel keeps.
cp -R "$2" "$work/odd"
odd=$(native "$work/odd")
touch "$work/odd/Gauges/Radio"$'\xe2\x80\xae'"kab.gau" "$work/odd/Gauges/Zero"$'\xe2\x80\x8b'"Width.gau"
mkdir "$work/odd/Aircraft/glider/panel"
printf '\xff\xfeg\0a\0u\0g\0e\0=\0Z\0e\0r\0o\0\x0b\x20W\0i\0d\0t\0h\0!\0x\0' \
    >"$work/odd/Aircraft/glider/panel/PANEL.CFG"
gauges=$odd${sep}Gauges${sep}
quoted() { printf "\$'%s%s'" "${gauges//\\/\\\\}" "$1"; } # a gauge whose name is escaped
oddListed="Panels: 4
Gauges: 10
Zelk: 5
${gauges}Airspeed.gau.bak
${gauges}Autopilot.gau
$(quoted 'Radio\u202Ekab.gau')
${gauges}readme.txt
${gauges}Turbine.gau
${used//"$sim"/"$odd"}
$(quoted 'Zero\u200BWidth.gau')  <-  $odd${sep}Aircraft${sep}glider${sep}panel${sep}PANEL.CFG"
# Missing gauges: the tree's own, and a UTF-16 virtual cockpit's in folders below GAUGES and outside.
cp -R "$2" "$work/miss"
miss=$(native "$work/miss")
mkdir "$work/miss/Aircraft/glider/panel"
printf '[VCockpit01]\r\ngauge0=Old\\Legacy!x\r\ngauge1=old/Gone\r\n;gauge2=No!x\r\ngauge3=..\\Out!x' |
    iconv -t UTF-16 >"$work/miss/Aircraft/glider/panel/PANEL.CFG"
missing="*
Missing: 3
Radio  <-  $miss${sep}Aircraft${sep}Cessna182${sep}panel.1${sep}Panel.cfg
old/Gone  <-  $miss${sep}Aircraft${sep}glider${sep}panel${sep}PANEL.CFG
..\Out  <-  $miss${sep}Aircraft${sep}glider${sep}panel${sep}PANEL.CFG  (outside GAUGES)"
before=$(files)

failed=0
lower() { printf '%s' "$1" | tr '[:upper:]' '[:lower:]'; }
# [to=<descriptor>] [ignored=1] check <name> <exit status> <standard output> <standard error>
#   <argument>...: to sends standard output elsewhere, ignored ignores SIGPIPE
# Both texts are patterns ("*" stands for anything), compared without regard to case: Windows
# keeps a path's spelling as it was given.
check() {
    local name=$1 status=$2 out=$3 err=$4
    shift 4
    local got gotStatus gotErr
    got=$(cd "$work" && { [ -z "${ignored:-}" ] || trap '' PIPE; } &&
        ${loader:+"$loader"} "$exe" "$@" 2>"$work/err" 1>&"${to:-1}")
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
check NamesThatFoolTheReader 0 "$oddListed" "" --list --used "$odd"
check MissingGauges 0 "$missing" "" --list --missing "$miss"
# Output that is lost is never a success: a full disk says so; a pipe that nobody reads any more
# ends the program without a word (on Linux by SIGPIPE, unless that is ignored: 128 + 13).
mkfifo "$work/pipe"
# shellcheck disable=SC2094 # the pipe is opened to be read and written, then no longer read
exec 7>/dev/full 8<>"$work/pipe" 9>"$work/pipe" 8<&- # 9: into a pipe that nobody reads
to=7 check DiskFull 1 "" "zelkgauges: the output could not be written (*)" --list
to=9 check ClosedPipe "$([ -n "$loader" ] && echo 1 || echo 141)" "" "" --list
to=9 ignored=1 check ClosedPipeWithSigpipeIgnored 1 "" "" --list
exec 7>&- 9>&-
check BadOption 64 "" "zelkgauges: unknown option --frobnicate
Usage: zelkgauges *" --frobnicate
check Help 0 "Usage: zelkgauges *--list*--used*--missing*--help*--version*
Settings file: $(native "$work/bin")${sep}ZELKGAU.INI (exists)" "" --help
check Version 0 "Zelk Gauges 1.0.0.0" "" --version
[ "$(files)" = "$before" ] || {
    echo "FAILED: a file of the trees or the settings file changed"
    failed=1
}
exit $failed
