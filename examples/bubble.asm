; bubble.asm - Bubblesort: sortiert die 16 Bytes in F0 bis FF aufsteigend und hält an.
; Die Werte müssen zwischen 00 und 7F liegen: der Vergleich rechnet rechts - links
; (SUB AX,[BX]) und sieht nur auf das Vorzeichenflag. Ist es 1, steht das kleinere
; Byte rechts, und die beiden werden getauscht.
; Ein Durchgang vergleicht F0/F1, F1/F2, ... FE/FF. Hat er getauscht, folgt ein
; weiterer Durchgang; ein Durchgang ohne Tausch beendet das Programm.
; Daten: F0-FF die Zahlen, E0 = 1 wenn im Durchgang getauscht wurde,
; E1 Zwischenspeicher beim Tauschen.

        var getauscht E0
        var merker E1

start:  MOV BX,zahlen           ; Zeiger auf das linke Byte
        MOV AX,00
        MOV [getauscht],AX      ; getauscht := 0
vergleich:
        INC BX
        MOV AX,[BX]             ; rechts
        DEC BX
        SUB AX,[BX]             ; rechts - links
        JNS weiter              ; nicht negativ: Reihenfolge stimmt
        ADD AX,[BX]             ; wieder rechts
        MOV [merker],AX
        MOV AX,[BX]
        INC BX
        MOV [BX],AX             ; links nach rechts
        DEC BX
        MOV AX,[merker]
        MOV [BX],AX             ; rechts nach links
        MOV AX,01
        MOV [getauscht],AX      ; getauscht := 1
weiter: INC BX
        MOV AX,BX
        SUB AX,FF               ; negativ, solange BX < FF
        JS vergleich
        MOV AX,[getauscht]
        DEC AX
        JNS start               ; getauscht: noch ein Durchgang
        HLT

        org F0
zahlen: db 42, 17, 7F, 00, 23, 5A, 08, 31
        db 66, 17, 01, 70, 3C, 2E, 55, 0B
