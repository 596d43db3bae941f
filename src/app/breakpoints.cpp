#include "app/breakpoints.h"

#include <algorithm>

#include "core/hex.h"

namespace vellar {

namespace {

std::string BadConditionMessage(std::string_view item) {
  return "„" + std::string(item) +
         "“ ist keine gültige Bedingung.\nBeispiele: AX=00  [F0]=7F  SF=1  BX≠03  IP!=20";
}

// A CSV field: quoted when it holds the separator or a quote.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(";\"\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

}  // namespace

void Breakpoints::ClearAll() {
  stops_.mps.reset();
  stops_.ram.reset();
  stops_.conditions.clear();
  stops_.held.clear();
}

std::optional<std::string> Breakpoints::SetConditions(std::string_view text) {
  std::string bad;
  auto items = ParseConditions(text, bad);
  if (items) {
    for (const Condition& c : *items) {
      if (c.subject == Condition::Subject::Stop) {
        bad = c.text;
        items.reset();
        break;
      }
    }
  }
  if (!items) return BadConditionMessage(bad);
  stops_.conditions = std::move(*items);
  stops_.held.assign(stops_.conditions.size(), 0);
  return std::nullopt;
}

std::optional<std::string> Breakpoints::AddCondition(std::string_view item) {
  const std::string text = ConditionsText() + " " + std::string(item);
  if (item.find(' ') != std::string_view::npos) return BadConditionMessage(item);
  return SetConditions(text);
}

std::string Breakpoints::ConditionsText() const {
  std::string text;
  for (const Condition& c : stops_.conditions) {
    if (!text.empty()) text += ' ';
    text += c.Canonical();
  }
  return text;
}

std::vector<std::string> Breakpoints::List() const {
  std::vector<std::string> list;
  for (int a = 0; a < 256; ++a) {
    if (HasMps(a)) list.push_back("MPS " + HexByte(static_cast<unsigned>(a)));
  }
  for (int a = 0; a < 256; ++a) {
    if (HasRam(a)) list.push_back("RAM " + HexByte(static_cast<unsigned>(a)));
  }
  for (const Condition& c : stops_.conditions) list.push_back("Bedingung " + c.Canonical());
  return list;
}

std::string Breakpoints::Reason(const StopHit& hit) const {
  switch (hit.kind) {
    case StopHit::Kind::Mps:
      return "Haltepunkt MPS " + HexByte(static_cast<unsigned>(hit.which));
    case StopHit::Kind::Ram:
      return "Haltepunkt RAM " + HexByte(static_cast<unsigned>(hit.which));
    case StopHit::Kind::Condition:
      if (static_cast<size_t>(hit.which) < stops_.conditions.size()) {
        return "Bedingung " + stops_.conditions[static_cast<size_t>(hit.which)].Canonical();
      }
      break;
    case StopHit::Kind::None:
      break;
  }
  return {};
}

Rgb Breakpoints::HeatShade(uint64_t count, uint64_t most) {
  if (count == 0 || most == 0) return {255, 255, 255};
  // From white to RGB (200, 30, 30); a row that ran at all is never quite white.
  const uint64_t part = 16 + (240 * std::min(count, most)) / most;  // 17 .. 256
  const auto mix = [part](int strong) {
    return static_cast<uint8_t>(255 - ((255 - strong) * part) / 256);
  };
  return {mix(200), mix(30), mix(30)};
}

CellLook Breakpoints::HeatCell(int row) const {
  if (row <= 0) return {"Anzahl", CellAlign::Centre, {}, {}};
  const uint64_t count = stats_.rows[static_cast<size_t>((row - 1) & 0xFF)];
  const uint64_t most = *std::max_element(stats_.rows.begin(), stats_.rows.end());
  return {count == 0 ? std::string() : std::to_string(count), CellAlign::Centre,
          HeatShade(count, most), kBlack};
}

std::string Breakpoints::Ratio(uint64_t clocks, uint64_t count) {
  if (count == 0) return "-";
  // Hundredths, rounded half up, in whole numbers: the same digits on every machine.
  const uint64_t hundredths = (clocks * 200 + count) / (2 * count);
  std::string fraction = std::to_string(100 + hundredths % 100).substr(1);
  return std::to_string(hundredths / 100) + "," + fraction;
}

std::vector<Breakpoints::OpcodeLine> Breakpoints::OpcodeLines(const MpsStore& mps) const {
  std::vector<OpcodeLine> lines;
  for (int op = 0; op < 256; ++op) {
    const uint64_t count = stats_.opCount[static_cast<size_t>(op)];
    if (count == 0) continue;
    lines.push_back({static_cast<uint8_t>(op), mps.Description(op), count,
                     Ratio(stats_.opClocks[static_cast<size_t>(op)], count)});
  }
  return lines;
}

std::vector<std::string> Breakpoints::SummaryLines(const MpsStore& mps) const {
  const uint64_t instructions = stats_.Instructions();
  std::vector<std::string> lines = {
      "ALU-Takte: " + std::to_string(stats_.clocks),
      "Befehle: " + std::to_string(instructions),
      "Takte je Befehl: " + Ratio(stats_.clocks - stats_.instructionClocks, instructions),
  };
  const std::vector<OpcodeLine> ops = OpcodeLines(mps);
  if (!ops.empty()) lines.emplace_back("Opcode  Befehl        Anzahl  Takte im Mittel");
  for (const OpcodeLine& o : ops) {
    std::string text = o.text;
    if (text.size() < 12) text.resize(12, ' ');
    std::string count = std::to_string(o.count);
    if (count.size() < 6) count.insert(0, 6 - count.size(), ' ');
    lines.push_back(HexByte(o.op) + "      " + text + "  " + count + "  " + o.average);
  }
  return lines;
}

std::string Breakpoints::CsvText(const MpsStore& mps) const {
  std::string csv = "Art;Adresse;Anzahl oder Befehl;Anzahl;Takte im Mittel\n";
  for (int a = 0; a < 256; ++a) {
    const uint64_t count = stats_.rows[static_cast<size_t>(a)];
    if (count != 0) {
      csv += "MPS;" + HexByte(static_cast<unsigned>(a)) + ";" + std::to_string(count) + "\n";
    }
  }
  for (const OpcodeLine& o : OpcodeLines(mps)) {
    csv += "Befehl;" + HexByte(o.op) + ";" + CsvField(o.text) + ";" + std::to_string(o.count) +
           ";" + o.average + "\n";
  }
  return csv;
}

}  // namespace vellar
