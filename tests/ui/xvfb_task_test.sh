#!/usr/bin/env bash
# A task in the real window: the window program under Xvfb, driven by xdotool. "Aufgabe
# öffnen…" from the Datei menu picks sortieren.aufgabe, a RAM cell is edited with the mouse and
# the keyboard, F7 checks. The panel's table (written where VELLAR_TASK_TABLE says, as the
# window shows it) must be vellar-cli grade's verdict on the same memory, case by case; the
# memory saved before and after the check must be the same, and Strg+Z must still undo the
# edit made before it.
#
#   VELLAR_CLI=vellar-cli xvfb_task_test.sh VELLAR EXAMPLES_DIR
#
# Exit code 77 when the tools are missing (CTest counts the test as skipped).
set -euo pipefail

source "$(dirname "$0")/xvfb_window.sh"
take_arguments "$@"
if [ "$inside" = 0 ]; then
  run_scenarios "pruefen" firmware.mpd bubble.ras sortieren.aufgabe
fi

# ---- inside the X server
export VELLAR_TASK_TABLE="$work/tabelle.txt"
start_window firmware.mpd bubble.ras

# Datei → "Aufgabe öffnen…" (its mnemonic g), the task typed into the file dialog.
open_menu $((winX + 20)) $((winY + top / 2))
xdotool key g
await_window "Dateidialog Aufgabe" >/dev/null
xdotool type --delay 20 "$work/sortieren.aufgabe"
pause
xdotool key Return
for _ in $(seq 50); do
  [ -s "$VELLAR_TASK_TABLE" ] && break
  sleep 0.1
done
[ -s "$VELLAR_TASK_TABLE" ] || fail "das Aufgabenfenster erscheint nicht"
beside=$(other_window)
[ "$(xdotool getwindowname "$beside")" = "Aufgabe" ] || fail "kein Fenster „Aufgabe“"
grep -q "noch nicht geprüft" "$VELLAR_TASK_TABLE" || fail "Tabelle vor dem Prüfen: $(cat "$VELLAR_TASK_TABLE")"

# Beside the open panel: the student starts sorting at F1 instead of F0 (MOV BX,F1).
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
click $(ram_cell 2 1)
type_text F1
save_as F6 vorher.ras
expect_line vorher.ras "00  20 F1 MOV BX,F1" || fail "die Änderung fehlt"

xdotool key F7
for _ in $(seq 200); do
  grep -q "bestanden" "$VELLAR_TASK_TABLE" && break
  sleep 0.1
done
grep -q "bestanden" "$VELLAR_TASK_TABLE" || fail "das Prüfen endet nicht: $(cat "$VELLAR_TASK_TABLE")"

# What grade says of the same memory, in the panel's columns.
"$VELLAR_CLI" grade --task sortieren.aufgabe vorher.ras --csv >grade.csv || true
{
  printf 'Fall\tErgebnis\tErster Unterschied\tALU-Takte\n'
  tail -n 1 grade.csv | tr -d '\r' | awk -F';' '{
    n = 3
    split("absteigend sortiert gemischt", names, " ")
    passed = 0
    for (i = 1; i <= n; i++) {
      printf "%s\t%s\t%s\t%s\n", names[i], $(1 + i), $(2 + n + i), $(2 + 2 * n + i)
      if ($(1 + i) == "✓") passed++
    }
    printf "%d von %d Fällen bestanden.\n", passed, n
  }'
} >erwartet.txt
diff erwartet.txt "$VELLAR_TASK_TABLE" >&2 || fail "die Tabelle weicht von grade ab"
grep -q "✗" erwartet.txt || fail "die Änderung hätte einen Fall scheitern lassen müssen"

# The work as it was: the memory, and the edit still the last step of the history.
save_as F6 nachher.ras
same() { cmp -s <(tail -n +2 "$1") <(tail -n +2 "$2"); }
same vorher.ras nachher.ras || fail "das Prüfen hat den Speicher verändert"
xdotool key ctrl+z
pause
save_as F6 rueckgaengig.ras
same rueckgaengig.ras bubble.ras || fail "Strg+Z nimmt die Änderung vor dem Prüfen nicht zurück"

# A click from the panel back into the cell whose editor is still open marks the cell's text, as
# any click on a cell does: the next keys replace it instead of landing at the caret.
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
click $(ram_cell 2 1)
type_text F2
eval "$(xdotool getwindowgeometry --shell "$beside")"
click $((X + 100)) $((Y + 20))
pause
click $(ram_cell 2 1)
type_text F3
save_as F6 zurueck.ras
expect_line zurueck.ras "00  20 F3 MOV BX,F3" || fail "das Tippen nach dem Klick aus dem Aufgabenfenster ersetzt den Text nicht"
