; summe.asm - Addiert die 16 Bytes in E0 bis EF und schreibt die Summe nach FF.
; BX zeigt nacheinander auf E0, E1, ... EF ("ADD AX,[BX]").
; Die Summe wird modulo 100 (hex) gebildet: ein Übertrag geht verloren.
; Daten: E0-EF die Summanden (hier 01 bis 10), FF das Ergebnis (hier 88).

        var summe FF

        MOV AX,00
        MOV [summe],AX          ; Summe := 0
        MOV BX,summanden        ; Zeiger auf den ersten Summanden
schleife:
        MOV AX,[summe]
        ADD AX,[BX]
        MOV [summe],AX
        INC BX
        MOV AX,BX
        SUB AX,ende             ; negativ, solange BX vor dem Ende steht
        JS schleife
        HLT

        org E0
summanden:
        db 01, 02, 03, 04, 05, 06, 07, 08
        db 09, 0A, 0B, 0C, 0D, 0E, 0F, 10
ende:
