#!/bin/sh
# Runs a command on a private X server with two monitors side by side, as a
# desktop with a television beside the laptop has them: DUMMY0 1920 x 1080
# (primary) at the left, DUMMY1 1024 x 768 right of it. Xorg with the dummy
# video driver makes them real RandR monitors, which Qt sees as two screens.
#
#   tools/with-two-monitors.sh COMMAND [ARGUMENTS...]
#
# Exits with the command's status, or with 77 (a skip for CTest) when no such
# server can be started here. The server goes when the command ends.
set -u
skip=77

if ! command -v Xorg >/dev/null 2>&1 || ! command -v xrandr >/dev/null 2>&1; then
    echo "with-two-monitors: Xorg or xrandr is missing; skipped" >&2
    exit $skip
fi
if ! ls /usr/lib/xorg/modules/drivers/dummy_drv.so >/dev/null 2>&1; then
    echo "with-two-monitors: the Xorg dummy video driver is missing; skipped" >&2
    exit $skip
fi

work=$(mktemp -d) || exit 1
server=
cleanup() {
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null
        # Xorg restores its state before it ends; do not leave it behind.
        i=0
        while kill -0 "$server" 2>/dev/null && [ $i -lt 50 ]; do
            sleep 0.1
            i=$((i + 1))
        done
        kill -9 "$server" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

cat >"$work/dummy.conf" <<'EOF'
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 256000
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0 - 1000.0
    VertRefresh 5.0 - 200.0
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 3200 1200
    EndSubSection
EndSection
EOF

# -displayfd: the server takes the first free display and names it, so runs
# side by side do not collide.
Xorg -noreset -nolisten tcp -displayfd 3 -config "$work/dummy.conf" \
    -logfile "$work/xorg.log" 3>"$work/display" >/dev/null 2>&1 &
server=$!
i=0
while [ ! -s "$work/display" ]; do
    if ! kill -0 "$server" 2>/dev/null || [ $i -ge 100 ]; then
        echo "with-two-monitors: Xorg did not start; skipped" >&2
        exit $skip
    fi
    sleep 0.1
    i=$((i + 1))
done
DISPLAY=:$(head -n 1 "$work/display")
export DISPLAY

if ! { xrandr --output DUMMY0 --mode 1920x1080 &&
    xrandr --newmode 1024x768_60 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync &&
    xrandr --addmode DUMMY1 1024x768_60 &&
    xrandr --output DUMMY1 --mode 1024x768_60 --right-of DUMMY0; } >/dev/null 2>&1; then
    echo "with-two-monitors: the monitors could not be set up; skipped" >&2
    exit $skip
fi

"$@"
