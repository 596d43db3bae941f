#include "cli/option_table.h"

#include <array>

#include "cli/commands.h"

namespace vellar::cli {

namespace {

constexpr std::string_view kMpsFiles = "mpd|mps";

// A micro-program or a RAM file to load, each command saying what for.
constexpr OptionSpec MpsOption(std::string_view help, bool required = false) {
  return {.name = "--mps",
          .placeholder = "DATEI",
          .files = kMpsFiles,
          .required = required,
          .help = help};
}
constexpr OptionSpec RamOption(std::string_view name, std::string_view help) {
  return {.name = name, .placeholder = "DATEI", .files = "ras|rad|ram|erm", .help = help};
}

constexpr OptionSpec kMaxClocks{.name = "--max-clocks",
                                .placeholder = "N",
                                .help = "höchstens N ALU-Takte (voreingestellt 10000000)"};
// For the commands that read a listing: a .ras file names its instructions by the
// micro-program's descriptions.
constexpr OptionSpec kListingMps =
    MpsOption("lädt vorher ein Mikroprogramm für die Befehlstexte einer .ras-Datei");

constexpr std::array kRunOptions{
    MpsOption("lädt das Mikroprogramm (.mpd, .mps oder Text)"),
    RamOption("--ram", "lädt den RAM (.ras, .rad, .ram, .erm oder Text)"),
    OptionSpec{.name = "--mode",
               .choices = "clock|instruction|halt",
               .help = "einen ALU-Takt, einen Befehl oder bis zum Halt"},
    kMaxClocks,
    OptionSpec{.name = "--set",
               .placeholder = "REG=HH",
               .hints = "AX=|BX=|IP=|OP=|AR=|DR=",
               .repeats = true,
               .help = "setzt ein Register vor dem Lauf (AX, BX, IP, OP, AR, DR)"},
    OptionSpec{.name = "--mem",
               .placeholder = "AA=HH",
               .repeats = true,
               .help = "setzt ein Speicherbyte nach dem Laden, etwa F0=2A"},
    OptionSpec{.name = "--trace", .help = "gibt vor der Zustandszeile je ALU-Takt eine Zeile aus"},
    OptionSpec{.name = "--back",
               .placeholder = "M",
               .help = "nimmt nach dem Lauf M ALU-Takte zurück (nicht mit --trace)"},
    OptionSpec{.name = "--dump", .help = "zeigt danach den Speicher"},
    RamOption("--save-ram", "speichert danach den RAM (Format nach Endung)"),
    OptionSpec{.name = "--expect",
               .placeholder = "TEXT",
               .repeats = true,
               .help = "prüft das Ergebnis, etwa \"AX=07 [20]=0F SF=1 STOP=halt\""},
    OptionSpec{
        .name = "--break",
        .placeholder = "ART:AA",
        .hints = "mps:|ram:",
        .repeats = true,
        .help = "Haltepunkt vor der MPS-Zeile (mps:5E) oder am Befehlsende bei IP=AA (ram:20)"},
    OptionSpec{.name = "--until",
               .placeholder = "TEXT",
               .repeats = true,
               .help = "hält, sobald eine Bedingung wahr wird, etwa \"AX=00\" oder \"[F0]!=7F\""},
    OptionSpec{.name = "--stats",
               .help = "zeigt nach der Zustandszeile Takte, Befehle und Takte je Befehl"},
    OptionSpec{.name = "--stats-csv",
               .placeholder = "DATEI",
               .files = "csv",
               .help = "schreibt die Zählungen je MPS-Zeile und Befehl als CSV mit „;“"},
};

constexpr std::array kListOptions{
    kListingMps,
    OptionSpec{.name = "--view",
               .choices = "data|asm",
               .help = "wählt bei RAM-Dateien die Daten- oder Assembler-Ansicht"},
};

constexpr std::array kAsmOptions{
    MpsOption("das Mikroprogramm, dessen Befehle gelten", true),
};

constexpr std::array kGradeOptions{
    MpsOption("das Mikroprogramm, auf dem Programme laufen"),
    RamOption("--ram", "das Programm, mit dem Mikroprogramme laufen"),
    OptionSpec{.name = "--task",
               .placeholder = "AUFGABE",
               .files = "aufgabe",
               .help = "die Aufgabe: Fälle, Startdateien und Taktgrenze (Optionen gehen vor)"},
    OptionSpec{.name = "--cases",
               .placeholder = "FÄLLE",
               .files = "*",
               .help = "die Datei mit den Fällen"},
    kMaxClocks,
    OptionSpec{.name = "--csv", .help = "CSV mit „;“ statt der Markdown-Tabelle"},
};

constexpr std::array kLinkOptions{
    OptionSpec{.name = "--base",
               .placeholder = "URL",
               .required = true,
               .help = "die Adresse der Seite, etwa https://schule.example/vellar.html"},
    OptionSpec{.name = "--task",
               .placeholder = "AUFGABE",
               .files = "aufgabe",
               .help = "die Aufgabe, mit ihren Startdateien"},
    MpsOption("das Mikroprogramm (statt der Startdatei der Aufgabe)"),
    RamOption("--ram", "der RAM (statt der Startdatei der Aufgabe)"),
    OptionSpec{.name = "--qr",
               .help = "die Adresse in Ziffern, wie sie der QR-Code der Seite enthält"},
};

constexpr std::array kCommands{
    CommandSpec{
        .name = "run",
        .main = RunCommand,
        .options = kRunOptions,
        .help =
            "Lädt Mikroprogramm und RAM, schaltet auf automatische Torsteuerung und lässt den\n"
            "Prozessor ungebremst laufen: einen ALU-Takt (clock), einen Befehl (instruction) oder\n"
            "bis zum Halt (halt, voreingestellt), höchstens N ALU-Takte (voreingestellt "
            "10000000).\n"
            "Ausgabe: AX=hh BX=hh IP=hh OP=hh AR=hh DR=hh AL=hh SF=d ROW=n CLOCKS=n STOP=...\n"
            "Mit --trace steht davor je ALU-Takt eine Zeile\n"
            "T=n ADR=hh TORE=gates AX=hh BX=hh IP=hh OP=hh AR=hh DR=hh AL=hh SF=d [W[hh]=hh]\n"
            "--back M wirkt wie ein Lauf mit M Takten weniger.\n"
            "Hält ein Haltepunkt (--break) oder eine Bedingung (--until) den Lauf an, steht\n"
            "STOP=break in der Zustandszeile und der Grund in der nächsten Zeile, etwa\n"
            "„Haltepunkt MPS 5E“, „Haltepunkt RAM 20“ oder „Bedingung AX=00“.\n"
            "Rückgabe: 0 Lauf regulär oder am Haltepunkt beendet, 3 Taktgrenze erreicht,\n"
            "1 Erwartung nicht erfüllt, 2 falsche Argumente oder unlesbare Datei."},
    CommandSpec{.name = "convert",
                .main = ConvertCommand,
                .positionals = "EINGABE AUSGABE",
                .positionalsFirst = true,
                .files = "*",
                .options = std::span(&kListingMps, 1),
                .help = "Liest EINGABE und schreibt AUSGABE im Format ihrer Endung (.mpd/.mps für\n"
                        "Mikroprogramme, .ras/.rad/.ram/.erm für den RAM)."},
    CommandSpec{.name = "list",
                .main = ListCommand,
                .positionals = "DATEI",
                .positionalsFirst = true,
                .files = "*",
                .options = kListOptions,
                .help = "Gibt das Listing der Datei aus, wie es gespeichert und gedruckt wird."},
    CommandSpec{
        .name = "asm",
        .main = AsmCommand,
        .positionals = "QUELLE AUSGABE",
        .files = "*",
        .options = kAsmOptions,
        .help =
            "Übersetzt ein im Editor geschriebenes Programm mit den Befehlen des Mikroprogramms\n"
            "und speichert es im Format der Endung von AUSGABE (.ras, .rad, .ram, .erm). Jede\n"
            "Befehlszeile kommt in die Spalte „Befehl“ der nächsten Assemblerzeile, so wie die\n"
            "Eingabe im Fenster; „hh hh“ sind zwei Datenbytes. Dazu:\n"
            "  ; Kommentar          bis zum Zeilenende\n"
            "  schleife:            Marke für die Adresse, an der sie steht (JNS schleife)\n"
            "  org 40               die nächste Zeile kommt an Adresse 40 (gerade)\n"
            "  db 01, 02, 03        Datenbytes ab der aktuellen Adresse\n"
            "  var zahl F0          Variable für den Inspektor, als Operand nutzbar ([zahl])\n"
            "Rückgabe: 0 gespeichert; 2 bei fehlerhaften Zeilen (jede mit Zeilennummer, dann wird\n"
            "nichts gespeichert), einer Quelle ohne Befehle und Daten und bei falschen "
            "Argumenten."},
    CommandSpec{
        .name = "lint",
        .main = LintCommand,
        .positionals = "DATEI",
        .positionalsFirst = true,
        .files = kMpsFiles,
        .help =
            "Prüft ein Mikroprogramm (.mpd oder .mps) und gibt je Befund eine Zeile\n"
            "„Zeile hh: …“ aus, nach Adressen sortiert: Tore, die die Torregeln nicht zusammen\n"
            "erlauben; Routinen, die ins Leere oder ohne Rückkehr nach 00 in einen anderen Befehl\n"
            "laufen; endlose Mikroschleifen; Befehlsbeschreibungen, die der Assembler nicht\n"
            "unterscheiden kann, mit mehr als einem nn oder länger als 12 Zeichen.\n"
            "Rückgabe: 0 ohne Befund, 1 mit Befunden, 2 bei falschen Argumenten."},
    CommandSpec{
        .name = "grade",
        .main = GradeCommand,
        .positionals = "EINREICHUNG...",
        .files = "*",
        .options = kGradeOptions,
        .help =
            "Bewertet Einreichungen einer Klasse: .ras/.rad-Programme (auf dem Mikroprogramm von\n"
            "--mps) oder .mpd/.mps-Mikroprogramme (mit dem Programm von --ram); Ordner werden\n"
            "nach solchen Dateien und .asm-Quelltexten durchsucht. Jede Einreichung bekommt eine\n"
            "Zeile, eine, die nicht laufen kann (falsche Art, Quelltext, leer), mit dem Grund.\n"
            "FÄLLE hat je Zeile einen Fall:\n"
            "  name: [--set REG=HH]... [--mem AA=HH]... => AX=07 [20]=0F STOP=halt\n"
            "(# leitet Kommentare ein). Eine Aufgabe (--task) ist eine solche Datei mit\n"
            "Kopfzeilen davor (Titel:, Text:, Bearbeiten:, MPS:, RAM:, Grenze:); --mps, --ram,\n"
            "--cases und --max-clocks gehen ihr vor. Jeder Fall läuft wie „run“ bis zum Halt,\n"
            "höchstens N ALU-Takte (voreingestellt 10000000). Ausgabe: eine Markdown-Tabelle mit ✓ "
            "oder ✗ je\n"
            "Fall und den ALU-Takten je Fall, danach je nicht bestandenem Fall die erste\n"
            "Abweichung; mit --csv eine Tabelle mit „;“ in UTF-8 mit Byte-Order-Mark, die Zahl\n"
            "der bestandenen Fälle, die ersten Abweichungen und die Takte in eigenen Spalten.\n"
            "Rückgabe: 0 alle bestanden, 1 sonst, 2 bei falschen Argumenten oder unlesbarer\n"
            "Fälle-Datei oder Aufgabe."},
    CommandSpec{
        .name = "link",
        .main = LinkCommand,
        .options = kLinkOptions,
        .help =
            "Gibt die Adresse der Seite mit Mikroprogramm, RAM und Aufgabe im Fragment (#...) "
            "aus,\n"
            "etwa für ein Arbeitsblatt oder Moodle. Die Seite öffnet damit genau diese Dateien;\n"
            "sie kommen mit dem Link, kein Server sieht sie. Ohne --mps und --ram kommen die\n"
            "Startdateien der Aufgabe mit. Mit --qr steht der Inhalt in Ziffern: ein längerer\n"
            "Link, von dem ein QR-Code aber ein Drittel mehr fasst (so zeigt ihn „Ansicht → Link\n"
            "als QR-Code“). Rückgabe: 0 Link ausgegeben, 2 bei falschen Argumenten oder einer\n"
            "Datei, die sich nicht lesen lässt."},
};

}  // namespace

std::span<const CommandSpec> Commands() {
  return kCommands;
}

const CommandSpec* FindCommand(std::string_view name) {
  for (const CommandSpec& c : kCommands) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

}  // namespace vellar::cli
