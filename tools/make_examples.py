#!/usr/bin/env python3
"""Writes VellarD's micro-program and example programs into examples/.

The micro-program (our instruction set) and the machine programs are kept here as data, so that
the files in examples/ can be renewed after every change:

    tools/make_examples.py            writes examples/firmware.mpd, firmware.mps and *.ras
    tools/make_examples.py --check    only compares, exit status 1 when a file differs

The programs are assembled exactly as the RAM grid's "Befehl" column does it: the typed text is
matched token by token against the descriptions of MPS addresses 0A to FF, the highest matching
address wins. Labels ("name:") are our addition; they are replaced by two hex digits first.
Text files are Windows-1252 with CR LF, as the program writes them.
"""

import argparse
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
EXAMPLES = ROOT / "examples"

# The micro-program: address, open gates, next address, description. Rows not named here
# are empty and name their own address as next address, so that an undefined opcode halts
# the machine on its own row instead of running on into other routines.
FIRMWARE = [
    # Fetch and decode: opcode into OP, operand into DR, IP on the next instruction.
    (0x00, "5 8", 0x01, "AR := IP"),
    (0x01, "C", 0x02, "Opcode lesen"),
    (0x02, "6 9", 0x03, "OP := DR"),
    (0x03, "4 5 7 8", 0x04, "IP,AR:=IP+1"),
    (0x04, "C", 0x05, "DR:=Operand"),
    (0x05, "4 5 7", 0x06, "IP := IP+1"),
    (0x06, "F", 0x00, "Dekodieren"),
    # Load AX. The memory forms set AR, read, and finish in the row of the immediate form.
    (0x10, "0 9", 0x00, "MOV AX,nn"),
    (0x11, "8 9", 0x18, "MOV AX,[nn]"),
    (0x12, "3 8", 0x18, "MOV AX,[BX]"),
    (0x13, "0 3", 0x00, "MOV AX,BX"),
    (0x18, "C", 0x10, "RAM lesen"),
    # Load BX.
    (0x20, "2 9", 0x00, "MOV BX,nn"),
    (0x21, "8 9", 0x28, "MOV BX,[nn]"),
    (0x22, "3 8", 0x28, "MOV BX,[BX]"),
    (0x23, "1 2", 0x00, "MOV BX,AX"),
    (0x28, "C", 0x20, "RAM lesen"),
    # Store.
    (0x30, "8 9", 0x38, "MOV [nn],AX"),
    (0x31, "8 9", 0x3A, "MOV [nn],BX"),
    (0x32, "3 8", 0x38, "MOV [BX],AX"),
    (0x38, "1 A", 0x3C, "DR := AX"),
    (0x3A, "3 A", 0x3C, "DR := BX"),
    (0x3C, "B", 0x00, "RAM schreib."),
    # Add.
    (0x40, "0 1 9", 0x00, "ADD AX,nn"),
    (0x41, "8 9", 0x48, "ADD AX,[nn]"),
    (0x42, "3 8", 0x48, "ADD AX,[BX]"),
    (0x43, "3 A", 0x40, "ADD AX,BX"),
    (0x48, "C", 0x40, "RAM lesen"),
    # Subtract.
    (0x50, "0 1 9 D", 0x00, "SUB AX,nn"),
    (0x51, "8 9", 0x58, "SUB AX,[nn]"),
    (0x52, "3 8", 0x58, "SUB AX,[BX]"),
    (0x53, "3 A", 0x50, "SUB AX,BX"),
    (0x58, "C", 0x50, "RAM lesen"),
    # Count.
    (0x60, "0 1 7", 0x00, "INC AX"),
    (0x61, "0 1 7 D", 0x00, "DEC AX"),
    (0x62, "2 3 7", 0x00, "INC BX"),
    (0x63, "2 3 7 D", 0x00, "DEC BX"),
    # Jumps. Gate E adds 1 to the next address while AX >= 80; rows 78 to 7A are the three
    # ends of the two conditional jumps.
    (0x70, "4 9", 0x00, "JMP nn"),
    (0x71, "E", 0x78, "JS nn"),
    (0x72, "E", 0x79, "JNS nn"),
    (0x78, "", 0x00, "kein Sprung"),
    (0x79, "4 9", 0x00, "Sprung"),
    (0x7A, "", 0x00, "kein Sprung"),
    # Halt: the row names itself as next address.
    (0xFE, "", 0xFE, "HLT"),
]

