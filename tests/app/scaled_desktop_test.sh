#!/usr/bin/env bash
# The real program on a 4K desktop at 200 %: a virtual X server of 3840x2160 whose X resources say
# "Xft.dpi: 192", as a desktop that scales sets them. The program must fill its window, draw the intro page
# and, after a click at the device position of "Orvalis", the reading page, with no black area; a second
# start brings the first copy to the front and ends. Exit 77 (skipped) only where the tools are not
# installed. Usage: scaled_desktop_test.sh PROGRAM
set -euo pipefail
program=$1

source "$(dirname "$0")/real_program_setup.sh" xvfb-run xrdb xdotool convert import

cat >"$work/desktop.sh" <<'EOF'
set -euo pipefail
program=$1 work=$2
echo "Xft.dpi: 192" | xrdb -nocpp -merge
"$program" >"$work/program.log" 2>&1 &
pid=$!

# The logical screen is 1920x1080, so the book is the 1024x768 layout, centred, at twice its pixels.
panel_x=$(((1920 - 1024) / 2 * 2)) panel_y=$(((1080 - 768) / 2 * 2))
panel="2048x1536+$panel_x+$panel_y"

# The share of dark pixels in the area (WxH+X+Y), in thousandths: the ink of text, or a black area.
ink() {
    convert "$work/shot.png" -crop "$1" +repage -colorspace Gray -threshold 4% -negate \
        -format '%[fx:int(1000*mean)]' info:
}
# The share of the area that lies in black blocks of 16x16 pixels, in thousandths: text never fills one.
black() {
    convert "$work/shot.png" -crop "$1" +repage -scale 6.25% -colorspace Gray -threshold 4% -negate \
        -format '%[fx:int(1000*mean)]' info:
}
shoot() { import -window root "$work/shot.png"; }

# The window is up once the panel's upper left holds the header's picture.
for _ in $(seq 1 100); do
    sleep 0.2
    kill -0 "$pid" 2>/dev/null || { echo "the program ended"; cat "$work/program.log"; exit 1; }
    shoot
    [[ $(black "200x100+$((panel_x + 40))+$((panel_y + 20))") -lt 50 ]] && break
done
sleep 1
shoot
status=0
outside=$(convert "$work/shot.png" -format '%[hex:p{20,20}]' info:)
[[ ${outside:0:6} == EAD291 ]] || { echo "outside the panel: #$outside, not the window's colour"; status=1; }
# The intro page shows no button strip: its pages end 688 logical rows down.
intro=$(black "2048x1376+$panel_x+$panel_y")
echo "intro page: $intro per mille black"
[[ $intro -lt 2 ]] || status=1

# "Orvalis" lies at (152, 142) of the layout in logical pixels.
xdotool mousemove $((panel_x + 152 * 2)) $((panel_y + 142 * 2)) click 1
sleep 1.5
shoot
reading=$(black "$panel")
echo "reading page: $reading per mille black"
[[ $reading -lt 2 ]] || status=1
# The letter buttons sit under the contents list: their row shows dark letters on light paper.
letters=$(ink "420x40+$((panel_x + 30))+$((panel_y + 560 * 2))")
echo "letter row: $letters per mille ink"
[[ $letters -gt 10 && $letters -lt 200 ]] || status=1

# A second start hands over to the running copy and ends.
timeout 20 "$program" >/dev/null 2>&1 || { echo "the second start did not end by itself"; status=1; }
kill -0 "$pid" 2>/dev/null || { echo "the first copy is gone"; status=1; }
timeout 20 "$program" uninstall >/dev/null 2>&1 || true
for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
    echo "the program did not close"
    kill "$pid"
    status=1
fi
exit $status
EOF

for attempt in 1 2 3; do
    status=0
    xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 3840x2160x24 -noreset" \
        bash "$work/desktop.sh" "$program" "$work" || status=$?
    [[ $status -eq 75 ]] || exit $status
    echo "attempt $attempt: no display; trying another"
done
exit 1
