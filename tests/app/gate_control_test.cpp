#include "support/session_fixture.h"

namespace vellar::testing {
namespace {

class GateControlTest : public SessionTest {
 protected:
  bool Open(int g) const { return m.GateOpen(g); }
  const GateControl& gates = session.gates;
};

TEST_F(GateControlTest, StartShowsEveryGateClosedWithItsHint) {
  for (int g = 0; g < 0xF; ++g) {
    EXPECT_FALSE(gates.Button(g).shownOpen);
    EXPECT_EQ(gates.Hint(g), "Tor öffnen");
  }
  EXPECT_EQ(gates.Hint(0xF), "");
  EXPECT_EQ(GateControl::Picture(0xC, false), GatePicture::ClosedLeft);
  EXPECT_EQ(GateControl::Picture(0xB, true), GatePicture::OpenRight);
  EXPECT_TRUE(gates.PlusBarVisible());
}

TEST_F(GateControlTest, ManualClicksObeyTheConflictTable) {
  session.TorClick(1);
  session.TorClick(3);
  session.TorClick(5);
  EXPECT_EQ(m.OpenMask, GateBit(1));
  session.TorClick(7);
  session.TorClick(9);
  session.TorClick(0xB);
  session.TorClick(0xC);
  EXPECT_EQ(m.OpenMask, GateBit(1) | GateBit(7));
  session.TorClick(1);
  session.TorClick(3);
  EXPECT_EQ(m.OpenMask, GateBit(3) | GateBit(7));
  EXPECT_EQ(gates.Hint(3), "Tor schließen");
  session.TorClick(0xD);
  EXPECT_FALSE(gates.PlusBarVisible());
}

TEST_F(GateControlTest, MemoryWriteExcludesEveryOtherGate) {
  session.TorClick(0xB);
  for (int g = 0; g < 0xF; ++g) {
    if (g != 0xB) session.TorClick(g);
  }
  EXPECT_EQ(m.OpenMask, GateBit(0xB));
  session.TorClick(0xB);
  session.TorClick(2);
  session.TorClick(0xB);
  EXPECT_EQ(m.OpenMask, GateBit(2));
}

TEST_F(GateControlTest, GreyingDisablesConflictsAndOnlyAutomaticControlUndoesIt) {
  session.TorClick(0xB);
  for (int g = 0; g < 0xF; ++g) {
    EXPECT_EQ(gates.Button(g).enabled, g == 0xB) << g;
  }
  session.MeKonflClick();  // unchecked: nothing greys any more, and nothing is undone
  EXPECT_FALSE(session.menu.MeKonfl);
  EXPECT_FALSE(gates.GreyConflicts());
  session.TorClick(0xB);
  EXPECT_FALSE(gates.Button(3).enabled);
  session.TorClick(3);  // Ctrl+3 still reaches the gate
  EXPECT_TRUE(Open(3));
  run.SetGatesAutomatic(true);
  for (int g = 0; g < kGateCount; ++g) EXPECT_TRUE(gates.Button(g).enabled) << g;
  // Checked again under manual control, the greying comes back with the next gate.
  run.SetGatesAutomatic(false);
  session.MeKonflClick();
  EXPECT_TRUE(gates.GreyConflicts());
  session.TorClick(0xC);
  EXPECT_FALSE(gates.Button(0).enabled);
  EXPECT_TRUE(gates.Button(0xC).enabled);
}

TEST_F(GateControlTest, ButtonsLagWhileTheBusIsNotShown) {
  Automatic(-1);
  session.gates.SetGate(4, true);
  EXPECT_TRUE(Open(4));
  EXPECT_FALSE(gates.Button(4).shownOpen);
  Automatic(5);
  session.gates.SetGate(4, false);
  session.gates.SetGate(4, true);
  EXPECT_TRUE(gates.Button(4).shownOpen);
}

TEST_F(GateControlTest, MpsGateRuleMessagesInTheirOrder) {
  const std::string head = " kann man nicht öffnen,\n";
  fe.ExpectMessage("Tor 3" + head + "denn Tor F ist offen.");
  EXPECT_TRUE(session.gates.CheckMpsGate(3, GateBit(0xF)));
  fe.ExpectMessage("Tor B" + head + "denn ein anderes Tor ist offen.");
  EXPECT_TRUE(session.gates.CheckMpsGate(0xB, GateBit(1)));
  fe.ExpectMessage("Tor F" + head + "denn ein anderes Tor ist offen.");
  EXPECT_TRUE(session.gates.CheckMpsGate(0xF, GateBit(0)));
  fe.ExpectMessage("Tor 4" + head + "denn es erfolgt ein Zugriff aufs RAM.");
  EXPECT_TRUE(session.gates.CheckMpsGate(4, GateBit(0xC)));
  fe.ExpectMessage("Tor 5" + head + "denn das führt zu einem Buskonflikt.");
  EXPECT_TRUE(session.gates.CheckMpsGate(5, GateBit(1) | GateBit(3)));
  EXPECT_FALSE(session.gates.CheckMpsGate(7, GateBit(1) | GateBit(0)));
}

}  // namespace
}  // namespace vellar::testing