# Opcodes: the rows whose description is an instruction's notation.
OPCODES = [0x10, 0x11, 0x12, 0x13, 0x20, 0x21, 0x22, 0x23, 0x30, 0x31, 0x32,
           0x40, 0x41, 0x42, 0x43, 0x50, 0x51, 0x52, 0x53, 0x60, 0x61, 0x62, 0x63,
           0x70, 0x71, 0x72, 0xFE]

HEX = "0123456789ABCDEF"


def hexbyte(value):
    return "%02X" % value


def gate_mask(gates):
    mask = 0
    for g in gates.split():
        mask |= 1 << HEX.index(g)
    return mask


def micro_program():
    """All rows up to the last used one: address -> (mask, next, description)."""
    rows = {a: (0, a, "") for a in range(0x00, 0xFF)}
    for address, gates, nxt, text in FIRMWARE:
        rows[address] = (gate_mask(gates), nxt, text)
    last = max(a for a, (m, _, t) in rows.items() if m or t)
    return {a: rows[a] for a in range(last + 1)}


def mpd_lines(name):
    lines = ["; VellarD-Programm-Speicher: " + name, ";"]
    header = "%-3s%-25s" % ("AD", "Befehl")
    for g in range(16):
        header += " %1s" % HEX[g]
    lines.append(header + " %2s" % "FA")
    for address, (mask, nxt, text) in micro_program().items():
        line = "%-3s%-25s" % (hexbyte(address), text)
        for g in range(16):
            line += " %1s" % (HEX[g] if mask >> g & 1 else ".")
        lines.append(line + " %2s" % hexbyte(nxt))
    return lines


def mps_bytes():
    rows = micro_program()
    out = bytearray()
    for address in range(256):
        # Rows after the last written one are those of a cleared store.
        mask, nxt, text = rows.get(address, (0, (address + 1) & 0xFF, ""))
        raw = text[:12].encode("cp1252")
        out += bytes([mask & 0xFF, mask >> 8, nxt, len(raw)]) + raw.ljust(12, b"\0")
    return bytes(out)


# --- the assembler of the "Befehl" column -------------------------------------------------

def normalise(text):
    text = text.lower().replace(",", " ")
    while "  " in text:
        text = text.replace("  ", " ")
    return text.strip()


def assemble_line(text):
    """(opcode, operand) for a typed instruction, None when no description matches."""
    tokens = normalise(text).split()
    operand = None
    for i in (1, 2):
        if i < len(tokens) and "ax" not in tokens[i] and "bx" not in tokens[i]:
            operand = tokens[i].replace("[", "").replace("]", "")
            tokens[i] = re.sub(r"[^\[\]]", "n", tokens[i])
    found = None
    rows = micro_program()
    for address in range(0x0A, 0x100):
        described = normalise(rows.get(address, (0, 0, ""))[2]).split()
        if described and len(tokens) >= len(described) and tokens[:len(described)] == described:
            found = address
    if found is None:
        return None
    if operand is None:
        return found, 0
    if not re.fullmatch(r"[0-9a-f]{2}", operand):
        return None
    return found, int(operand, 16)


def disassemble(opcode, operand):
    if opcode <= 0x09:
        return ""
    text = micro_program().get(opcode, (0, 0, ""))[2]
    return text.replace("nn", hexbyte(operand), 1)


class Program:
    """A machine program: German comment block, instructions with labels, data."""

    def __init__(self, name, comment, source, data=None, variables=()):
        self.name = name
        self.comment = comment.strip("\n").split("\n")
        self.source = source
        self.data = data or {}
        self.variables = variables

    def memory(self):
        lines = []
        labels = {}
        for raw in self.source.strip("\n").split("\n"):
            text = raw.split(";")[0].strip()
            if not text:
                continue
            if ":" in text:
                label, text = (part.strip() for part in text.split(":", 1))
                labels[label] = 2 * len(lines)
            lines.append(text)
        ram = [0] * 256
        for number, text in enumerate(lines):
            for label, address in labels.items():
                text = re.sub(r"\b%s\b" % re.escape(label), hexbyte(address), text)
            code = assemble_line(text)
            if code is None:
                sys.exit("%s: Zeile %d nicht übersetzbar: %s" % (self.name, number + 1, text))
            ram[2 * number], ram[2 * number + 1] = code
        for address, value in self.data.items():
            ram[address] = value
        return ram

    def ras_lines(self):
        ram = self.memory()
        last = max((k for k in range(128) if ram[2 * k] or ram[2 * k + 1]), default=-1)
        lines = ["; VellarD-RAM-Assembler: " + self.name, ";"]
        lines += [(";" + line if line else ";") for line in self.comment]
        lines.append(";")
        lines.append("%-3s %2s %2s %s" % ("RAS", "OP", "nn", "Befehl"))
        for k in range(last + 1):
            op, nn = ram[2 * k], ram[2 * k + 1]
            lines.append("%-3s %2s %2s %s" % (hexbyte(2 * k), hexbyte(op), hexbyte(nn),
                                              disassemble(op, nn)))
        if self.variables:
            lines += ["", "", "; Variablendefinitionen", "VAR"]
            lines += ["%s %s" % (hexbyte(a), n) for a, n in self.variables]
        return lines


