#include "support/session_fixture.h"

namespace vellar::testing {
namespace {

using RegisterFieldsTest = SessionTest;

TEST_F(RegisterFieldsTest, TypingIntoAxFollowsWithTheSignFlag) {
  RegisterFields& fields = session.registers;
  fields.EdRegChange(AX, "8");
  EXPECT_EQ(m.Regs[AX], 0x08);
  EXPECT_EQ(fields.SignText(), "0");
  fields.EdRegChange(AX, "80");
  EXPECT_EQ(m.Regs[AX], 0x80);
  EXPECT_EQ(fields.SignText(), "1");
}

TEST_F(RegisterFieldsTest, AnInvalidCharacterIsRefusedWithTheMessage) {
  fe.ExpectMessage("Eingabe ist ungültig\nEingabe wiederholen");
  session.registers.EdRegChange(BX, "G");
  EXPECT_EQ(session.registers.Text(BX), "");
  EXPECT_EQ(m.Regs[BX], 0);
  session.registers.EdRegChange(BX, "a");
  EXPECT_EQ(m.Regs[BX], 0x0A);
  EXPECT_EQ(session.registers.Text(BX), "A");
}

TEST_F(RegisterFieldsTest, LeavingAFieldNormalisesItsText) {
  session.registers.EdRegChange(DR, "F");
  EXPECT_EQ(m.Regs[DR], 0x0F);
  session.registers.EdRegExit(DR);
  EXPECT_EQ(session.registers.Text(DR), "0F");
  session.registers.EdRegChange(DR, "");
  session.registers.EdRegExit(DR);
  EXPECT_EQ(session.registers.Text(DR), "00");
}

TEST_F(RegisterFieldsTest, ArMovesTheRamCursorAndAlIsReadOnly) {
  session.registers.EdRegChange(AR, "35");
  EXPECT_EQ(session.ramGrid.current, (GridCell{6, 4}));
  session.registers.EdRegChange(AL, "12");
  EXPECT_EQ(m.Regs[AL], 0);
}

}  // namespace
}  // namespace vellar::testing
