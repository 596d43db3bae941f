#pragma once

#include <cstdint>
#include <optional>
#include <string>

// How a grid cell is to be drawn, decided by the model so that the window only paints:
// the text, where it stands, and the colours that replace the grid's own.
namespace vellar {

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kSilver{192, 192, 192};
// Behind OP in the picture, and the executing MPS row.
inline constexpr Rgb kSoftGreen{139, 190, 139};
// A breakpoint's dot in the margin of a grid's address cell.
inline constexpr Rgb kBreakpointDot{220, 0, 0};
// Behind IP and AR in the picture, and the line of IP in the RAM grid.
inline constexpr Rgb kIpBlue{109, 167, 231};
// RAM cells named in the variable inspector.
inline constexpr Rgb kVariableBlue{166, 202, 240};

// Left: 4 pixels from the cell's left edge. Centre: centred. Both 2 pixels below the top.
enum class CellAlign { Left, Centre };
inline constexpr int kCellTextLeftInset = 4;
inline constexpr int kCellTextTopInset = 2;

struct CellLook {
  std::string text;
  CellAlign align = CellAlign::Centre;
  std::optional<Rgb> fill;        // none: the grid's own background (fixed, selected, normal)
  std::optional<Rgb> textColour;  // none: the grid's own text colour
};

}  // namespace vellar
