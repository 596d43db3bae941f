#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

#include "app/link_content.h"
#include "cli/cli_fixture.h"

// vellar-cli link: the address carries the files byte for byte, compressed as a browser's
// DecompressionStream("deflate") reads it (zlib here stands in for the browser).
namespace vellar::testing {
namespace {

// The files in the fragment of a printed address, after the base.
std::vector<LinkFile> FilesOf(const std::string& out, const std::string& base) {
  EXPECT_EQ(out.substr(0, base.size() + 1), base + "#");
  std::string fragment = out.substr(base.size() + 1);
  if (!fragment.empty() && fragment.back() == '\n') fragment.pop_back();
  const auto compressed = CompressedOfFragment(fragment);
  if (!compressed) {
    ADD_FAILURE() << "kein Fragment eines Links: " << fragment;
    return {};
  }
  std::string content(1u << 20, '\0');
  uLongf size = content.size();
  EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(content.data()), &size,
                       reinterpret_cast<const Bytef*>(compressed->data()), compressed->size()),
            Z_OK);
  content.resize(size);
  const auto files = UnpackLinkContent(content);
  EXPECT_TRUE(files.has_value()) << content.substr(0, 80);
  return files.value_or(std::vector<LinkFile>{});
}

class LinkTest : public CliTest {
 protected:
  const std::string base = "https://schule.example/vellar.html";
};

TEST_F(LinkTest, RandomMicroProgramsAndMemoriesTravelByteForByte) {
  std::mt19937 random(7);
  for (int round = 0; round < 6; ++round) {
    // Random files as the program writes them: the compact forms filled at random, and the
    // text forms made of those by vellar-cli convert.
    std::string mps(4096, '\0');
    for (char& c : mps) c = static_cast<char>(random() & 0xFF);
    std::string erm(256, '\0');
    for (char& c : erm) c = static_cast<char>(random() & 0xFF);
    WriteBytes(dir / "z.mps", mps);
    WriteBytes(dir / "z.erm", erm);
    const std::string mpsFile = dir / (round % 2 ? "Lösung 1.mpd" : "z.mps");
    const std::string ramFile = dir / (round % 3 == 0   ? "z.erm"
                                       : round % 3 == 1 ? "p.ras"
                                                        : "p.rad");
    if (round % 2) {
      ASSERT_EQ(Cli({"convert", dir / "z.mps", mpsFile}).exit, 0);
    }
    if (round % 3) {
      ASSERT_EQ(Cli({"convert", "--mps", dir / "z.mps", dir / "z.erm", ramFile}).exit, 0);
    }

    // Every other round in the digits of a QR code.
    std::vector<std::string> args = {"link",  "--base", base + "#alt", "--mps",
                                     mpsFile, "--ram",  ramFile};
    if (round % 2) args.push_back("--qr");
    const CliResult r = Cli(args);
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.substr(base.size() + 1, 3), round % 2 ? kDigitsLinkMark : kLinkMark);
    const std::vector<LinkFile> files = FilesOf(r.out, base);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].kind, LinkKind::Mps);
    EXPECT_EQ(files[0].name, mpsFile.substr(dir.path().size()));
    EXPECT_EQ(files[0].bytes, ReadBytes(mpsFile));
    EXPECT_EQ(files[1].kind, LinkKind::Ram);
    EXPECT_EQ(files[1].bytes, ReadBytes(ramFile));
  }
}

// A task brings its start files unless the command line names others.
TEST_F(LinkTest, ATaskTravelsWithItsStartFiles) {
  WriteBytes(dir / "start.ras", "RAS OP nn Befehl\r\n00  FE 00 HLT\r\n");
  const std::string task =
      "Titel: Halt\nMPS: " + firmware + "\nRAM: start.ras\nfall: => STOP=halt\n";
  WriteBytes(dir / "halt.aufgabe", task);
  CliResult r = Cli({"link", "--base", base, "--task", dir / "halt.aufgabe"});
  ASSERT_EQ(r.exit, 0) << r.err;
  std::vector<LinkFile> files = FilesOf(r.out, base);
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0].name, "halt.aufgabe");
  EXPECT_EQ(files[0].bytes, task);
  EXPECT_EQ(files[1].name, "firmware.mpd");
  EXPECT_EQ(files[1].bytes, ReadBytes(firmware));
  EXPECT_EQ(files[2].name, "start.ras");

  r = Cli({"link", "--base", base, "--task", dir / "halt.aufgabe", "--ram", counter});
  ASSERT_EQ(r.exit, 0) << r.err;
  files = FilesOf(r.out, base);
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[2].bytes, ReadBytes(counter));
}

TEST_F(LinkTest, NothingIsPrintedForAFileThatCannotBeOpened) {
  WriteBytes(dir / "kaputt.aufgabe", "Grenze: nie\nfall: => STOP=halt\n");
  WriteBytes(dir / "fehlt.aufgabe", "MPS: fehlt.mpd\nfall: => STOP=halt\n");
  WriteBytes(dir / "kurz.mps", "zu kurz");
  WriteBytes(dir / "name.txt", "RAS OP nn Befehl\r\n");
  for (const std::vector<std::string>& args : {
           std::vector<std::string>{"link", "--mps", firmware},
           {"link", "--base", base},
           {"link", "--base", base, "--task", dir / "kaputt.aufgabe"},
           {"link", "--base", base, "--task", dir / "fehlt.aufgabe"},
           {"link", "--base", base, "--mps", dir / "kurz.mps"},
           {"link", "--base", base, "--ram", dir / "name.txt"},
           {"link", "--base", base, "--ram", counter, firmware},
       }) {
    const CliResult r = Cli(args);
    EXPECT_EQ(r.exit, 2) << args.back();
    EXPECT_EQ(r.out, "") << args.back();
    EXPECT_NE(r.err, "") << args.back();
  }
}

// The page loads by the extension, so a file named otherwise cannot travel; the message says
// which name it needs rather than blaming the name as such.
TEST_F(LinkTest, AFileNamedForNoLoaderIsToldTheNameItNeeds) {
  WriteBytes(dir / "blatt.txt", "Titel: Halt\nfall: => STOP=halt\n");
  WriteBytes(dir / "speicher.txt", ReadBytes(counter));
  const struct {
    std::vector<std::string> args;
    std::string said;
  } refused[] = {
      {{"--task", dir / "blatt.txt"}, "Im Link braucht eine Aufgabe einen Namen auf .aufgabe."},
      {{"--ram", dir / "speicher.txt"}, "Im Link braucht ein RAM einen Namen auf .ras, .rad"},
  };
  for (const auto& c : refused) {
    std::vector<std::string> args = {"link", "--base", base};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliResult r = Cli(args);
    EXPECT_EQ(r.exit, 2) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
  }
  // The same task under its proper name travels.
  WriteBytes(dir / "blatt.aufgabe", ReadBytes(dir / "blatt.txt"));
  EXPECT_EQ(Cli({"link", "--base", base, "--task", dir / "blatt.aufgabe"}).exit, 0);
}

}  // namespace
}  // namespace vellar::testing
