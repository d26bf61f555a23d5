#!/usr/bin/env bash
# The tray icon and its popup menu as a user meets them: the menu opens on a
# right press, Escape closes it without action, and a real click on the exit
# entry ends the program. Set BELEGBOTE_SHOTS to a folder to keep screenshots
# of the tray icon (tray.png) and of the open menu with an entry hovered
# (menu.png).
source "$(dirname "$0")/lib_wine.sh"

TRAY_MESSAGE=12501
WM_LBUTTONDOWN=0x0201
WM_RBUTTONDOWN=0x0204
WM_RBUTTONUP=0x0205
WM_MOUSEMOVE=0x0200

# The tray menu's window, as "left top right bottom", or nothing.
menu_rect() { helper tray_menu wait "$1" || true; }
menu_gone() { helper tray_menu gone "$1" >/dev/null && echo gone || echo open; }
no_menu() { helper tray_menu none "$1" >/dev/null && echo none || echo opened; }
press() { helper window_probe post WindowClass_0 $TRAY_MESSAGE 1 "$1" >/dev/null; }
running() { kill -0 "$PROGRAM_PID" 2>/dev/null && echo yes || echo no; }

wd=$(new_workdir tray)
mkdir "$wd/eingang"
write_ini "$wd" 'C:\nirgends\programm.exe' 'eingang' '*.pdf' 60000 0

echo "== only the right press opens the menu"
start_program "$wd"
expect "host window" "title=$(hex "$TITLE") visible=0" \
    "$(helper window_probe wait WindowClass_0 30000)"
xdotool mousemove 300 200
for click in $WM_LBUTTONDOWN $WM_RBUTTONUP $WM_MOUSEMOVE; do
    press "$click"
    expect "no menu on mouse message $click" none "$(no_menu 1000)"
done
press $WM_RBUTTONDOWN
expect "menu opens one pixel up and left of the pointer" "299 199" \
    "$(menu_rect 10000 | cut -d' ' -f1,2)"

echo "== Escape closes the menu without action"
xdotool key Escape
expect "menu closed by Escape" gone "$(menu_gone 5000)"
sleep 1
expect "still running" yes "$(running)"
expect "host window still there" "title=$(hex "$TITLE") visible=0" \
    "$(helper window_probe find WindowClass_0)"

echo "== a click on the exit entry ends the program"
press $WM_RBUTTONDOWN
read -r left top right bottom <<<"$(menu_rect 10000)"
expect "menu open again" yes "$([ -n "${bottom:-}" ] && echo yes)"
# The exit entry is the last one; its text starts 28 pixels in.
xdotool mousemove $((left + 60)) $((bottom - 10))
sleep 0.3
xdotool click 1
wait_program 20
expect "exit code" 0 "$PROGRAM_RC"
expect "host window gone" 0 "$(helper window_probe gone WindowClass_0 5000; echo $?)"

echo "== on a desktop with a taskbar: the icon, a real right click, the menu"
# A virtual desktop draws a taskbar with a notification area; the program's
# windows live in it, out of the helpers' sight, so the screen is read instead.
shot() { import -window root "$E2E_WORK/$1.png"; }
# red_pixels <shot> <geometry>: "x y" of every pure red pixel in that part.
red_pixels() {
    convert "$E2E_WORK/$1.png" -crop "$2" txt:- |
        awk -F'[,: ]+' '/#FF0000/ {print $1 + off_x, $2 + off_y}' \
            off_x="$(cut -d+ -f2 <<<"$2")" off_y="$(cut -d+ -f3 <<<"$2")"
}
centre() { awk '{x += $1; y += $2; n++} END {if (n) printf "%d %d\n", x / n, y / n}'; }

(cd "$wd" && exec "$WINE_LOADER" explorer /desktop=bbtray,800x600 "$BELEGBOTE_EXE") \
    >/dev/null 2>&1 &
DESKTOP_PID=$!
E2E_CLEANUPS+=("kill $DESKTOP_PID 2>/dev/null")
xdotool mousemove 400 300
icon=""
for _ in $(seq 60); do
    sleep 0.5
    shot tray
    icon=$(red_pixels tray 400x24+400+576 | centre)
    [ -n "$icon" ] && break
done
expect "the red mark in the taskbar's notification area" yes "$([ -n "$icon" ] && echo yes)"
read -r icon_x icon_y <<<"${icon:-0 0}"
xdotool mousemove "$icon_x" "$icon_y"
sleep 1.5  # lets the tooltip come up for the screenshot
shot tray
xdotool click 3
# The menu's red marks: red pixels that the screen before the click lacked.
menu_marks() {
    comm -13 <(red_pixels tray 800x600+0+0 | sort) <(red_pixels menu 800x600+0+0 | sort)
}
entries=""
for _ in $(seq 20); do
    sleep 0.25
    shot menu
    entries=$(menu_marks)
    [ -n "$entries" ] && break
done
sleep 0.5  # until the whole menu is drawn
shot menu
entries=$(menu_marks)
expect "the menu shows the red mark beside its entries" yes "$([ -n "$entries" ] && echo yes)"
# The lowest of the red marks is the exit entry's.
exit_y=$(sort -k2 -n <<<"$entries" | tail -1 | cut -d' ' -f2)
exit_x=$(sort -k1 -n <<<"$entries" | head -1 | cut -d' ' -f1)
xdotool mousemove $((${exit_x:-0} + 60)) $((${exit_y:-0} - 4))
sleep 0.5
shot menu
if [ -n "${BELEGBOTE_SHOTS:-}" ]; then
    mkdir -p "$BELEGBOTE_SHOTS"
    convert "$E2E_WORK/tray.png" -crop 320x90+480+510 +repage -scale 200% \
        "$BELEGBOTE_SHOTS/tray.png"
    convert "$E2E_WORK/menu.png" -crop 320x120+480+480 +repage -scale 200% \
        "$BELEGBOTE_SHOTS/menu.png"
fi
xdotool click 1
ended=no
for _ in $(seq 100); do
    kill -0 "$DESKTOP_PID" 2>/dev/null || { ended=yes; break; }
    sleep 0.2
done
expect "the exit entry ends the program and its desktop" yes "$ended"

finish
