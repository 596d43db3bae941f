#include <gtest/gtest.h>

#include "ram/assembler.h"

namespace vellar {
namespace {

using Tokens = std::vector<std::string>;

TEST(AssemblerTest, NormalisingAndTokens) {
  EXPECT_EQ(NormaliseAsmText("MOV AX , 3F"), "mov ax 3f");
  EXPECT_EQ(NormaliseAsmText("mov   ax,,3f "), "mov ax 3f ");
  EXPECT_EQ(NormaliseAsmText(""), "");
  EXPECT_EQ(SplitAsmTokens(" mov ax 3f "), (Tokens{"mov", "ax", "3f"}));
  EXPECT_EQ(SplitAsmTokens("db 'a b' \"c"), (Tokens{"db", "'a b'", "\"c"}));
  EXPECT_EQ(SplitAsmTokens("x'a b'y z"), (Tokens{"x'a b'y", "z"}));
  EXPECT_TRUE(SplitAsmTokens(" ").empty());
}

class AssemblerMatchTest : public ::testing::Test {
 protected:
  AssemblerMatchTest() {
    mps.SetDescription(0x05, "MOV AX,nn");  // below 0A: never an instruction
    mps.SetDescription(0x0A, "MOV AX,nn");
    mps.SetDescription(0x0B, "MOV BX,[nn]");
    mps.SetDescription(0x0C, "HALT");
    mps.SetDescription(0x0D, "ADD AX,BX");
    mps.SetDescription(0x30, "JMP nn");
    mps.SetDescription(0x40, "jmp nn");  // the same notation at a higher address
    mps.SetDescription(0x41, "MOV nn,nn");
  }
  AsmMatch Match(std::string_view text) const { return MatchInstruction(mps, text); }
  MpsStore mps;
};

TEST_F(AssemblerMatchTest, SpellingsOfOneInstruction) {
  for (const char* text : {"MOV AX , 3F", "mov ax,3f", "mov   ax 3f", "Mov aX,,3f"}) {
    const AsmMatch m = Match(text);
    EXPECT_EQ(m.opcodes, (std::vector<uint8_t>{0x0A})) << text;
    EXPECT_EQ(m.operand, "3f") << text;
  }
}

TEST_F(AssemblerMatchTest, EveryLetterOfTheCodePageMatchesInAnyCase) {
  mps.SetDescription(0x20, "LÖSCHE AX");
  mps.SetDescription(0x21, "ÄNDERE [nn]");
  mps.SetDescription(0x22, "ŠŒŽŸÀÞ");
  EXPECT_EQ(Match("lösche ax").opcodes, (std::vector<uint8_t>{0x20}));
  EXPECT_EQ(Match("LöSCHE aX").opcodes, (std::vector<uint8_t>{0x20}));
  EXPECT_EQ(Match("ändere [3f]").opcodes, (std::vector<uint8_t>{0x21}));
  EXPECT_EQ(Match("šœžÿàþ").opcodes, (std::vector<uint8_t>{0x22}));
  EXPECT_TRUE(Match("losche ax").opcodes.empty());
}

TEST_F(AssemblerMatchTest, OperandsRegistersAndBrackets) {
  EXPECT_EQ(Match("mov bx,[7e]").opcodes, (std::vector<uint8_t>{0x0B}));
  EXPECT_EQ(Match("mov bx,[7e]").operand, "7e");
  EXPECT_TRUE(Match("mov bx,7e").opcodes.empty());
  EXPECT_EQ(Match("add ax bx").opcodes, (std::vector<uint8_t>{0x0D}));
  EXPECT_FALSE(Match("add ax bx").operand);
  // One or three digits do not fit "nn".
  EXPECT_TRUE(Match("mov ax 3").opcodes.empty());
  EXPECT_TRUE(Match("mov ax 123").opcodes.empty());
  // Both second and third token are operands: the third gives the operand text.
  EXPECT_EQ(Match("mov 12 34").opcodes, (std::vector<uint8_t>{0x41}));
  EXPECT_EQ(Match("mov 12 34").operand, "34");
}

TEST_F(AssemblerMatchTest, ExtraTokensAreNotComparedButStillReadAsOperand) {
  EXPECT_EQ(Match("halt").opcodes, (std::vector<uint8_t>{0x0C}));
  EXPECT_FALSE(Match("halt").operand);
  EXPECT_EQ(Match("halt 05").operand, "05");
  EXPECT_EQ(Match("halt now").opcodes, (std::vector<uint8_t>{0x0C}));
  EXPECT_EQ(Match("halt now").operand, "now");
  // The fourth token is compared literally and never read as operand.
  mps.SetDescription(0x50, "PUT AX BX 3f");
  EXPECT_EQ(Match("put ax bx 3f").opcodes, (std::vector<uint8_t>{0x50}));
  EXPECT_FALSE(Match("put ax bx 3f").operand);
  EXPECT_TRUE(Match("put ax bx 40").opcodes.empty());
}

TEST_F(AssemblerMatchTest, EveryMatchCountsAndTheHighestStays) {
  EXPECT_EQ(Match("JMP 10").opcodes, (std::vector<uint8_t>{0x30, 0x40}));
  mps.SetDescription(0x0A, "");
  mps.SetDescription(0x41, "");
  EXPECT_TRUE(Match("mov ax,3f").opcodes.empty());  // address 05 is never searched
  EXPECT_TRUE(Match("").empty);
  EXPECT_FALSE(Match(" ").empty);
  EXPECT_TRUE(Match(" ").opcodes.empty());
  EXPECT_TRUE(Match(",").opcodes.empty());
}

}  // namespace
}  // namespace vellar
