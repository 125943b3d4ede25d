#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quorvane, builds it, and then either starts the program or runs the
# whole test suite.
#   bash tools/quorvane.sh run    install what is missing, build, start the program
#   bash tools/quorvane.sh test   install what is missing, build, run every test through CTest
# Environment:
#   PRESET       test with a CMake preset of CMakePresets.json: configure, build and test it in the
#                preset's own folder (PRESET=dev: warnings as errors, in build/; PRESET=asan: the address
#                and undefined-behaviour sanitizers, in build-sanitize/). Test mode only.
#   BUILD_DIR    without a preset, the build folder (default build)
#   CMAKE_ARGS   extra configure arguments
set -euo pipefail

mode=${1:-run}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}
if [ -n "${PRESET:-}" ] && [ "$mode" != test ]; then
    echo "PRESET applies to the test mode only" >&2
    exit 2
fi

packages=(build-essential cmake qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools
          qt6-translations-l10n libgl-dev libbenchmark-dev fonts-dejavu-core xvfb xauth dpkg-dev
          desktop-file-utils appstream lintian)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
if [ -n "${PRESET:-}" ]; then
    cd "$root"
    # shellcheck disable=SC2086
    cmake --preset "$PRESET" ${CMAKE_ARGS:-}
    cmake --build --preset "$PRESET" -j "$jobs"
    exec ctest --preset "$PRESET" -j "$jobs"
fi

# shellcheck disable=SC2086
cmake -S "$root" -B "$build" ${CMAKE_ARGS:-}
cmake --build "$build" -j "$jobs"

case "$mode" in
run)
    exec "$build/bin/quorvane"
    ;;
test)
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
