#pragma once

#include <array>
#include <string_view>

#include "app/path_geometry.h"
#include "app/run_control.h"
#include "core/cell_look.h"

// The form's controls as both frontends place them: the panels' colours, the gate buttons'
// places, and the control strip with its groups, run buttons, slider and hint. Places are
// pixels in the parent's coordinates at the design size.
namespace vellar {

using FormRect = PathRect;

// The panels' colours.
inline constexpr Rgb kProcessorColour{192, 220, 192};
inline constexpr Rgb kBusColour{249, 216, 166};
inline constexpr Rgb kRamColour{166, 202, 240};
inline constexpr Rgb kControlColour{180, 180, 180};
// The text of OP, and of IP and AR.
inline constexpr Rgb kOpTextColour{75, 142, 75};
inline constexpr Rgb kIpTextColour{77, 103, 183};

// The panels' captions and the hints of the grids and the sign flag.
inline constexpr std::string_view kProcessorCaption = "Prozessor";
inline constexpr std::string_view kBusCaption = "Bussystem";
inline constexpr std::string_view kRamCaption = "Arbeitsspeicher (RAM)";
inline constexpr std::string_view kMpsGridHint = "Mikro-Programm-Speicher";
inline constexpr std::string_view kRamGridHint = "RAM-Werte";
inline constexpr std::string_view kSignFlagHint = "Vorzeichenflag";

// A text beside the controls; with "&", its letter with Alt focuses the field below it.
struct FormLabel {
  std::string_view text;
  int x, y;
};

// On the register panel: OP, IP, BX, AX, ALU and SF.
inline constexpr std::array<FormLabel, 6> kRegisterLabels{{{"&OP", 104, 5},
                                                           {"&IP", 108, 57},
                                                           {"&BX", 104, 109},
                                                           {"&AX", 104, 161},
                                                           {"A&LU", 275, 185},
                                                           {"SF", 104, 265}}};
// On the bus panel's inner panel: the two buses, DR and AR.
inline constexpr std::array<FormLabel, 4> kBusLabels{
    {{"Datenbus", 60, 7}, {"Adressbus", 57, 114}, {"&DR", 80, 32}, {"A&R", 81, 131}}};

// A gate button with its digit above it.
struct GatePlace {
  int gate, x, y, labelY;
};

// On the register panel, and on the bus panel's inner panel.
inline constexpr std::array<GatePlace, 11> kRegisterGates{{{0x6, 62, 21, 5},
                                                           {0xF, 144, 21, 5},
                                                           {0x4, 62, 73, 57},
                                                           {0x5, 144, 73, 57},
                                                           {0x2, 62, 125, 109},
                                                           {0x3, 144, 125, 109},
                                                           {0x0, 62, 179, 162},
                                                           {0x1, 144, 179, 162},
                                                           {0xE, 62, 242, 225},
                                                           {0xD, 192, 242, 225},
                                                           {0x7, 306, 137, 121}}};
inline constexpr std::array<GatePlace, 5> kBusGates{{{0x9, 26, 29, 13},
                                                     {0xA, 26, 69, 52},
                                                     {0xB, 138, 29, 13},
                                                     {0xC, 138, 69, 52},
                                                     {0x8, 26, 147, 132}}};

// PaControl, the strip along the bottom.
inline constexpr int kControlStripHeight = 73;

// A group box of the strip: its caption stands on its frame line, and its two items below it.
struct ControlGroup {
  std::string_view name;
  std::string_view caption;
  FormRect place;
  std::array<std::string_view, 2> items{};
};

// Two radio buttons, or two lines of text ("Hinweis"); at x 8 and these heights in the group.
inline constexpr int kGroupItemX = 8;
inline constexpr std::array<int, 2> kRadioY{15, 32};
inline constexpr std::array<int, 2> kHintLineY{16, 32};

inline constexpr ControlGroup kGateControlGroup{
    "RaTor", "Torsteuerung", {8, 14, 161, 51}, {"Automatisch aus MPS", "Manuell"}};
inline constexpr ControlGroup kSimulationGroup{"GroupBox1", "Simulation", {176, 14, 170, 51}};
// The RAM view selector and the hint where the strip is at least as wide as its design; on a
// narrower strip both move left, so that the hint stays whole this far from the right edge.
inline constexpr ControlGroup kRamViewGroup{
    "RaRam", "RA&M-Anzeige", {672, 14, 169, 51}, {"Daten", "Assembler"}};
inline constexpr ControlGroup kHintGroup{
    "Hinweis",
    "Hinweis",
    {848, 13, 177, 51},
    {"Einfügen/Löschen von Zeilen", "mit Strg+Einf/Strg+Entf"}};
inline constexpr int kHintMargin = 7;

// TrZeit and the clock time's label LaZeit beside it.
inline constexpr FormRect kSliderPlace{360, 20, 161, 37};
inline constexpr int kClockLabelX = 524;
inline constexpr int kClockLabelY = 33;

struct RunButtonLook {
  std::string_view name;
  std::string_view caption;
  std::string_view hint;
  int place;  // in the row of buttons, counted from 0; two buttons share a place

  // For a mouse 30 by 25; larger for fingers, two pixels apart all the same.
  FormRect Rect(int width = 30, int height = 25) const {
    return {8 + (width + 2) * place, 18, width, height};
  }
};

// In the order of RunButton.
inline constexpr std::array<RunButtonLook, kRunButtonCount> kRunButtons{{
    {"BuReset", "|<", "Zurücksetzen", 0},
    {"BuPhase", ">", "Bus-Takt", 1},
    {"Bu2Phasen", ">>", "Alu-Takt", 2},
    {"BuTakt", ">>", "1 Takt", 1},
    {"BuPause", "||", "Pause", 2},
    {"BuBefehl", ">|", "1 Befehl", 3},
    {"BuBisHalt", ">||", "Bis Halt-Befehl", 4},
}};

}  // namespace vellar
