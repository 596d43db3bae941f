; zaehler.asm - Der erste Schritt: AX zählt von 10 (hexadezimal, also 16) bis 00
; herunter. Jeder Wert wird in die Speicherstelle F0 geschrieben, dann hält das
; Programm an.
; Nach dem letzten Durchlauf ist AX = FF: DEC AX macht aus 00 den Wert FF, das
; Vorzeichenflag wird 1, und JNS springt nicht mehr zurück.
; Daten: F0 = der zuletzt geschriebene Zählerstand (am Ende 00).
; Ausprobieren: mit "1 Befehl" Schritt für Schritt und F0 beobachten.
;
; Übersetzen: vellar-cli asm --mps firmware.mpd zaehler.asm zaehler.ras

        var zaehler F0

        MOV AX,10
schleife:
        MOV [zaehler],AX
        DEC AX
        JNS schleife
        HLT
