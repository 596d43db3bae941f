#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/hex.h"
#include "support/example_files.h"
#include "support/session_fixture.h"

namespace vellar::testing {
namespace {

// The fetch of every instruction: AR := IP, read, OP := DR, IP and AR + 1, read the operand,
// IP + 1, decode.
constexpr uint64_t kFetchClocks = 7;

const std::vector<int> kOpcodes = {0x10, 0x11, 0x12, 0x13, 0x20, 0x21, 0x22, 0x23, 0x30,
                                   0x31, 0x32, 0x40, 0x41, 0x42, 0x43, 0x50, 0x51, 0x52,
                                   0x53, 0x60, 0x61, 0x62, 0x63, 0x70, 0x71, 0x72, 0xFE};
constexpr int kHalt = 0xFE;

class FirmwareTest : public SessionTest {
 protected:
  FirmwareTest() { LoadExampleMps(session, "firmware.mpd"); }

  bool IsOpcode(int address) const {
    return std::find(kOpcodes.begin(), kOpcodes.end(), address) != kOpcodes.end();
  }
  const MpsStore& mps() const { return session.mps; }

  // Runs unpaced from MPS address 0 in the given clock mode.
  void Run(RunButton button) {
    Automatic(-3);
    run.SetClockLimit(1000000);
    run.BuTaktClick(button);
    run.RunToEnd();
  }
};

TEST_F(FirmwareTest, NoRowBreaksAGateRule) {
  for (int address = 0; address < MpsStore::kRows; ++address) {
    const uint16_t mask = mps().GateMask(address);
    for (int g = 0; g < kGateCount; ++g) {
      if (mask & GateBit(g)) {
        EXPECT_EQ(mask & kConflictTable[g], 0) << "row " << HexByte(address) << ", gate " << g;
      }
    }
  }
}

// The compact file: 256 records of gate mask (little-endian), next address, description
// length and 12 description bytes.
TEST_F(FirmwareTest, TheCompactFileHoldsTheSameMicroProgram) {
  const std::string bytes = ReadExampleBytes("firmware.mps");
  ASSERT_EQ(bytes.size(), 4096u);
  for (int address = 0; address < MpsStore::kRows; ++address) {
    SCOPED_TRACE(HexByte(address));
    const auto record = std::string_view(bytes).substr(16 * address, 16);
    const auto byte = [&](int i) { return static_cast<uint8_t>(record[i]); };
    const MpsRow& row = mps().Row(address);
    EXPECT_EQ(byte(0) | byte(1) << 8, row.GateMask());
    EXPECT_EQ(byte(3), row.Description().size());
    EXPECT_EQ(record.substr(4, byte(3)), row.Description());
    EXPECT_EQ(byte(2), row.NextAddressValue());
  }
}

// The assembler reads the descriptions: instruction texts must survive the compact file
// (12 characters), and the comments of continuation rows must not look like instructions
// to the disassembler ("nn") or to the line shifting ("[", "J").
TEST_F(FirmwareTest, DescriptionsSuitTheAssemblerAndTheCompactFile) {
  for (int address = 0x0A; address < MpsStore::kRows; ++address) {
    const std::string& text = mps().Description(address);
    EXPECT_LE(text.size(), 12u) << HexByte(address) << " " << text;
    if (IsOpcode(address)) {
      EXPECT_FALSE(text.empty()) << HexByte(address);
    } else if (!text.empty()) {
      EXPECT_EQ(text.find("nn"), std::string::npos) << text;
      EXPECT_EQ(text.find('['), std::string::npos) << text;
      EXPECT_EQ(text.find('J'), std::string::npos) << text;
    }
  }
  std::set<std::string> distinct;
  for (int opcode : kOpcodes) distinct.insert(mps().Description(opcode));
  EXPECT_EQ(distinct.size(), kOpcodes.size());
}

// Following the sequencer from each opcode, through both ways of gate E, ends at address 0
// (or on the halt row) within a few rows and never enters an empty row; every empty row
// halts, so an undefined opcode stops the machine on its own row.
TEST_F(FirmwareTest, EveryRoutineReturnsToTheFetch) {
  for (int opcode : kOpcodes) {
    std::vector<int> paths = {opcode};
    for (int step = 0; step < 6 && !paths.empty(); ++step) {
      std::vector<int> next;
      for (int address : paths) {
        const MpsRow& row = mps().Row(address);
        ASSERT_FALSE(row.GateMask() == 0 && row.Description().empty())
            << "opcode " << HexByte(opcode) << " enters the empty row " << HexByte(address);
        const int to = row.NextAddressValue();
        if (address == kHalt) {
          EXPECT_EQ(to, kHalt);
          continue;
        }
        EXPECT_FALSE(row.GateMask() & GateBit(0xF));
        if (to != 0) next.push_back(to);
        if (row.GateMask() & GateBit(0xE)) {
          if (to + 1 != 0) next.push_back(to + 1);
        }
      }
      paths = next;
    }
    EXPECT_TRUE(paths.empty()) << "opcode " << HexByte(opcode) << " does not return";
  }
  for (int address = 0x07; address < MpsStore::kRows - 1; ++address) {
    const MpsRow& row = mps().Row(address);
    if (row.GateMask() == 0 && row.Description().empty()) {
      EXPECT_EQ(row.NextAddressValue(), address);
    }
  }
}

// One instruction at address 00, with the registers and memory it needs; the worked
// examples of the instruction table.
struct Case {
  std::string text;
  uint8_t op, nn;
  uint8_t ax, bx;
  uint8_t cell, value;  // memory cell set before the run
  uint8_t wantAx, wantBx, wantIp;
  uint8_t wantCell;  // the same cell after the run
  uint64_t clocks;   // without the fetch
};

const std::vector<Case> kCases = {
    {"MOV AX,3F", 0x10, 0x3F, 0x00, 0x00, 0x40, 0x00, 0x3F, 0x00, 0x02, 0x00, 1},
    {"MOV AX,[40]", 0x11, 0x40, 0x00, 0x00, 0x40, 0x5A, 0x5A, 0x00, 0x02, 0x5A, 3},
    {"MOV AX,[BX]", 0x12, 0x00, 0x00, 0x41, 0x41, 0x66, 0x66, 0x41, 0x02, 0x66, 3},
    {"MOV AX,BX", 0x13, 0x00, 0x11, 0x77, 0x40, 0x00, 0x77, 0x77, 0x02, 0x00, 1},
    {"MOV BX,3F", 0x20, 0x3F, 0x00, 0x00, 0x40, 0x00, 0x00, 0x3F, 0x02, 0x00, 1},
    {"MOV BX,[40]", 0x21, 0x40, 0x00, 0x00, 0x40, 0x5A, 0x00, 0x5A, 0x02, 0x5A, 3},
    {"MOV BX,[BX]", 0x22, 0x00, 0x00, 0x41, 0x41, 0x66, 0x00, 0x66, 0x02, 0x66, 3},
    {"MOV BX,AX", 0x23, 0x00, 0x77, 0x11, 0x40, 0x00, 0x77, 0x77, 0x02, 0x00, 1},
    {"MOV [40],AX", 0x30, 0x40, 0x12, 0x34, 0x40, 0x99, 0x12, 0x34, 0x02, 0x12, 3},
    {"MOV [40],BX", 0x31, 0x40, 0x12, 0x34, 0x40, 0x99, 0x12, 0x34, 0x02, 0x34, 3},
    {"MOV [BX],AX", 0x32, 0x00, 0x12, 0x40, 0x40, 0x99, 0x12, 0x40, 0x02, 0x12, 3},
    {"ADD AX,02", 0x40, 0x02, 0xFF, 0x00, 0x40, 0x00, 0x01, 0x00, 0x02, 0x00, 1},
    {"ADD AX,[40]", 0x41, 0x40, 0x05, 0x00, 0x40, 0x03, 0x08, 0x00, 0x02, 0x03, 3},
    {"ADD AX,[BX]", 0x42, 0x00, 0x05, 0x41, 0x41, 0x03, 0x08, 0x41, 0x02, 0x03, 3},
    {"ADD AX,BX", 0x43, 0x00, 0x05, 0x7E, 0x40, 0x00, 0x83, 0x7E, 0x02, 0x00, 2},
    {"SUB AX,07", 0x50, 0x07, 0x05, 0x00, 0x40, 0x00, 0xFE, 0x00, 0x02, 0x00, 1},
    {"SUB AX,[40]", 0x51, 0x40, 0x05, 0x00, 0x40, 0x03, 0x02, 0x00, 0x02, 0x03, 3},
    {"SUB AX,[BX]", 0x52, 0x00, 0x03, 0x41, 0x41, 0x05, 0xFE, 0x41, 0x02, 0x05, 3},
    {"SUB AX,BX", 0x53, 0x00, 0x80, 0x01, 0x40, 0x00, 0x7F, 0x01, 0x02, 0x00, 2},
    {"INC AX", 0x60, 0x00, 0xFF, 0x00, 0x40, 0x00, 0x00, 0x00, 0x02, 0x00, 1},
    {"DEC AX", 0x61, 0x00, 0x00, 0x00, 0x40, 0x00, 0xFF, 0x00, 0x02, 0x00, 1},
    {"INC BX", 0x62, 0x00, 0x00, 0x7F, 0x40, 0x00, 0x00, 0x80, 0x02, 0x00, 1},
    {"DEC BX", 0x63, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0xFF, 0x02, 0x00, 1},
    {"JMP 40", 0x70, 0x40, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x40, 0x00, 1},
    {"JS 40 (AX=80)", 0x71, 0x40, 0x80, 0x00, 0x40, 0x00, 0x80, 0x00, 0x40, 0x00, 2},
    {"JS 40 (AX=7F)", 0x71, 0x40, 0x7F, 0x00, 0x40, 0x00, 0x7F, 0x00, 0x02, 0x00, 2},
    {"JNS 40 (AX=7F)", 0x72, 0x40, 0x7F, 0x00, 0x40, 0x00, 0x7F, 0x00, 0x40, 0x00, 2},
    {"JNS 40 (AX=80)", 0x72, 0x40, 0x80, 0x00, 0x40, 0x00, 0x80, 0x00, 0x02, 0x00, 2},
};

TEST_F(FirmwareTest, EachInstructionDoesWhatItsTableSays) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    session.run.MeClrRegClick();
    m.Ram.fill(0);
    m.Ram[0] = c.op;
    m.Ram[1] = c.nn;
    m.Ram[c.cell] = c.value;
    m.Regs[AX] = c.ax;
    m.Regs[BX] = c.bx;
    Run(RunButton::BuBefehl);
    EXPECT_EQ(run.LastStopReason(), StopReason::ModeEnd);
    EXPECT_EQ(m.Regs[AX], c.wantAx);
    EXPECT_EQ(m.Regs[BX], c.wantBx);
    EXPECT_EQ(m.Regs[IP], c.wantIp);
    EXPECT_EQ(m.Regs[OP], c.op);
    EXPECT_EQ(m.Ram[c.cell], c.wantCell);
    EXPECT_EQ(run.ClocksThisRun(), kFetchClocks + c.clocks);
  }
}

