# Sourced by the tests that run the real program on a virtual X server, with the tools they need as
# arguments: skips the test (exit 77) where one is missing, gives the run a runtime folder of its own (the
# program's single-instance socket lives there) in $work, removed at exit, and lets the program choose its
# own platform and scaling.
for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed (scripts/deps.sh installs it)"
        exit 77
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 700 "$work"
export XDG_RUNTIME_DIR=$work
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
# Under the sanitizers' strict string checks, the X keyboard library (libxkbcommon-x11, as Qt's X platform
# loads it) is caught reading past a string of its own, and at exit the D-Bus library that Qt loads leaves
# a buffer of its own; the program itself is checked in-process by the rest of the suite.
if [[ -n "${ASAN_OPTIONS:-}" ]]; then
    export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0:detect_leaks=0"
fi
