#!/usr/bin/env bash
# The include rule of the program's own files. Every file belongs to a layer, lowest first:
#   core library (Qt Core, no widget)   1 base/   2 cards/   3 config/ (the settings)   4 advice/
#                                       5 showdown/   6 flow/
#   widget library                      7 widgets/   8 the windows: mainwindow/, shell/, config/frmsettings
#                                       9 shell/startup and shell/main.cpp, which create and connect them
# A file includes files of its own layer or of lower ones only; above all, no file of the core includes
# one of the widget library. Prints every include that breaks the rule and fails when there is one.
# Tests, benchmarks and tools may include anything.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

layer() {
    case "$1" in
    shell/startup.* | shell/main.cpp) echo 9 ;;
    config/frmsettings.* | mainwindow/* | shell/*) echo 8 ;;
    widgets/*) echo 7 ;;
    flow/*) echo 6 ;;
    showdown/*) echo 5 ;;
    advice/*) echo 4 ;;
    config/*) echo 3 ;;
    cards/*) echo 2 ;;
    base/*) echo 1 ;;
    *) echo 0 ;; # not a file of the libraries
    esac
}

faults=0
while IFS= read -r file; do
    from=$(layer "$file")
    ((from > 0)) || continue
    while IFS= read -r included; do
        to=$(layer "$included")
        if ((from <= 6 && to >= 7)); then
            echo "$file: the core library includes $included of the widget library"
            faults=$((faults + 1))
        elif ((to > from)); then
            echo "$file (layer $from): includes $included of the higher layer $to"
            faults=$((faults + 1))
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(git ls-files '*.h' '*.cpp')

if ((faults > 0)); then
    echo "$faults include(s) against the layers (see tools/check_includes.sh)" >&2
    exit 1
fi
echo "Includes follow the layers."
