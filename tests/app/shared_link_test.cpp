#include "app/shared_link.h"

#include "app/link_content.h"
#include "support/session_fixture.h"
#include "support/temp_dir.h"
#include "support/test_paths.h"

// A link to the page: the files of what the page holds go into it byte for byte as saving
// writes them, open again as a load does, and a damaged link opens nothing.
namespace vellar::testing {
namespace {

class SharedLinkTest : public SessionTest {
 protected:
  TempDir dir;
};

TEST_F(SharedLinkTest, ALinkOfThePageOpensTheSameFilesAgain) {
  ASSERT_TRUE(session.files.LoadMpsFile(ExamplePath("firmware.mpd")));
  ASSERT_TRUE(session.files.LoadRamFile(ExamplePath("bubble.ras")));
  session.memory.WriteRam(0xF3, 0x5A);
  const std::optional<std::string> content = CurrentLinkContent(session);
  ASSERT_TRUE(content.has_value());
  const auto files = UnpackLinkContent(*content);
  ASSERT_TRUE(files.has_value());
  ASSERT_EQ(files->size(), 2u);
  EXPECT_EQ((*files)[0].name, "firmware.mpd");
  EXPECT_EQ((*files)[0].bytes, ReadBytes(ExamplePath("firmware.mpd")));
  EXPECT_EQ((*files)[1].name, "bubble.ras");

  // Another page opens it: the changed memory is asked about first, then replaced.
  FakeFrontend otherFe;
  Session other(otherFe);
  other.FormCreate({});
  other.memory.WriteRam(0x00, 0x77);
  otherFe.ExpectQuestion("Ram speichern ?", false);
  ASSERT_TRUE(OpenLinkContent(other, *content, dir.folder()));
  EXPECT_TRUE(otherFe.AllUsed());
  EXPECT_EQ(other.machine.Ram, m.Ram);
  EXPECT_EQ(other.files.MpsFileBytes("x.mpd"), ReadBytes(ExamplePath("firmware.mpd")));
  EXPECT_EQ(FileNameOf(other.files.RamFileName()), "bubble.ras");
  EXPECT_EQ(ReadBytes(dir / "bubble.ras"), (*files)[1].bytes);
}

TEST_F(SharedLinkTest, ADamagedLinkLoadsNothing) {
  ASSERT_TRUE(session.files.LoadRamFile(ExamplePath("bubble.ras")));
  const auto before = m.Ram;
  const std::string badMps(100, 'x');
  for (const std::string& content :
       {std::string("kein Link"),
        PackLinkContent({{LinkKind::Ram, "gut.erm", std::string(256, '\x01')},
                         {LinkKind::Mps, "kurz.mps", badMps}}),
        PackLinkContent({{LinkKind::Mps, "kurz.mps", badMps},
                         {LinkKind::Ram, "gut.erm", std::string(256, '\x01')}})}) {
    fe.ExpectMessage(std::string(kDamagedLinkMessage));
    EXPECT_FALSE(OpenLinkContent(session, content, dir.folder()));
    EXPECT_TRUE(fe.AllUsed());
    EXPECT_EQ(m.Ram, before);
    EXPECT_EQ(FileNameOf(session.files.RamFileName()), "bubble.ras");
  }
}

}  // namespace
}  // namespace vellar::testing
