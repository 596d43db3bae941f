#!/usr/bin/env bash
# "Ansicht" -> "Vergrößerung" in the real window: the program under Xvfb without window
# manager, driven by xdotool.
#
#   xvfb_zoom_test.sh VELLAR EXAMPLES_DIR
#
# menus (a screen of 1920 x 1080): F2 without a click opens the file dialog at start; 125 %
#   and then 150 % chosen through the menu with the keyboard; after each, F2 without a click
#   opens the file dialog again, and "Ansicht" and "Datei" look exactly as after a start at
#   that level (every item drawn, none cut off).
# fit (a screen of 1024 x 768): the window at 100 % lies whole on the screen, and a stored
#   --zoom=150 starts at 100 %, the largest level that fits, and says so on stderr.
# Exit code 77 when the tools are missing (CTest counts the test as skipped).
set -euo pipefail

source "$(dirname "$0")/xvfb_window.sh"
take_arguments "$@"

scenarios="menus fit"

# ---- outside: for each scenario a fresh folder and an X server of its own
scenario_screen() {
  if [ "$1" = fit ]; then echo 1024x768; else echo 1920x1080; fi
}
[ "$inside" = 1 ] || run_scenarios "$scenarios" firmware.mpd bubble.ras

# ---- inside the X server

# Waits until the picture of a window no longer changes and writes it to a file.
still_picture() {  # window file
  local previous=""
  for _ in $(seq 50); do
    import -window "$1" "$2" 2>/dev/null || true
    local now
    now=$(md5sum <"$2")
    [ "$now" = "$previous" ] && return
    previous=$now
    sleep 0.2
  done
  fail "das Bild von $1 kommt nicht zur Ruhe"
}
# Opens a menu of the menu bar by a click, photographs its popup and closes it again.
menu_picture() {  # x-at-100% percent file
  open_menu $((winX + $1 * $2 / 100)) $((winY + top / 2))
  local menu
  menu=$(menu_popup)
  still_picture "$menu" "$3"
  xdotool key Escape
  await_gone "$menu" "das Menü bei x=$1"
}
# With the pointer beside the window and no click: F2 must reach the window.
keys_without_click() {  # when
  point 0 0
  xdotool key F2
  await_window "Dateidialog nach F2 ohne Klick $1" >/dev/null
  xdotool key Escape
  await_no_window "Dateidialog nach F2 $1"
}
# The window's geometry anew once it has the width it has at this level.
await_width() {  # width
  local w
  WIDTH=""
  for _ in $(seq 100); do
    # The window comes back as a new native window at the new scale.
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
      eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
      if [ "$WIDTH" = "$1" ]; then
        wid=$w
        break 2
      fi
    done
    sleep 0.1
  done
  [ "$WIDTH" = "$1" ] || fail "das Fenster ist $WIDTH statt $1 Pixel breit"
  winX=$X
  winY=$Y
  # The menu bar grows with the level, and so does the client area's top.
  top=$((top0 * percent / 100))
}
ansicht=259  # "Ansicht" and "Datei" in the menu bar at 100 %
datei=20
stop_window() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

case $scenario in
  menus)
    # The menus as a start at 125 % and 150 % draws them.
    for percent in 125 150; do
      start_window firmware.mpd bubble.ras --zoom=$percent
      top0=$((top * 100 / percent))
      menu_picture $ansicht $percent "$work/ansicht_$percent.png"
      menu_picture $datei $percent "$work/datei_$percent.png"
      stop_window
    done
    start_window firmware.mpd bubble.ras
    top0=$top
    width100=$WIDTH
    keys_without_click "beim Start"
    current=100
    for step in 1 2; do # 125 % and 150 %: the first, then the second item below 100 %
      open_menu $((winX + ansicht * current / 100)) $((winY + top / 2))
      xdotool key g
      for _ in $(seq $step); do xdotool key Down; done
      xdotool key Return
      percent=$((100 + 25 * step))
      await_width $(((width100 * percent + 50) / 100))
      current=$percent
      keys_without_click "nach $percent %"
      menu_picture $ansicht $percent "$work/ansicht_nach_$percent.png"
      menu_picture $datei $percent "$work/datei_nach_$percent.png"
      for menu in ansicht datei; do
        # Without the right edge, where the submenu's arrow shows that it was open before.
        for shot in "$work/${menu}_$percent.png" "$work/${menu}_nach_$percent.png"; do
          convert "$shot" -crop 90%x100%+0+0 +repage "${shot%.png}_links.png"
        done
        differ=$(compare -metric AE "$work/${menu}_${percent}_links.png" \
          "$work/${menu}_nach_${percent}_links.png" null: 2>&1 || true)
        [ "$differ" = 0 ] || fail "$menu nach dem Umschalten auf $percent %: $differ Pixel anders" \
          "als nach einem Start mit $percent % (abgeschnitten?)"
      done
    done
    ;;

  fit)
    start_window firmware.mpd bubble.ras
    [ "$winX" -ge 0 ] && [ "$winY" -ge 0 ] && [ $((winX + WIDTH)) -le 1024 ] &&
      [ $((winY + HEIGHT)) -le 768 ] ||
      fail "das Fenster ${WIDTH}x$HEIGHT bei $winX,$winY liegt nicht ganz auf 1024 x 768"
    keys_without_click "beim Start"
    stop_window
    # A level that does not fit falls back to the largest that does.
    start_window firmware.mpd bubble.ras --zoom=150
    [ "$WIDTH" -le 1024 ] || fail "150 % auf 1024 x 768: $WIDTH Pixel breit"
    grep -q "erscheint mit 100 %" "$work/vellar.log" || fail "kein Hinweis auf stderr"
    ;;

  *) fail "unbekannter Ablauf $scenario" ;;
esac
