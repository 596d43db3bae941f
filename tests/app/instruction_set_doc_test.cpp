#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "core/hex.h"
#include "core/text.h"
#include "ram/assembler.h"
#include "support/example_files.h"
#include "support/session_fixture.h"

// docs/befehlssatz.md describes examples/firmware.mpd in prose around tables. The tables are
// facts of the micro-program; they are checked here against the file, so that a change of
// the firmware that forgets the document fails.
namespace vellar::testing {
namespace {

// A table line "| a | b | c |" as its trimmed cells; none for other lines.
std::vector<std::string> Cells(std::string_view line) {
  std::vector<std::string> cells;
  if (line.size() < 2 || line.front() != '|' || line.back() != '|') return cells;
  size_t pos = 1;
  while (pos < line.size()) {
    const size_t end = line.find('|', pos);
    cells.emplace_back(TrimBlanks(line.substr(pos, end - pos)));
    pos = end + 1;
  }
  return cells;
}

std::string Unquoted(const std::string& cell) {
  return cell.size() >= 2 && cell.front() == '`' && cell.back() == '`'
             ? cell.substr(1, cell.size() - 2)
             : cell;
}

struct DocTables {
  // Opcode table: opcode -> notation, clocks of the routine, clocks with the fetch.
  std::map<int, std::vector<std::string>> instructions;
  // Routine tables: address -> gates, next address, comment.
  std::map<int, std::vector<std::string>> rows;
};

DocTables ReadDoc() {
  std::ifstream in(std::string(VELLAR_EXAMPLES) + "/../docs/befehlssatz.md");
  EXPECT_TRUE(in);
  std::stringstream text;
  text << in.rdbuf();
  DocTables doc;
  std::string kind;
  for (const std::string& line : SplitLines(text.str())) {
    const std::vector<std::string> cells = Cells(line);
    if (cells.empty()) {
      kind.clear();
    } else if (cells[0] == "Opcode" || cells[0] == "MPS") {
      // Only the routine tables of the firmware have "Kommentar"; the example of an own
      // instruction has "Beschreibung" and is not part of the file.
      kind = cells[0] == "Opcode" ? "opcode" : (cells[3] == "Kommentar" ? "rows" : "");
    } else if (!kind.empty() && cells[0] != "---" && cells[0].find("---") == std::string::npos) {
      const int address = static_cast<int>(ParseHex(cells[0]));
      EXPECT_EQ(HexByte(address), cells[0]) << line;
      if (kind == "opcode") {
        doc.instructions[address] = {Unquoted(cells[1]), cells[3], cells[4]};
      } else {
        EXPECT_FALSE(doc.rows.contains(address)) << line;
        doc.rows[address] = {cells[1] == "–" ? "" : cells[1], cells[2], cells[3]};
      }
    }
  }
  return doc;
}

class InstructionSetDocTest : public SessionTest {
 protected:
  InstructionSetDocTest() { EXPECT_TRUE(session.files.LoadMpsFile(ExamplePath("firmware.mpd"))); }

  std::string Gates(int address) const {
    std::string gates;
    for (int g = 0; g < kGateCount; ++g) {
      if (session.mps.GetMpsGate(g, address)) {
        gates += std::string(gates.empty() ? "" : " ") + "0123456789ABCDEF"[g];
      }
    }
    return gates;
  }

  // ALU clocks from row a until the routine returns to the fetch at 00 (or halts there), for
  // the sign flag as given; 0 when it never gets there.
  int RoutineClocks(int a, bool sign) const {
    const MpsStore& mps = session.mps;
    for (int clocks = 1; clocks <= MpsStore::kRows; ++clocks) {
      int next = mps.NextAddress(a);
      if (next == a) return clocks;  // a halt row
      if (mps.GetMpsGate(0xE, a) && sign) ++next;
      if (mps.GetMpsGate(0xF, a) || next == 0) return (next & 0xFF) == 0 ? clocks : 0;
      a = next & 0xFF;
    }
    return 0;
  }

  // The rows the firmware uses: gates or a description. Rows that only name themselves keep
  // an unused opcode on its own row and are described in the prose.
  std::set<int> UsedRows() const {
    std::set<int> used;
    for (int a = 0; a < MpsStore::kRows; ++a) {
      if (session.mps.GateMask(a) != 0 || !session.mps.Description(a).empty()) used.insert(a);
    }
    return used;
  }

  DocTables doc = ReadDoc();
};

TEST_F(InstructionSetDocTest, EveryRowOfTheRoutineTablesIsTheFirmwaresRow) {
  std::set<int> documented;
  for (const auto& [address, cells] : doc.rows) {
    SCOPED_TRACE(HexByte(address));
    documented.insert(address);
    EXPECT_EQ(Gates(address), cells[0]);
    EXPECT_EQ(session.mps.NextAddressText(address), cells[1]);
    EXPECT_EQ(session.mps.Description(address), cells[2]);
  }
  EXPECT_EQ(documented, UsedRows());
}

TEST_F(InstructionSetDocTest, TheOpcodeTableHasEveryInstructionWithItsClocks) {
  // The fetch runs from 00 to its decode row, which leaves for the routine of the opcode.
  const int fetch = RoutineClocks(0, false);
  ASSERT_GT(fetch, 0);
  for (const auto& [opcode, cells] : doc.instructions) {
    SCOPED_TRACE(HexByte(opcode));
    EXPECT_EQ(session.mps.Description(opcode), cells[0]);
    // Typed as the table writes it, the notation gives this opcode.
    std::string typed = cells[0];
    if (const size_t nn = typed.find("nn"); nn != std::string::npos) typed.replace(nn, 2, "3F");
    const AsmMatch match = MatchInstruction(session.mps, typed);
    ASSERT_FALSE(match.opcodes.empty());
    EXPECT_EQ(match.opcodes.back(), opcode);
    // A conditional jump takes as long whether it jumps or not.
    EXPECT_EQ(std::to_string(RoutineClocks(opcode, false)), cells[1]);
    EXPECT_EQ(std::to_string(RoutineClocks(opcode, true)), cells[1]);
    EXPECT_EQ(std::to_string(RoutineClocks(opcode, false) + fetch), cells[2]);
  }
  // Every row that the decode enters and that is no continuation of another routine is in
  // the table: a continuation row is the next address of another row, or the row that the
  // sign test picks after it.
  std::set<int> continuations;
  for (int a = 0; a < MpsStore::kRows; ++a) {
    const int next = session.mps.NextAddress(a);
    if (next == a || session.mps.GetMpsGate(0xF, a)) continue;
    continuations.insert(next);
    if (session.mps.GetMpsGate(0xE, a)) continuations.insert((next + 1) & 0xFF);
  }
  for (const int a : UsedRows()) {
    if (a < 0x0A || continuations.contains(a)) continue;
    EXPECT_TRUE(doc.instructions.contains(a)) << HexByte(a);
  }
}

}  // namespace
}  // namespace vellar::testing
