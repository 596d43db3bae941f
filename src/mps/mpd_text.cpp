#include "mps/mpd_text.h"

#include <optional>

#include "core/columns.h"
#include "core/hex.h"
#include "core/machine.h"
#include "core/text.h"

namespace vellar {

namespace {

constexpr size_t kDescriptionField = MpsStore::kDescriptionLimit;

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

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// Whether the gate captions 0 to F start at pos: in either case, with blanks between them and
// nothing but a blank after F.
bool GateCaptionsAt(std::string_view line, size_t pos) {
  for (size_t g = 0; g < kHexDigits.size(); ++g) {
    if (pos >= line.size() || ToUpperAscii(line.substr(pos, 1))[0] != kHexDigits[g]) return false;
    ++pos;
    if (pos < line.size() && line[pos] != ' ') return false;
    if (g + 1 < kHexDigits.size()) {
      while (pos < line.size() && line[pos] == ' ') ++pos;
    }
  }
  return true;
}

// Where the first gate caption of a header line stands (0-based), from any writer: "Befehl"
// in columns 4 to 9 and the captions 0 to F after it. A row whose description begins with
// "Befehl" has no captions; and a row of the first sixteen addresses, whose label begins
// with "0", is never a header, even with every gate drawn as its number.
std::optional<size_t> HeaderGateColumn(std::string_view line) {
  if (line.substr(0, 1) == "0" || Slice(line, 3, 6) != "Befehl") return std::nullopt;
  for (size_t pos = 10; pos < line.size(); ++pos) {
    if (line[pos] == '0' && line[pos - 1] == ' ' && GateCaptionsAt(line, pos)) return pos;
  }
  return std::nullopt;
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
    // Only a header's gate captions set the width (column of the first caption minus 4): a
    // row whose description begins with "Befehl" would otherwise take a "0" of its address
    // and garble every row after it.
    if (const auto zero = HeaderGateColumn(line)) width = static_cast<long>(*zero) + 1 - 4;
    if (counted > 0 && counted <= MpsStore::kRows) image.rows.push_back(ParseRow(line, width));
    ++counted;
  }
  return image;
}

std::vector<int> ApplyMpd(MpsStore& mps, const MpdImage& image) {
  std::vector<int> cut;
  int address = 0;
  for (const MpdRow& row : image.rows) {
    mps.SetAddressLabel(address, row.label);
    // A foreign listing may have a wider column; the store holds what the editor allows, and
    // our own listing keeps its gate columns in place.
    if (CharCount(row.description) > MpsStore::kDescriptionLimit) cut.push_back(address);
    mps.SetDescription(address, FirstChars(row.description, MpsStore::kDescriptionLimit));
    for (int g = 0; g < kGateCount; ++g) {
      mps.SetMpsGate(g, address, (row.gateMask & GateBit(g)) != 0);
    }
    mps.SetNextAddressText(address, row.next);
    ++address;
  }
  return cut;
}

}  // namespace vellar
