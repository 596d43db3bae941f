#include "ram/ram_text.h"

#include "core/columns.h"
#include "core/hex.h"
#include "core/text.h"

namespace vellar {

namespace {

constexpr int kAsmLines = RamGrid::kAsmRows - 1;
constexpr int kDataLines = RamGrid::kDataRows - 1;

// " %2s" of a byte cell, written as it is drawn, with two digits: a "5" typed and left as it
// was would read back as 00 from " 5". The head row keeps its captions.
void AppendByteCell(std::string& line, const RamGrid& grid, int col, int row) {
  line += ' ';
  if (row == 0) {
    AppendPadLeft(line, grid.CellText(col, row), 2);
  } else {
    line += NormHexByte(grid.CellText(col, row));
  }
}

// "%-3s %2s %2s %s" over the four cells of an assembler row.
std::string AssemblerLine(const RamGrid& grid, int row) {
  std::string line;
  AppendPadRight(line, grid.CellText(0, row), 3);
  AppendByteCell(line, grid, RamGrid::kOpColumn, row);
  AppendByteCell(line, grid, RamGrid::kOperandColumn, row);
  line += ' ';
  line += grid.CellText(RamGrid::kInstructionColumn, row);
  return line;
}

// "%-3s" and then " %2s" for each of the sixteen bytes of a data row.
std::string DataLine(const RamGrid& grid, int row) {
  std::string line;
  AppendPadRight(line, grid.CellText(0, row), 3);
  for (int col = 1; col < RamGrid::kDataCols; ++col) {
    AppendByteCell(line, grid, col, row);
  }
  return line;
}

// The assembler lines to write: up to the last one with a byte other than 00.
int UsedAssemblerLines(const RamGrid::Bytes& ram) {
  for (int line = kAsmLines - 1; line >= 0; --line) {
    if (ram[2 * line] != 0 || ram[2 * line + 1] != 0) return line + 1;
  }
  return 0;
}

// Two characters from a 0-based position as a byte; what is missing or no number reads 00.
uint8_t ByteAt(std::string_view line, size_t pos) {
  if (pos >= line.size()) return 0;
  return static_cast<uint8_t>(ParseHex(line.substr(pos, 2)) & 0xFF);
}

void ReadMemoryLine(std::string_view line, int gridRow, RamTextImage& image) {
  if (image.assemblerView) {
    if (gridRow > kAsmLines) return;
    const int address = 2 * (gridRow - 1);
    image.ram[address] = ByteAt(line, 4);
    image.ram[address + 1] = ByteAt(line, 7);
    return;
  }
  if (gridRow > kDataLines) return;
  for (int k = 1; k <= 16; ++k) {
    image.ram[16 * (gridRow - 1) + (k - 1)] = ByteAt(line, 3 * k + 1);
  }
}

}  // namespace

std::vector<std::string> BuildRamListing(const RamGrid& grid, const RamGrid::Bytes& ram,
                                         const VariableList* variables, std::string_view fileName) {
  const bool assembler = grid.AssemblerView();
  std::vector<std::string> lines;
  lines.push_back(std::string(kRamTitle) + (assembler ? "Assembler" : "Daten") + ": " +
                  std::string(fileName));
  lines.emplace_back(";");
  if (assembler) {
    const int used = UsedAssemblerLines(ram);
    for (int row = 0; row <= used; ++row) lines.push_back(AssemblerLine(grid, row));
  } else {
    for (int row = 0; row <= kDataLines; ++row) lines.push_back(DataLine(grid, row));
  }
  if (variables != nullptr && variables->HasVariables()) {
    lines.emplace_back();
    lines.emplace_back();
    lines.emplace_back(kVariableHeading);
    lines.emplace_back("VAR");
    for (int c = 1; c <= variables->ColumnCount(); ++c) {
      const VariableColumn& column = variables->Column(c);
      lines.push_back(column.address + " " + column.name);
    }
  }
  // Instruction texts come from the MPS descriptions, names and file names from the user: a
  // line end among them would split a line, and every memory line after it would be read
  // into the wrong row.
  for (std::string& line : lines) line = ControlsToBlanks(line);
  return lines;
}

RamTextImage ParseRamText(std::string_view bytes, bool assemblerView) {
  RamTextImage image;
  image.assemblerView = assemblerView;
  bool variableMode = false;
  int gridRow = 1;
  for (const std::string& raw : SplitLines(FileTextAsCp1252(bytes))) {
    const std::string_view line = TrimBlanks(raw);
    if (line.empty() || line.front() == ';') continue;
    const std::string_view head = line.substr(0, 3);
    if (head == "VAR") {
      variableMode = true;
    } else if (head == "RAS" || head == "RAD") {
      variableMode = false;
      image.assemblerView = head == "RAS";
    } else if (variableMode) {
      image.variableLines = true;
      const std::string_view name = line.size() > 3 ? line.substr(3) : std::string_view();
      image.variables.emplace_back(ControlsToBlanks(Cp1252ToUtf8(line.substr(0, 2))),
                                   ControlsToBlanks(Cp1252ToUtf8(name)));
    } else {
      // The address column is not read: lines fill the rows in order.
      ReadMemoryLine(line, gridRow, image);
      ++gridRow;
    }
  }
  return image;
}

}  // namespace vellar
