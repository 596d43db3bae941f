#include "app/task_file.h"

#include <gtest/gtest.h>

// The task file as a teacher writes it: the header lines before the cases, and every fault
// with its line, while a file of cases alone stays what it was.
namespace vellar::testing {
namespace {

std::vector<std::string> CaseNames(const Task& task) {
  std::vector<std::string> names;
  for (const GradeCase& c : task.cases) names.push_back(c.name);
  return names;
}

TEST(TaskFileTest, EveryHeaderLine) {
  const Task task = ReadTask(
      "\xEF\xBB\xBF# Sortieren\r\n"
      "Titel:  Bubblesort   # für die 10b\r\n"
      "Text: Sortiere die Bytes F0 bis FF\r\n"
      "text:\taufsteigend.\r\n"
      "Text:\r\n"
      "Text:\r\n"
      "TEXT: Speichere als .ras.\r\n"
      "Bearbeiten: mps\r\n"
      "MPS: start/lehr.mpd\r\n"
      "RAM: Bubble.RAS\r\n"
      "Grenze: 5000\r\n"
      "\r\n"
      "gegeben: => [F0]=00 STOP=halt\r\n"
      "startwert: --set AX=55 => AX=FF\r\n");
  EXPECT_EQ(task.errors, std::vector<std::string>{});
  EXPECT_EQ(task.title, "Bubblesort");
  EXPECT_EQ(task.paragraphs, (std::vector<std::string>{
                                 "Sortiere die Bytes F0 bis FF aufsteigend.",
                                 "Speichere als .ras.",
                             }));
  EXPECT_EQ(task.edits, TaskEdits::Mps);
  EXPECT_EQ(task.mps, "start/lehr.mpd");
  EXPECT_EQ(task.ram, "Bubble.RAS");
  EXPECT_EQ(task.clockLimit, std::optional<uint64_t>(5000));
  EXPECT_EQ(CaseNames(task), (std::vector<std::string>{"gegeben", "startwert"}));
  ASSERT_EQ(task.cases[1].setup.registers.size(), 1u);
  EXPECT_EQ(task.cases[1].expectations[0].text, "AX=FF");
}

// Cases files written before tasks had headers read as they always did: a case may be called
// like a header line as long as its "=>" shows it to be a case, and a header word later in
// the file is still a case.
TEST(TaskFileTest, ACasesFileIsATaskWithoutHeaders) {
  const Task task = ReadTask(
      "ram: --mem F0=01 => [F0]=01\n"
      "grenze: => STOP=halt\n"
      "MPS: => AX=00\n");
  EXPECT_EQ(task.errors, std::vector<std::string>{});
  EXPECT_EQ(CaseNames(task), (std::vector<std::string>{"ram", "grenze", "MPS"}));
  EXPECT_EQ(task.title, "");
  EXPECT_EQ(task.paragraphs, std::vector<std::string>{});
  EXPECT_EQ(task.edits, TaskEdits::Ram);
  EXPECT_EQ(task.mps, "");
  EXPECT_EQ(task.ram, "");
  EXPECT_EQ(task.clockLimit, std::nullopt);
}

TEST(TaskFileTest, FaultyHeadersNameTheirLines) {
  struct Row {
    std::string text;
    std::vector<std::string> errors;
  };
  const std::string aCase = "fall: => AX=00\n";
  const std::vector<Row> rows = {
      {"Titel:\n" + aCase, {"Zeile 1: „Titel:“ braucht einen Titel."}},
      {"Titel: a\nTitel: b\n" + aCase, {"Zeile 2: „Titel:“ steht schon in Zeile 1."}},
      {"Bearbeiten: beides\n" + aCase,
       {"Zeile 1: „Bearbeiten:“ erwartet RAM oder MPS, nicht „beides“."}},
      {"MPS: lehr.ras\n" + aCase,
       {"Zeile 1: „MPS:“ erwartet eine Datei .mpd oder .mps, nicht „lehr.ras“."}},
      {"RAM:\n" + aCase,
       {"Zeile 1: „RAM:“ erwartet eine Datei .ras, .rad, .ram oder .erm, nicht „“."}},
      {"RAM: a.ras\n\nRAM: b.ras\n" + aCase, {"Zeile 3: „RAM:“ steht schon in Zeile 1."}},
      {"Grenze: 0\n" + aCase, {"Zeile 1: „Grenze:“ erwartet eine positive ganze Zahl, nicht „0“."}},
      {"Grenze: 1e6\n" + aCase,
       {"Zeile 1: „Grenze:“ erwartet eine positive ganze Zahl, nicht „1e6“."}},
      {aCase + "Text: zu spät\nTitel: auch\n",
       {"Zeile 2: „Text:“ gehört vor den ersten Fall.",
        "Zeile 3: „Titel:“ gehört vor den ersten Fall."}},
      {"Titel: nur Kopf\nText: und Text\n", {"Die Datei enthält keinen Fall."}},
      {"Grenze: -1\nohne Pfeil\n",
       {"Zeile 1: „Grenze:“ erwartet eine positive ganze Zahl, nicht „-1“.",
        "Zeile 2: Ein Fall hat die Form „name: [--set REG=HH]... [--mem AA=HH]... => "
        "Erwartungen“."}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ReadTask(row.text).errors, row.errors) << row.text;
  }
}

// Files picked together in a browser: which is the task, and which picked file a start file
// named in it stands for, by its name alone and in any case.
TEST(PickedFilesTest, TheTaskAndItsStartFilesAmongThePicked) {
  EXPECT_EQ(PickedTaskFiles({"f.txt", "b.AUFGABE", "x.mpd", "a.aufgabe"}),
            (std::vector<std::string>{"a.aufgabe", "b.AUFGABE"}));
  EXPECT_EQ(PickedTaskFiles({"x.mpd", "f.TXT"}), std::vector<std::string>{"f.TXT"});
  EXPECT_TRUE(PickedTaskFiles({"firmware.mpd", "bubble.ras", "aufgabe"}).empty());

  const std::vector<std::string> picked = {"/tmp/Firmware.MPD.bak", "/tmp/Firmware.MPD",
                                           "bubble.ras"};
  const std::string* mps = PickedStartFile("sub/FIRMWARE.mpd", picked);
  ASSERT_NE(mps, nullptr);
  EXPECT_EQ(*mps, "/tmp/Firmware.MPD");
  EXPECT_EQ(PickedStartFile("start\\BUBBLE.RAS", picked), &picked[2]);
  EXPECT_EQ(PickedStartFile("summe.ras", picked), nullptr);
}

}  // namespace
}  // namespace vellar::testing
