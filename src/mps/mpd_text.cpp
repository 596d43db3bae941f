#include "mps/mpd_text.h"

#include "core/columns.h"
#include "core/hex.h"
#include "core/machine.h"
#include "core/text.h"

namespace vellar {

namespace {

constexpr size_t kDescriptionField = MpsStore::kDescriptionLimit;
// The captions of the gate columns in a header line; their first character marks where the
// description column ends.
constexpr std::string_view kGateCaptions = "0 1 2 3 4 5 6 7 8 9 A B C D E F";

// One listing line from the grid's texts of a row (row 0 is the header).
std::string MpdLine(const MpsStore& mps, int gridRow) {
  std::string line;
  AppendPadRight(line, mps.CellText(0, gridRow), 3);
  AppendPadRight(line, mps.CellText(MpsStore::kDescriptionColumn, gridRow), kDescriptionField);
  for (int g = 0; g < kGateCount; ++g) {
    const std::string mark = mps.CellText(MpsStore::kFirstGateColumn + g, gridRow);
    line += ' ';
    line += mark.empty() ? "." : mark;
  }
  line += ' ';
  const std::string& next = mps.CellText(MpsStore::kNextColumn, gridRow);
  // Written as the run reads it, with two digits: a "5" left in the grid would come back
  // from " 5" as 00.
  if (gridRow == 0) {
    AppendPadLeft(line, next, 2);
  } else {
    line += NormHexByte(next);
  }
  return line;
}

// Characters from (0-based) pos, at most count of them, never beyond the line.
std::string_view Slice(std::string_view line, long pos, long count) {
  if (pos < 0 || count <= 0 || static_cast<size_t>(pos) >= line.size()) return {};
  return line.substr(static_cast<size_t>(pos), static_cast<size_t>(count));
}

MpdRow ParseRow(std::string_view line, long width) {
  MpdRow row;
  row.label = ControlsToBlanks(Cp1252ToUtf8(Slice(line, 0, 2)));
  row.description = ControlsToBlanks(Cp1252ToUtf8(TrimBlanks(Slice(line, 3, width))));
  for (int g = 0; g < kGateCount; ++g) {
    // A line that ends before a gate's column has nothing set there.
    const std::string_view mark = Slice(line, width + 3 + 2 * g, 1);
    if (!mark.empty() && mark != ".") row.gateMask |= GateBit(g);
  }
  row.next = Cp1252ToUtf8(line.size() >= 2 ? line.substr(line.size() - 2) : line);
  return row;
}

}  // namespace

std::vector<std::string> BuildMpdText(const MpsStore& mps, std::string_view fileName) {
  std::vector<std::string> lines;
  lines.push_back(std::string(kMpdTitle) + std::string(fileName));
  lines.emplace_back(";");
  const int last = mps.LastUsedAddress();
  for (int gridRow = 0; gridRow <= last + 1; ++gridRow) lines.push_back(MpdLine(mps, gridRow));
  // Whatever a description, a label or the file name holds, each line stays one line: a line
  // end inside one would put every following row one line off when the text is read back.
  for (std::string& line : lines) line = ControlsToBlanks(line);
  return lines;
}

MpdImage ParseMpdText(std::string_view bytes) {
  MpdImage image;
  long width = kMpdDefaultWidth;
  int counted = 0;  // non-comment lines so far; the first of them is the header
  for (const std::string& raw : SplitLines(FileTextAsCp1252(bytes))) {
    const std::string_view line = TrimBlanks(raw);
    // Blank lines are no rows: an editor's stray empty line must not wipe a row.
    if (line.empty() || line.front() == ';') continue;
    if (Slice(line, 3, 6) == "Befehl") {
      // Only a header's gate captions set the width: a row whose description begins with
      // "Befehl" would otherwise take a "0" of its address and garble every row after it.
      const size_t zero = line.find(kGateCaptions, 9);
      if (zero != std::string_view::npos) width = static_cast<long>(zero) + 1 - 4;
    }
    if (counted > 0 && counted <= MpsStore::kRows) image.rows.push_back(ParseRow(line, width));
    ++counted;
  }
  return image;
}

void ApplyMpd(MpsStore& mps, const MpdImage& image) {
  int address = 0;
  for (const MpdRow& row : image.rows) {
    mps.SetAddressLabel(address, row.label);
    // A foreign listing may have a wider column; the store holds what the editor allows, and
    // our own listing keeps its gate columns in place.
    mps.SetDescription(address, FirstChars(row.description, MpsStore::kDescriptionLimit));
    for (int g = 0; g < kGateCount; ++g) {
      mps.SetMpsGate(g, address, (row.gateMask & GateBit(g)) != 0);
    }
    mps.SetNextAddressText(address, row.next);
    ++address;
  }
}

}  // namespace vellar