PROGRAMS = [
    Program("zaehler.ras", """
 zaehler.ras - Der erste Schritt: AX zählt von 10 (hexadezimal, also 16) bis 00
 herunter. Jeder Wert wird in die Speicherstelle F0 geschrieben, dann hält das
 Programm an.
 Nach dem letzten Durchlauf ist AX = FF: DEC AX macht aus 00 den Wert FF, das
 Vorzeichenflag wird 1, und JNS springt nicht mehr zurück.
 Daten: F0 = der zuletzt geschriebene Zählerstand (am Ende 00).
 Ausprobieren: mit "1 Befehl" Schritt für Schritt und F0 beobachten.
""", """
        MOV AX,10
loop:   MOV [F0],AX
        DEC AX
        JNS loop
        HLT
""", variables=[(0xF0, "zaehler")]),
    Program("summe.ras", """
 summe.ras - Addiert die 16 Bytes in E0 bis EF und schreibt die Summe nach FF.
 BX zeigt nacheinander auf E0, E1, ... EF ("ADD AX,[BX]").
 Die Summe wird modulo 100 (hex) gebildet: ein Übertrag geht verloren.
 Daten: E0-EF die Summanden (hier 01 bis 10), FF das Ergebnis (hier 88).
""", """
        MOV AX,00
        MOV [FF],AX     ; Summe := 0
        MOV BX,E0       ; Zeiger auf den ersten Summanden
loop:   MOV AX,[FF]
        ADD AX,[BX]
        MOV [FF],AX
        INC BX
        MOV AX,BX
        SUB AX,F0       ; negativ, solange BX < F0
        JS loop
        HLT
""", data={0xE0 + i: i + 1 for i in range(16)}, variables=[(0xFF, "summe")]),
    Program("mult.ras", """
 mult.ras - Multipliziert die Bytes in FD und FE durch wiederholtes Addieren und
 schreibt das Produkt nach FF: FF := FD * FE.
 Das Produkt wird modulo 100 (hex) gebildet: 10 * 10 = 100 ergibt 00.
 FC ist der Zähler (Anfangswert FE). Weil das Vorzeichenflag nur sagt, ob AX >= 80
 ist, prüft das Programm "Zähler = 00" in zwei Schritten: ein Zähler ab 80 ist
 sicher nicht 00; sonst wird 1 abgezogen, und erst 00 - 1 = FF ist negativ.
 Daten: FD und FE die Faktoren (hier 07 und 06), FF das Produkt (hier 2A),
 FC der Zähler (am Ende 00). FD und FE bleiben erhalten.
""", """
        MOV AX,00
        MOV [FF],AX     ; Produkt := 0
        MOV AX,[FE]
        MOV [FC],AX     ; Zähler := FE
test:   MOV AX,[FC]
        JS add          ; Zähler >= 80: nicht 00
        DEC AX
        JS done         ; Zähler war 00: fertig
add:    MOV AX,[FC]
        DEC AX
        MOV [FC],AX     ; Zähler := Zähler - 1
        MOV AX,[FF]
        ADD AX,[FD]
        MOV [FF],AX     ; Produkt := Produkt + FD
        JMP test
done:   HLT
""", data={0xFD: 0x07, 0xFE: 0x06},
            variables=[(0xFC, "zaehler"), (0xFD, "faktor1"), (0xFE, "faktor2"),
                       (0xFF, "produkt")]),
    Program("bubble.ras", """
 bubble.ras - Bubblesort: sortiert die 16 Bytes in F0 bis FF aufsteigend und hält an.
 Die Werte müssen zwischen 00 und 7F liegen: der Vergleich rechnet rechts - links
 (SUB AX,[BX]) und sieht nur auf das Vorzeichenflag. Ist es 1, steht das kleinere
 Byte rechts, und die beiden werden getauscht.
 Ein Durchgang vergleicht F0/F1, F1/F2, ... FE/FF. Hat er getauscht, folgt ein
 weiterer Durchgang; ein Durchgang ohne Tausch beendet das Programm.
 Daten: F0-FF die Zahlen, E0 = 1 wenn im Durchgang getauscht wurde,
 E1 Zwischenspeicher beim Tauschen.
""", """
start:  MOV BX,F0       ; Zeiger auf das linke Byte
        MOV AX,00
        MOV [E0],AX     ; getauscht := 0
loop:   INC BX
        MOV AX,[BX]     ; rechts
        DEC BX
        SUB AX,[BX]     ; rechts - links
        JNS next        ; nicht negativ: Reihenfolge stimmt
        ADD AX,[BX]     ; wieder rechts
        MOV [E1],AX
        MOV AX,[BX]
        INC BX
        MOV [BX],AX     ; links nach rechts
        DEC BX
        MOV AX,[E1]
        MOV [BX],AX     ; rechts nach links
        MOV AX,01
        MOV [E0],AX     ; getauscht := 1
next:   INC BX
        MOV AX,BX
        SUB AX,FF       ; negativ, solange BX < FF
        JS loop
        MOV AX,[E0]
        DEC AX
        JNS start       ; getauscht: noch ein Durchgang
        HLT
""", data=dict(zip(range(0xF0, 0x100), [0x42, 0x17, 0x7F, 0x00, 0x23, 0x5A, 0x08, 0x31,
                                         0x66, 0x17, 0x01, 0x70, 0x3C, 0x2E, 0x55, 0x0B])),
            variables=[(0xE0, "getauscht"), (0xE1, "merker")]),
    Program("betrag.ras", """
 betrag.ras - Bildet den Betrag einer Zahl mit Vorzeichen (Zweierkomplement):
 F1 := |F0|. Bytes ab 80 sind negativ (FF = -1, 80 = -128).
 Zum Zuschauen gedacht: "MOV AX,[F0]" setzt das Vorzeichenflag; beim Dekodieren von
 "JNS" (Opcode 72) springt der Mikroprogramm-Zähler auf MPS-Zeile 72, und Tor E
 wählt danach Zeile 79 (Sprung, Flag 0) oder 7A (kein Sprung, Flag 1).
 Eine negative Zahl wird mit 00 - Zahl umgedreht; aus 80 wird wieder 80.
 Daten: F0 die Zahl (hier F6 = -10), F1 der Betrag (hier 0A).
""", """
        MOV AX,[F0]
        JNS pos         ; nicht negativ: unverändert
        MOV AX,00
        SUB AX,[F0]     ; AX := 0 - Zahl
pos:    MOV [F1],AX
        HLT
""", data={0xF0: 0xF6}, variables=[(0xF0, "zahl"), (0xF1, "betrag")]),
]


def write_text(path, lines, check):
    return write_bytes(path, "".join(line + "\r\n" for line in lines).encode("cp1252"), check)


def write_bytes(path, data, check):
    if check:
        return path.exists() and path.read_bytes() == data
    path.write_bytes(data)
    return True


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    for opcode in OPCODES:
        text = micro_program()[opcode][2]
        if len(text) > 12:
            sys.exit("Beschreibung länger als 12 Zeichen: " + text)
        typed = text.replace("nn", "3F")
        if assemble_line(typed) != (opcode, 0x3F if "nn" in text else 0):
            sys.exit("Nicht eindeutig übersetzbar: " + text)
    ok = write_text(EXAMPLES / "firmware.mpd", mpd_lines("firmware.mpd"), args.check)
    ok &= write_bytes(EXAMPLES / "firmware.mps", mps_bytes(), args.check)
    for program in PROGRAMS:
        ok &= write_text(EXAMPLES / program.name, program.ras_lines(), args.check)
    if not ok:
        sys.exit("examples/ ist nicht aktuell: tools/make_examples.py ausführen")


if __name__ == "__main__":
    main()
