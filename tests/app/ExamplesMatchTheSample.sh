#!/usr/bin/env bash
# The README's and the manual page's dry-run examples are the bundled sample's real output: every
# line the program prints for the sample (its paths moved to /home/pilot/FS2000) stands in both
# examples, and every "<-" line of their examples is one that the option named before it prints.
#   ExamplesMatchTheSample.sh <program> <sample folder> <README.md> <manual page>
set -u
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -R "$2" "$work/FS2000"
unset DISPLAY WAYLAND_DISPLAY
shown() { "$program" "$@" "$work/FS2000" | sed "s|$work/FS2000|/home/pilot/FS2000|g"; }
listed=$(shown --list) || exit 1
used=$(shown --list --used) || exit 1
missing=$(shown --list --missing) || exit 1
missing=$(sed -n '/^Missing: /,$p' <<<"$missing")

failed=0
while IFS= read -r line; do
    for example in "$3" "$4"; do
        if ! grep -qxF -- "$line" "$example"; then
            echo "FAILED: $(basename "$example") does not show the line: $line"
            failed=1
        fi
    done
done <<<"$listed
$missing"
for example in "$3" "$4"; do
    printed=$used
    while IFS= read -r line; do
        case $line in
            *'  <-  '*) ;;
            *-missing*) printed=$missing && continue ;;
            *) printed=$used && continue ;;
        esac
        if ! grep -qxF -- "$line" <<<"$printed"; then
            echo "FAILED: $(basename "$example") shows a line the program does not print: $line"
            failed=1
        fi
    done < <(grep -e '  <-  ' -e '-used' -e '-missing' "$example")
done
exit $failed
