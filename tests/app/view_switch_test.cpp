#include "support/session_fixture.h"

namespace vellar::testing {
namespace {

using ViewSwitchTest = SessionTest;

TEST_F(ViewSwitchTest, InspectorMenuTogglesAndAsksForALayout) {
  EXPECT_FALSE(session.menu.MeVariablen);
  fe.invalidated = 0;
  session.MeVariablenClick();
  EXPECT_TRUE(session.menu.MeVariablen);
  EXPECT_TRUE(fe.invalidated & kRedrawLayout);
  session.MeVariablenClick();
  EXPECT_FALSE(session.menu.MeVariablen);
}

}  // namespace
}  // namespace vellar::testing
