; betrag.asm - Bildet den Betrag einer Zahl mit Vorzeichen (Zweierkomplement):
; F1 := |F0|. Bytes ab 80 sind negativ (FF = -1, 80 = -128).
; Zum Zuschauen gedacht: "MOV AX,[F0]" setzt das Vorzeichenflag; beim Dekodieren von
; "JNS" (Opcode 72) springt der Mikroprogramm-Zähler auf MPS-Zeile 72, und Tor E
; wählt danach Zeile 79 (Sprung, Flag 0) oder 7A (kein Sprung, Flag 1).
; Eine negative Zahl wird mit 00 - Zahl umgedreht; aus 80 wird wieder 80.
; Daten: F0 die Zahl (hier F6 = -10), F1 der Betrag (hier 0A).

        var zahl F0
        var betrag F1

        MOV AX,[zahl]
        JNS positiv             ; nicht negativ: unverändert
        MOV AX,00
        SUB AX,[zahl]           ; AX := 0 - Zahl
positiv:
        MOV [betrag],AX
        HLT

        org F0
        db F6                   ; die Zahl
