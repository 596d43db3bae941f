#include <gtest/gtest.h>

#include "core/machine.h"

namespace vellar {
namespace {

Machine WithGates(std::initializer_list<int> gates) {
  Machine m;
  for (int g : gates) m.OpenMask |= GateBit(g);
  return m;
}

TEST(MachineTest, AluAddsOrSubtractsAsAByte) {
  EXPECT_EQ(WithGates({}).AluResult(), 0x00);
  Machine m = WithGates({7, 0xD});  // 0 - 1
  EXPECT_EQ(m.AluResult(), 0xFF);
  m = WithGates({1, 7});
  m.Regs[AX] = 0xFF;
  EXPECT_EQ(m.AluResult(), 0x00);
}

TEST(MachineTest, TheLastOpenSourceOfAnAluInputWins) {
  Machine m = WithGates({1, 3, 5, 7, 9});
  m.Regs[AX] = 0x01;
  m.Regs[BX] = 0x02;
  m.Regs[IP] = 0x10;
  m.Regs[DR] = 0x20;
  EXPECT_EQ(m.AluInputA(), 0x10);
  EXPECT_EQ(m.AluInputB(), 0x20);
  EXPECT_EQ(m.AluResult(), 0x30);
}

TEST(MachineTest, SignFlagIsBitSevenOfAx) {
  Machine m;
  m.Regs[AX] = 0x7F;
  EXPECT_FALSE(m.SignFlag());
  m.Regs[AX] = 0x80;
  EXPECT_TRUE(m.SignFlag());
}

TEST(MachineTest, ConflictTableIsSymmetric) {
  // Every gate's word, and the gates it names, as the table of the processor gives them.
  struct Row {
    uint16_t word;
    const char* gates;  // the gates that may not be open together with it
  };
  const Row table[kGateCount] = {{0x9800, "BCF"},
                                 {0x9828, "35BCF"},
                                 {0x9800, "BCF"},
                                 {0x9822, "15BCF"},
                                 {0x9800, "BCF"},
                                 {0x980A, "13BCF"},
                                 {0x9800, "BCF"},
                                 {0x9A00, "9BCF"},
                                 {0x9800, "BCF"},
                                 {0x9880, "7BCF"},
                                 {0x9800, "BCF"},
                                 {0xF7FF, "0123456789ACDEF"},
                                 {0xEFFF, "0123456789ABDEF"},
                                 {0x9800, "BCF"},
                                 {0x9800, "BCF"},
                                 {0x7FFF, "0123456789ABCDE"}};
  for (int g = 0; g < kGateCount; ++g) {
    uint16_t named = 0;
    for (const char* c = table[g].gates; *c != 0; ++c) {
      named |= GateBit(*c <= '9' ? *c - '0' : *c - 'A' + 10);
    }
    EXPECT_EQ(named, table[g].word) << g;
    EXPECT_EQ(kConflictTable[g], table[g].word) << g;
  }
  for (int g = 0; g < kGateCount; ++g) {
    EXPECT_FALSE(kConflictTable[g] & GateBit(g)) << g;
    for (int h = 0; h < kGateCount; ++h) {
      EXPECT_EQ(bool(kConflictTable[g] & GateBit(h)), bool(kConflictTable[h] & GateBit(g)))
          << g << " " << h;
    }
  }
}

}  // namespace
}  // namespace vellar
