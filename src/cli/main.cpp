// vellar-cli: the simulator without a window, for scripts, grading and our own end-to-end
// tests. It drives the very model code the window uses.
#include <array>
#include <iostream>

#include "cli/commands.h"

namespace vellar::cli {
namespace {

constexpr std::array<Subcommand, 6> kSubcommands = {{
    {"run", RunCommand,
     "run [--mps DATEI] [--ram DATEI] [--mode clock|instruction|halt] [--max-clocks N]\n"
     "               [--set REG=HH]... [--mem AA=HH]... [--trace] [--back M] [--dump]\n"
     "               [--save-ram DATEI] [--expect TEXT]...",
     "Lädt Mikroprogramm und RAM, schaltet auf automatische Torsteuerung und lässt den\n"
     "  Prozessor ungebremst laufen: einen ALU-Takt (clock), einen Befehl (instruction) oder\n"
     "  bis zum Halt (halt, voreingestellt), höchstens N ALU-Takte (voreingestellt 10000000).\n"
     "  Ausgabe: AX=hh BX=hh IP=hh OP=hh AR=hh DR=hh AL=hh SF=d ROW=n CLOCKS=n STOP=...\n"
     "  --set AX=07 setzt ein Register (AX, BX, IP, OP, AR, DR) vor dem Lauf,\n"
     "  --mem F0=2A ein Speicherbyte (nach dem Laden).\n"
     "  --trace gibt vor der Zustandszeile je ALU-Takt eine Zeile aus:\n"
     "  T=n ADR=hh TORE=gates AX=hh BX=hh IP=hh OP=hh AR=hh DR=hh AL=hh SF=d [W[hh]=hh]\n"
     "  --back M nimmt nach dem Lauf M ALU-Takte zurück (wie ein Lauf mit M Takten weniger).\n"
     "  --dump zeigt danach den Speicher, --save-ram speichert ihn (Format nach Endung).\n"
     "  --expect \"AX=07 [20]=0F SF=1 STOP=halt\" prüft das Ergebnis.\n"
     "  Rückgabe: 0 Lauf regulär beendet, 3 Taktgrenze erreicht, 1 Erwartung nicht erfüllt,\n"
     "  2 falsche Argumente oder unlesbare Datei."},
    {"convert", ConvertCommand, "convert EINGABE AUSGABE [--mps DATEI]",
     "Liest EINGABE und schreibt AUSGABE im Format ihrer Endung (.mpd/.mps für\n"
     "  Mikroprogramme, .ras/.rad/.ram/.erm für den RAM). --mps lädt vorher ein\n"
     "  Mikroprogramm für die Befehlstexte einer .ras-Datei."},
    {"list", ListCommand, "list DATEI [--mps DATEI] [--view data|asm]",
     "Gibt das Listing der Datei aus, wie es gespeichert und gedruckt wird; --view wählt bei\n"
     "  RAM-Dateien die Daten- oder Assembler-Ansicht."},
    {"asm", AsmCommand, "asm --mps DATEI QUELLE AUSGABE",
     "Übersetzt ein im Editor geschriebenes Programm mit den Befehlen des Mikroprogramms\n"
     "  und speichert es im Format der Endung von AUSGABE (.ras, .rad, .ram, .erm). Jede\n"
     "  Befehlszeile kommt in die Spalte „Befehl“ der nächsten Assemblerzeile, so wie die\n"
     "  Eingabe im Fenster; „hh hh“ sind zwei Datenbytes. Dazu:\n"
     "    ; Kommentar          bis zum Zeilenende\n"
     "    schleife:            Marke für die Adresse, an der sie steht (JNS schleife)\n"
     "    org 40               die nächste Zeile kommt an Adresse 40 (gerade)\n"
     "    db 01, 02, 03        Datenbytes ab der aktuellen Adresse\n"
     "    var zahl F0          Variable für den Inspektor, als Operand nutzbar ([zahl])\n"
     "  Rückgabe: 0 gespeichert; 2 bei fehlerhaften Zeilen (jede mit Zeilennummer, dann wird\n"
     "  nichts gespeichert), einer Quelle ohne Befehle und Daten und bei falschen Argumenten."},
    {"lint", LintCommand, "lint DATEI",
     "Prüft ein Mikroprogramm (.mpd oder .mps) und gibt je Befund eine Zeile\n"
     "  „Zeile hh: …“ aus, nach Adressen sortiert: Tore, die die Torregeln nicht zusammen\n"
     "  erlauben; Routinen, die ins Leere oder ohne Rückkehr nach 00 in einen anderen Befehl\n"
     "  laufen; endlose Mikroschleifen; Befehlsbeschreibungen, die der Assembler nicht\n"
     "  unterscheiden kann, mit mehr als einem nn oder länger als 12 Zeichen.\n"
     "  Rückgabe: 0 ohne Befund, 1 mit Befunden, 2 bei falschen Argumenten."},
    {"grade", GradeCommand,
     "grade [--mps DATEI] [--ram DATEI] --cases FÄLLE [--max-clocks N] [--csv] EINREICHUNG...",
     "Bewertet Einreichungen einer Klasse: .ras/.rad-Programme (auf dem Mikroprogramm von\n"
     "  --mps) oder .mpd/.mps-Mikroprogramme (mit dem Programm von --ram); Ordner werden nach\n"
     "  solchen Dateien und .asm-Quelltexten durchsucht. Jede Einreichung bekommt eine Zeile,\n"
     "  eine, die nicht laufen kann (falsche Art, Quelltext, leer), mit dem Grund.\n"
     "  FÄLLE hat je Zeile einen Fall:\n"
     "    name: [--set REG=HH]... [--mem AA=HH]... => AX=07 [20]=0F STOP=halt\n"
     "  (# leitet Kommentare ein). Jeder Fall läuft wie „run“ bis zum Halt, höchstens N\n"
     "  ALU-Takte (voreingestellt 10000000). Ausgabe: eine Markdown-Tabelle mit ✓ oder ✗ je\n"
     "  Fall, danach je nicht bestandenem Fall die erste Abweichung; mit --csv eine Tabelle\n"
     "  mit „;“ in UTF-8 mit Byte-Order-Mark, die Zahl der bestandenen Fälle und die ersten\n"
     "  Abweichungen in eigenen Spalten. Rückgabe: 0 alle bestanden, 1 sonst, 2 bei falschen\n"
     "  Argumenten oder unlesbarer Fälle-Datei."},
}};

void PrintHelp(std::ostream& out) {
  out << "vellar-cli – VellarD ohne Fenster\n\nAufruf:\n";
  for (const Subcommand& c : kSubcommands) out << "  vellar-cli " << c.usage << '\n';
  out << "  vellar-cli --help\n";
  out << "  vellar-cli --version\n";
  for (const Subcommand& c : kSubcommands) out << '\n' << c.name << ":\n  " << c.help << '\n';
}

// A listing cut short by a full disk must not look like success to the calling script.
int Finish(int code) {
  std::cout.flush();
  if (!std::cout) {
    Complain("Die Ausgabe ließ sich nicht vollständig schreiben (Datenträger voll?).");
    return kExitUsage;
  }
  return code;
}

}  // namespace

int Main(const Args& argv) {
  if (argv.empty()) {
    PrintHelp(std::cerr);
    return kExitUsage;
  }
  const std::string_view name = argv[0];
  if (name == "--help" || name == "-h") {
    PrintHelp(std::cout);
    return Finish(kExitOk);
  }
  if (name == "--version") {
    std::cout << "vellar-cli (VellarD) " << VELLAR_VERSION << '\n';
    return Finish(kExitOk);
  }
  const Args args(argv.begin() + 1, argv.end());
  for (const Subcommand& c : kSubcommands) {
    if (c.name == name) return Finish(c.main(args));
  }
  return UsageError("Unbekannter Befehl „" + std::string(name) + "“.");
}

}  // namespace vellar::cli

int main(int argc, char** argv) {
  return vellar::cli::Main(vellar::cli::Args(argv + 1, argv + argc));
}
