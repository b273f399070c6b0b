#!/usr/bin/env bash
# What a screen reader sees of the real program: runs it on a virtual X server with its own session and
# accessibility bus, and reads it with an AT-SPI client (atspi_reading.py). Exit 77 (skipped) only where
# those tools are not installed. Usage: atspi_reading_test.sh PROGRAM
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)

for tool in xvfb-run dbus-run-session /usr/bin/python3 /usr/libexec/at-spi-bus-launcher; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed (scripts/deps.sh installs it)"
        exit 77
    fi
done
if ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    echo "skipped: python3-pyatspi is not installed (scripts/deps.sh installs it)"
    exit 77
fi

# The program's single-instance socket lives in the runtime folder: this run gets a folder of its own.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
unset QT_QPA_PLATFORM
# Under the sanitizers' strict string checks, the X keyboard library (libxkbcommon-x11, as Qt's X platform
# loads it) is caught reading past a string of its own; the program itself is checked in-process by the
# rest of the suite.
if [[ -n "${ASAN_OPTIONS:-}" ]]; then
    export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1

# Other runs on a shared machine start their virtual X servers too, at display 99 and not always with this
# /tmp, where xvfb-run looks for free numbers: this run starts its search at a number of its own, and when
# the program could not open the display (atspi_reading.py exits 75) it tries again on another.
for attempt in 1 2 3; do
    status=0
    xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1024x768x24" \
        dbus-run-session -- /usr/bin/python3 "$here/atspi_reading.py" "$program" || status=$?
    [[ $status -eq 75 ]] || exit $status
    echo "attempt $attempt: no display for the program; trying another"
done
exit 1
