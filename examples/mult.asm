; mult.asm - Multipliziert die Bytes in FD und FE durch wiederholtes Addieren und
; schreibt das Produkt nach FF: FF := FD * FE.
; Das Produkt wird modulo 100 (hex) gebildet: 10 * 10 = 100 ergibt 00.
; FC ist der Zähler (Anfangswert FE). Weil das Vorzeichenflag nur sagt, ob AX >= 80
; ist, prüft das Programm "Zähler = 00" in zwei Schritten: ein Zähler ab 80 ist
; sicher nicht 00; sonst wird 1 abgezogen, und erst 00 - 1 = FF ist negativ.
; Daten: FD und FE die Faktoren (hier 07 und 06), FF das Produkt (hier 2A),
; FC der Zähler (am Ende 00). FD und FE bleiben erhalten.

        var zaehler FC
        var faktor1 FD
        var faktor2 FE
        var produkt FF

        MOV AX,00
        MOV [produkt],AX        ; Produkt := 0
        MOV AX,[faktor2]
        MOV [zaehler],AX        ; Zähler := FE
test:   MOV AX,[zaehler]
        JS addieren             ; Zähler >= 80: nicht 00
        DEC AX
        JS fertig               ; Zähler war 00: fertig
addieren:
        MOV AX,[zaehler]
        DEC AX
        MOV [zaehler],AX        ; Zähler := Zähler - 1
        MOV AX,[produkt]
        ADD AX,[faktor1]
        MOV [produkt],AX        ; Produkt := Produkt + FD
        JMP test
fertig: HLT

        org FC
        db 00, 07, 06           ; Zähler, Faktor 1, Faktor 2
