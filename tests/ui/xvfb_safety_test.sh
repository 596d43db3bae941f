#!/usr/bin/env bash
# What must not be lost or clobbered, tried in the real window with a real mouse and keyboard:
# the program under Xvfb without window manager, driven by xdotool, and the files it saves read
# afterwards.
#
#   xvfb_safety_test.sh VELLAR EXAMPLES_DIR
#
# focus: a cell of the RAM grid's "Befehl" column, F5 loads another program through the
#   dialog, "Manuell", the description of MPS row 03, Ctrl+Entf: the MPS row goes, the RAM
#   stays, and one Ctrl+Z brings the row back.
# close: a description and a byte typed, "Ende" from the menu: "Mps speichern ?" is called off
#   and the window stays; then Nein, and Ja to "Ram speichern ?" saves the RAM and closes.
# miss: a click below the last row of the RAM's data view and one right of the inspector's
#   last column, each followed by typing: nothing changes.
# Exit code 77 when the tools are missing (CTest counts the test as skipped).
set -euo pipefail

source "$(dirname "$0")/xvfb_window.sh"
take_arguments "$@"

scenarios="focus close miss"

# ---- outside: for each scenario a fresh folder and an X server of its own
if [ "$inside" = 0 ]; then
  require_tools
  passed=0
  failed=0
  for scenario in ${ONLY:-$scenarios}; do
    echo "Ablauf $scenario"
    work=$(mktemp -d)
    cp "$examples/firmware.mpd" "$examples/bubble.ras" "$examples/summe.ras" "$work/"
    # The settings (the zoom level) stay in the scenario's folder.
    if XDG_CONFIG_HOME="$work/config" timeout 120 xvfb-run -a \
      -s "-screen 0 1280x1024x24 -nolisten tcp" bash "$0" --inside "$vellar" "$work" "$scenario"; then
      passed=$((passed + 1))
    else
      echo "FEHLER im Ablauf '$scenario'" >&2
      failed=$((failed + 1))
    fi
    rm -rf "$work"
  done
  echo "$passed passed, $failed failed"
  [ "$failed" = 0 ]
  exit
fi

# ---- inside the X server

# The line of a saved file that starts with this text.
line_of() {  # file start
  tr -d '\r' <"$work/$1" | grep -m 1 "^$2" || true
}

case $scenario in
  focus)
    start_window firmware.mpd bubble.ras
    click $(ram_cell 3 3) # the "Befehl" of address 04
    file_dialog F5 "$work/summe.ras"
    await_no_window "Laden"
    manual
    click $(mps_cell 1 4 1) # the description of row 03
    xdotool key ctrl+Delete
    pause
    save_as F6 eins.ras
    save_as F3 eins.mpd
    xdotool key ctrl+z
    pause
    save_as F3 zwei.mpd
    save_as F6 zwei.ras
    # The RAM as loaded; the MPS without its row 03, and with it after Ctrl+Z.
    for file in eins.ras zwei.ras; do
      diff <(tr -d '\r' <summe.ras | grep '^[0-9A-F][0-9A-F] ' | cut -c1-9) \
        <(tr -d '\r' <"$file" | grep '^[0-9A-F][0-9A-F] ' | cut -c1-9) >&2 ||
        fail "$file: RAM verändert"
    done
    row04=$(line_of firmware.mpd "04 ")
    row03=$(line_of firmware.mpd "03 ")
    [ "$(line_of eins.mpd "03 " | cut -c4-30)" = "$(echo "$row04" | cut -c4-30)" ] ||
      fail "eins.mpd: Zeile 03 ist nicht gelöscht: $(line_of eins.mpd "03 ")"
    [ "$(line_of zwei.mpd "03 ")" = "$row03" ] || fail "zwei.mpd: Zeile 03 nicht zurück"
    ;;

  close)
    start_window firmware.mpd bubble.ras
    click $(mps_cell 1 6 1) # the description of row 05
    type_text Neu
    click $(ram_cell 1 1) # OP of address 00
    type_text 7F
    ende() {  # "Datei" in the menu bar (Alt+D also names the field DR), then "&Ende"
      click $((winX + 20)) $((winY + top / 2))
      xdotool key e
      pause
    }
    ende
    box=$(await_window "Mps speichern ?")
    [ "$(xdotool getwindowname "$box")" != "" ] || fail "Frage ohne Titel"
    xdotool key Escape # Abbrechen
    pause
    no_message "nach Abbrechen"
    kill -0 "$pid" 2>/dev/null || fail "das Programm endete trotz Abbrechen"
    ende
    await_window "Mps speichern ?" >/dev/null
    xdotool key alt+n
    await_window "Ram speichern ?" >/dev/null
    xdotool key alt+j
    await_window "Dateidialog" >/dev/null
    xdotool type --delay 20 "$work/gesichert.ras"
    xdotool key Return
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "das Programm endet nicht"
    expect_line gesichert.ras "00  7F F0 " || fail "RAM nicht gesichert"
    ;;

  miss)
    start_window firmware.mpd bubble.ras
    click $(insp_cell 4 1) # right of the last of two variables
    type_text xyz
    data_view
    click $(ram_cell 1 17) # below the row of F0
    type_text 99
    save_as F6 daten.rad
    expect_line daten.rad "00  20 F0 10 00 30 E0 62 00 12 00 63 00 52 00 72 24" ||
      fail "ein Byte wurde verändert"
    expect_line daten.rad "E0 getauscht" || fail "eine Variable wurde umbenannt"
    ;;

  *) fail "unbekannter Ablauf $scenario" ;;
esac
