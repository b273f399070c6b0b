#!/usr/bin/env bash
# The real program on a virtual X server: a drag over the first line of the topic text and Ctrl+C put that
# passage on the X clipboard as UTF-8, read back with xclip; Ctrl+A and Ctrl+C put the whole text there, of
# which the passage is a part, and Ctrl+Shift+C ("Klembord") still the whole topic. Exit 77 (skipped) only
# where the tools are not installed. Usage: selection_clipboard_test.sh PROGRAM
set -euo pipefail
program=$1

source "$(dirname "$0")/real_program_setup.sh" xvfb-run xdotool xclip iconv

cat >"$work/desktop.sh" <<'EOF'
set -euo pipefail
program=$1 work=$2
"$program" >"$work/program.log" 2>&1 &
pid=$!
sleep 4
kill -0 "$pid" 2>/dev/null || { echo "the program ended"; cat "$work/program.log"; exit 1; }
# The 800x600 layout, centred at (112, 84): "Orvalis" lies at (232, 195), the text box at (399, 181), its first letter at (403, 192).
xdotool mousemove 232 195 click 1
sleep 1.5
clip() { timeout 10 xclip -o -selection clipboard >"$work/$1" 2>/dev/null || : >"$work/$1"; }
status=0

xdotool mousemove 403 192 mousedown 1 mousemove 500 193 mousemove 700 193 mouseup 1
sleep 0.5
xdotool key ctrl+c
sleep 0.5
clip passage
xdotool key ctrl+a ctrl+c
sleep 0.5
clip all
xdotool key ctrl+shift+c
sleep 0.5
clip topic

for f in passage all topic; do
    iconv -f UTF-8 -t UTF-8 "$work/$f" >/dev/null || { echo "$f: not UTF-8"; status=1; }
done
passage=$(cat "$work/passage")
echo "passage: [$passage]"
[[ ${#passage} -ge 5 ]] || { echo "the drag copied nothing"; status=1; }
[[ "$passage" != *"<"* ]] || { echo "the passage holds tags"; status=1; }
grep -qF -- "$passage" "$work/all" || { echo "the passage is not part of the whole text"; status=1; }
[[ $(wc -c <"$work/all") -gt ${#passage} ]] || { echo "Ctrl+A did not select more"; status=1; }
grep -q "^Bron: " "$work/topic" || { echo "Klembord no longer copies the topic with its source line"; status=1; }
head -c 40 "$work/all" | grep -qF -- "$(head -c 20 "$work/passage")" || { echo "the passage does not begin the text"; status=1; }

kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
exit $status
EOF

for attempt in 1 2 3; do
    status=0
    xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1024x768x24" \
        bash "$work/desktop.sh" "$program" "$work" || status=$?
    [[ $status -eq 75 ]] || exit $status
    echo "attempt $attempt: no display; trying another"
done
exit 1