TEST_F(FirmwareTest, HltStopsOnItsRowAndStaysThere) {
  m.Ram[0] = 0x60;  // INC AX
  m.Ram[2] = kHalt;
  Run(RunButton::BuBisHalt);
  EXPECT_EQ(run.LastStopReason(), StopReason::Halt);
  EXPECT_EQ(session.phases.CurrentRow - 1, kHalt);
  EXPECT_EQ(m.Regs[AX], 1);
  EXPECT_EQ(m.Regs[IP], 4);
  EXPECT_EQ(run.ClocksThisRun(), 2 * kFetchClocks + 2);
  run.BuTaktClick(RunButton::BuBisHalt);  // stays on the halt row
  run.RunToEnd();
  EXPECT_EQ(run.ClocksThisRun(), 1u);
  EXPECT_EQ(m.Regs[IP], 4);
}

TEST_F(FirmwareTest, AnUndefinedOpcodeHaltsOnItsOwnRow) {
  m.Ram[0] = 0x14;
  Run(RunButton::BuBisHalt);
  EXPECT_EQ(run.LastStopReason(), StopReason::Halt);
  EXPECT_EQ(session.phases.CurrentRow - 1, 0x14);
  // Opcode 00 is no instruction: the fetch simply goes on with the next two bytes.
  session.run.MeClrRegClick();
  m.Ram.fill(0);
  m.Ram[2] = 0x60;
  m.Ram[4] = kHalt;
  Run(RunButton::BuBisHalt);
  EXPECT_EQ(run.LastStopReason(), StopReason::Halt);
  EXPECT_EQ(m.Regs[AX], 1);
}

// The instruction the guide adds: NEG AX at the free opcode 64.
TEST_F(FirmwareTest, AnInstructionAddedAsTheGuideShowsWorks) {
  SetRow(0x64, {1, 0xA}, "68", "NEG AX");
  SetRow(0x68, {0, 9, 0xD}, "00", "AX := 0-DR");
  for (auto [ax, want] : {std::pair<uint8_t, uint8_t>{0x05, 0xFB}, {0x80, 0x80}, {0x00, 0x00}}) {
    run.MeClrRegClick();
    m.Ram[0] = 0x64;
    m.Regs[AX] = ax;
    Run(RunButton::BuBefehl);
    EXPECT_EQ(HexByte(m.Regs[AX]), HexByte(want));
    EXPECT_EQ(run.ClocksThisRun(), kFetchClocks + 2);
  }
}

}  // namespace
}  // namespace vellar::testing
