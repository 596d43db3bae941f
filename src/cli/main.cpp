// vellar-cli: the simulator without a window, for scripts, grading and our own end-to-end
// tests. It drives the very model code the window uses.
#include <array>
#include <iostream>

#include "cli/commands.h"

namespace vellar::cli {
namespace {

constexpr std::array<Subcommand, 4> kSubcommands = {{
    {"run", RunCommand,
     "run [--mps DATEI] [--ram DATEI] [--mode clock|instruction|halt] [--max-clocks N]\n"
     "               [--set REG=HH]... [--dump] [--save-ram DATEI] [--expect TEXT]...",
     "Lädt Mikroprogramm und RAM, schaltet auf automatische Torsteuerung und lässt den\n"
     "  Prozessor ungebremst laufen: einen ALU-Takt (clock), einen Befehl (instruction) oder\n"
     "  bis zum Halt (halt, voreingestellt), höchstens N ALU-Takte (voreingestellt 10000000).\n"
     "  Ausgabe: AX=hh BX=hh IP=hh OP=hh AR=hh DR=hh AL=hh SF=d ROW=n CLOCKS=n STOP=...\n"
     "  --set AX=07 setzt ein Register (AX, BX, IP, OP, AR, DR) vor dem Lauf.\n"
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
    {"asm", AsmCommand, "asm --mps DATEI QUELLE AUSGABE.ras",
     "Übersetzt ein im Editor geschriebenes Programm mit den Befehlen des Mikroprogramms\n"
     "  und speichert es als .ras-Listing. Jede Zeile von QUELLE kommt in die Spalte „Befehl“\n"
     "  der nächsten Assemblerzeile (ab Adresse 00), so wie die Eingabe im Fenster; leere\n"
     "  Zeilen und Zeilen mit „;“ am Anfang werden übersprungen, „hh hh“ sind zwei Datenbytes.\n"
     "  Rückgabe: 0 gespeichert; 2 bei einer Zeile ohne passenden Befehl oder mit ungültigem\n"
     "  Operand (mit Zeilennummer, dann wird nichts gespeichert) und bei falschen Argumenten."},
}};

void PrintHelp(std::ostream& out) {
  out << "vellar-cli – VellarD ohne Fenster\n\nAufruf:\n";
  for (const Subcommand& c : kSubcommands) out << "  vellar-cli " << c.usage << '\n';
  out << "  vellar-cli --help\n";
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
