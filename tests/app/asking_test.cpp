#include "app/asking.h"

#include <optional>
#include <string>

#include "support/session_fixture.h"
#include "support/temp_dir.h"

// The file commands as the page runs them: each question stays pending as model state until
// the frontend answers it with an ordinary call.
namespace vellar::testing {
namespace {

class PendingQuestionTest : public SessionTest {
 protected:
  PendingQuestionTest() { fe.answerLater = true; }

  // The question pending now, as the frontend would show it, or "-" when none is.
  std::string Pending() const {
    const Question* q = session.asking.Pending();
    if (q == nullptr) return "-";
    switch (q->kind) {
      case Question::Kind::OpenFile:
        return "Öffnen " + q->options.filter.substr(0, 3);
      case Question::Kind::SaveFile:
        return "Speichern " + q->options.fileName;
      case Question::Kind::FinishSave:
        return "Übertragen " + q->text;
      default:
        return q->text;
    }
  }
  void Respond(Answer answer, std::optional<std::string> text = std::nullopt) {
    ASSERT_TRUE(session.asking.Respond({answer, std::move(text)})) << "no question pending";
  }
  // Changes in both stores that no file holds.
  void UnsavedWork() {
    SetRow(0, {1}, "01");
    session.ramEditor.GrRamSetEditText(1, 1, "7F");
    ASSERT_TRUE(session.files.HasUnsavedWork());
  }

  FileCommands& files = session.files;
  TempDir dir;
};

TEST_F(PendingQuestionTest, ClosingWaitsForEachAnswerAndClosesOnlyWhenTheWorkIsSafe) {
  UnsavedWork();
  bool closed = false;
  const auto close = [&closed] { closed = true; };

  // Abbrechen: nothing saved, nothing closed, nothing left pending.
  EXPECT_FALSE(files.FormCloseQuery(close));
  EXPECT_EQ(Pending(), "Mps speichern ?");
  EXPECT_EQ(session.asking.Pending()->kind, Question::Kind::YesNoCancel);
  Respond(Answer::Cancel);
  EXPECT_EQ(Pending(), "-");
  EXPECT_FALSE(closed);
  EXPECT_TRUE(session.mps.MpsModified());

  // Ja: the save dialog, the file carried to its place, then the RAM's question; Nein to it
  // closes, with the MPS saved.
  EXPECT_FALSE(files.FormCloseQuery(close));
  Respond(Answer::Yes);
  EXPECT_EQ(Pending(), "Speichern unbenannt.mpd");
  const std::string mpd = dir / "c.mpd";
  Respond(Answer::Yes, mpd);
  EXPECT_EQ(Pending(), "Übertragen " + mpd);
  EXPECT_FALSE(closed);
  Respond(Answer::Yes);
  EXPECT_EQ(Pending(), "Ram speichern ?");
  EXPECT_FALSE(session.mps.MpsModified());
  EXPECT_EQ(files.MpsFileName(), "c.mpd");
  EXPECT_FALSE(closed);
  Respond(Answer::No);
  EXPECT_EQ(Pending(), "-");
  EXPECT_TRUE(closed);
  SetRow(0, {4}, "01");
  ASSERT_TRUE(files.LoadMpsFile(mpd));
  EXPECT_EQ(session.mps.GateMask(0), 1u << 1);

  // A save that could not reach its place keeps the window and the work.
  session.ramEditor.GrRamSetEditText(1, 2, "01");
  closed = false;
  EXPECT_FALSE(files.FormCloseQuery(close));
  EXPECT_EQ(Pending(), "Ram speichern ?");
  Respond(Answer::Yes);
  Respond(Answer::Yes, dir / "c.rad");
  fe.ExpectError("nicht gespeichert");
  Respond(Answer::No, "„c.rad“ wurde nicht gespeichert.");
  EXPECT_EQ(Pending(), "-");
  EXPECT_FALSE(closed);
  EXPECT_TRUE(files.HasUnsavedWork());
  EXPECT_EQ(files.RamFileName(), "");
}

TEST_F(PendingQuestionTest, ALoadAsksFirstThenPicksThenLoads) {
  SetRow(0, {2}, "01");
  ASSERT_TRUE(files.SaveMpsFile(dir / "b.mpd"));
  SetRow(0, {5}, "01");

  // Nein to "Mps speichern ?": the picker, then the load of what was picked.
  files.MeLoadMpsClick();
  EXPECT_EQ(Pending(), "Mps speichern ?");
  EXPECT_EQ(session.asking.Pending()->kind, Question::Kind::YesNo);
  Respond(Answer::No);
  EXPECT_EQ(Pending(), "Öffnen MPS");
  EXPECT_EQ(session.mps.GateMask(0), 1u << 5);
  Respond(Answer::Yes, dir / "b.mpd");
  EXPECT_EQ(Pending(), "-");
  EXPECT_EQ(session.mps.GateMask(0), 1u << 2);

  // Ja saves and loads nothing; a cancelled picker loads nothing.
  SetRow(0, {6}, "01");
  files.OpenMpsFile(dir / "b.mpd");
  Respond(Answer::Yes);
  Respond(Answer::Yes, std::nullopt);
  EXPECT_EQ(Pending(), "-");
  EXPECT_EQ(session.mps.GateMask(0), 1u << 6);
  EXPECT_TRUE(session.mps.MpsModified());
}

TEST_F(PendingQuestionTest, OverwritingAsksAndNeinWritesNothing) {
  SetRow(0, {3}, "01");
  const std::string path = dir / "a.mps";
  WriteBytes(path, "alt");
  for (const Answer answer : {Answer::No, Answer::Yes}) {
    files.MeSaveMpsClick();
    Respond(Answer::Yes, path);
    EXPECT_EQ(Pending(), path + " überschreiben ?");
    Respond(answer);
    if (answer == Answer::Yes) {
      EXPECT_EQ(Pending(), "Übertragen " + path);
      Respond(Answer::Yes);
    }
    EXPECT_EQ(Pending(), "-");
    EXPECT_EQ(ReadBytes(path).size(), answer == Answer::Yes ? 4096u : 3u);
    EXPECT_EQ(session.mps.MpsModified(), answer == Answer::No);
  }
}

// The user answers one question at a time: while one is pending, another command that would
// ask is refused and changes nothing, and the first one ends as it would have.
TEST_F(PendingQuestionTest, ASecondCommandWhileAQuestionIsPendingIsRefused) {
  UnsavedWork();
  files.MeLoadMpsClick();
  ASSERT_EQ(Pending(), "Mps speichern ?");
  const Question* const first = session.asking.Pending();
  bool closed = false;
  EXPECT_FALSE(files.FormCloseQuery([&closed] { closed = true; }));
  files.MeLoadRamClick();
  files.MeSaveRamClick();
  files.OpenRamFile(dir / "x.ras");
  files.MeSaveMpsClick();
  EXPECT_EQ(session.asking.Pending(), first);
  EXPECT_EQ(fe.asked.size(), 1u);

  Respond(Answer::No);
  EXPECT_EQ(Pending(), "Öffnen MPS");
  Respond(Answer::Yes, std::nullopt);
  EXPECT_EQ(Pending(), "-");
  EXPECT_FALSE(closed);
  EXPECT_EQ(m.Ram[0], 0x7F);
  EXPECT_EQ(fe.asked.size(), 2u);
  EXPECT_FALSE(session.asking.Respond({}));

  // Once it has ended, the next command asks again.
  files.MeLoadRamClick();
  EXPECT_EQ(Pending(), "Ram speichern ?");
}

}  // namespace
}  // namespace vellar::testing
