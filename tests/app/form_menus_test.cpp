#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <span>
#include <string>

#include "app/form_controls.h"
#include "app/form_json.h"
#include "app/form_menus.h"
#include "app/json_writer.h"
#include "app/task_panel.h"
#include "support/session_fixture.h"

// The menu table both frontends build their menus from: its keys and mnemonic letters, every
// command it names, and the JSON the page receives of it.
namespace vellar::testing {
namespace {

// The letter after "&", lower case; 0 for a caption without one.
char Mnemonic(std::string_view caption) {
  const size_t at = caption.find('&');
  if (at == std::string_view::npos || at + 1 >= caption.size()) return 0;
  const char c = caption[at + 1];
  return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

// What a frontend of that kind shows.
bool Shown(FormPlace place, FormPlace frontend) {
  return place == FormPlace::Both || place == frontend;
}

TEST(FormMenusTable, KeysAndNamesAreUniqueAndMnemonicsUniqueWithinEachMenuOfEachFrontend) {
  std::set<std::string_view> keys;
  std::set<std::string_view> names;
  for (const FormPlace frontend : {FormPlace::Window, FormPlace::Page}) {
    std::set<char> titles;
    for (const Menu& menu : MainMenus()) {
      if (!Shown(menu.place, frontend)) continue;
      const char title = Mnemonic(menu.caption);
      ASSERT_NE(title, 0) << menu.caption;
      EXPECT_TRUE(titles.insert(title).second) << "Alt+" << title << ": " << menu.caption;
      std::set<char> letters;
      for (const MenuItem& item : menu.items) {
        if (item.Separator() || !Shown(item.place, frontend)) continue;
        const char letter = Mnemonic(item.caption);
        if (letter != 0) {
          EXPECT_TRUE(letters.insert(letter).second) << item.caption << " in " << menu.caption;
        }
      }
    }
  }
  for (const Menu& menu : MainMenus()) {
    for (const MenuItem& item : menu.items) {
      if (item.Separator()) continue;
      EXPECT_TRUE(names.insert(item.name).second) << item.name;
      EXPECT_EQ(FindMenuItem(item.name), &item);
      EXPECT_LE(std::count(item.caption.begin(), item.caption.end(), '&'), 1) << item.caption;
      for (std::string_view key : item.keys) {
        if (!key.empty()) {
          EXPECT_TRUE(keys.insert(key).second) << key << " twice";
        }
      }
      // A check mark is the session's, and so is the command of an item that has one.
      if (item.checked != nullptr) {
        EXPECT_NE(item.run, nullptr) << item.name;
      }
    }
  }
  EXPECT_EQ(FindMenuItem(""), nullptr);
  EXPECT_EQ(FindMenuItem("MeGibtEsNicht"), nullptr);
  EXPECT_EQ(GermanKeyText("Ctrl+Shift+Z"), "Strg+Umschalt+Z");
  EXPECT_EQ(GermanKeyText("F2"), "F2");
}

// A session of its own for each case.
struct Bench {
  Bench() { session.FormCreate(); }
  bool Checked(std::string_view name) { return FindMenuItem(name)->checked(session); }
  void ClearRamAfterWriting() {
    session.memory.WriteRam(3, 7);
    RunMenuCommand(session, "MeClrRam");
  }

  FakeFrontend fe;
  Session session{fe};
  Machine& m = session.machine;
};

using Step = std::function<void(Bench&)>;

struct CommandCase {
  const char* name;
  Step before;
  Step after;
};

Step Toggles(const char* name, const std::shared_ptr<bool>& was) {
  return [name, was](Bench& b) { EXPECT_EQ(b.Checked(name), !*was) << name; };
}

// Each command of the table, run by its name, does what its caption says. A command added to
// the table without a case here fails the test.
TEST(FormMenusCommands, EveryCommandOfTheTableRunsAndDoesWhatItsCaptionSays) {
  const auto dialog = [](const char* pattern) {
    return [pattern](Bench& b) {
      ASSERT_EQ(b.fe.dialogs.size(), 1u);
      EXPECT_NE(b.fe.dialogs[0].filter.find(pattern), std::string::npos);
    };
  };
  const Step noOpen = [](Bench& b) { b.fe.ExpectOpenFile(std::nullopt); };
  const Step noSave = [](Bench& b) { b.fe.ExpectSaveFile(std::nullopt); };
  const Step printed = [](Bench& b) { EXPECT_EQ(b.fe.printed.size(), 1u); };
  auto was = std::make_shared<bool>();
  const auto remember = [was](const char* name) {
    return [name, was](Bench& b) { *was = b.Checked(name); };
  };
  const std::vector<CommandCase> cases = {
      {"MeLoadMps", noOpen, dialog("*.mpd")},
      {"MeSaveMps", noSave, dialog("*.mpd")},
      {"MeLoadRam", noOpen, dialog("*.ras")},
      {"MeSaveRam", noSave, dialog("*.ras")},
      {"MeAufgabe", noOpen, dialog("*.aufgabe")},
      {"MePruefen",
       [](Bench& b) { b.session.Task().ShowTask(ReadTask("a: => STOP=halt\n"), "a.aufgabe", ""); },
       [](Bench& b) { EXPECT_TRUE(b.session.Task().Checking()); }},
      {"MePrnMps", {}, printed},
      {"MePrnRam", {}, printed},
      {"MeClrReg", [](Bench& b) { b.m.Regs[AX] = 5; },
       [](Bench& b) { EXPECT_EQ(b.m.Regs[AX], 0); }},
      {"MeClrRam", [](Bench& b) { b.session.memory.WriteRam(3, 7); },
       [](Bench& b) { EXPECT_EQ(b.m.Ram[3], 0); }},
      // Undo and redo of the clearing before them.
      {"MeUndo", [](Bench& b) { b.ClearRamAfterWriting(); },
       [](Bench& b) { EXPECT_EQ(b.m.Ram[3], 7); }},
      {"MeRedo",
       [](Bench& b) {
         b.ClearRamAfterWriting();
         RunMenuCommand(b.session, "MeUndo");
       },
       [](Bench& b) { EXPECT_EQ(b.m.Ram[3], 0); }},
      {"MeClrMps", [](Bench& b) { b.session.mps.SetMpsGate(1, 0, true); },
       [](Bench& b) { EXPECT_EQ(b.session.mps.Row(0).GateMask(), 0); }},
      // One clock of AX := AX + 1, and back.
      {"MeStepBack",
       [](Bench& b) {
         for (int gate : {1, 7, 0}) b.session.mps.SetMpsGate(gate, 0, true);
         b.session.mps.SetNextAddressText(0, "00");
         b.session.run.SetGatesAutomatic(true);
         b.session.run.SetSliderPosition(5);
         b.session.run.SetClockMode(ClockMode::AluClock);
         b.session.run.ButtonClick(RunButton::BuTakt);
         for (int tick = 0; b.fe.timerEnabled && tick < 1000; ++tick) b.session.run.TimerTimer();
         ASSERT_EQ(b.m.Regs[AX], 1);
       },
       [](Bench& b) { EXPECT_EQ(b.m.Regs[AX], 0); }},
      // F8 on the MPS grid's current row; then all breakpoints gone.
      {"MeBreakpoint",
       [](Bench& b) {
         b.session.mpsGrid.current = {1, 0x5F};
       },
       [](Bench& b) {
         EXPECT_EQ(b.session.breakpoints.List(), std::vector<std::string>{"MPS 5E"});
       }},
      // The list, and "Ja" to clearing them all.
      {"MeBreakpointList",
       [](Bench& b) {
         b.session.breakpoints.SetMps(0x5E, true);
         b.session.breakpoints.SetRam(0x20, true);
         ASSERT_FALSE(b.session.breakpoints.SetConditions("AX=00"));
         b.fe.ExpectQuestion(
             "Haltepunkte und Bedingungen:\n  MPS 5E\n  RAM 20\n  Bedingung AX=00\n\n"
             "Alle löschen ?",
             true);
       },
       [](Bench& b) { EXPECT_TRUE(b.session.breakpoints.Empty()); }},
      {"MeConditions",
       [](Bench& b) { b.fe.ExpectText(std::string(Session::kConditionsPrompt), "AX=00"); },
       [](Bench& b) { EXPECT_EQ(b.session.breakpoints.ConditionsText(), "AX=00"); }},
      {"MeClearBreakpoints", [](Bench& b) { b.session.breakpoints.SetRam(0x20, true); },
       [](Bench& b) { EXPECT_TRUE(b.session.breakpoints.Empty()); }},
      {"MeVariablen", remember("MeVariablen"), Toggles("MeVariablen", was)},
      // The heat map beside the MPS grid, shown and hidden; the description column makes room.
      {"MeStatistik", remember("MeStatistik"),
       [was](Bench& b) {
         EXPECT_EQ(b.Checked("MeStatistik"), !*was);
         EXPECT_EQ(b.session.mpsEditing.SideWidth() > 0, !*was);
         EXPECT_EQ(b.session.mpsEditing.ColWidth(MpsStore::kDescriptionColumn),
                   b.session.mpsGrid.colWidths[MpsStore::kDescriptionColumn] -
                       (*was ? 0 : MpsGridEditing::kHeatWidth + 1));
       }},
      {"MeStatistikSumme",
       [](Bench& b) {
         b.fe.ExpectMessage("ALU-Takte: 0\nBefehle: 0\nTakte je Befehl: -\n", "Statistik");
       },
       [](Bench&) {}},
      {"MeStatistikReset", [](Bench& b) { b.session.breakpoints.Stats().clocks = 5; },
       [](Bench& b) { EXPECT_EQ(b.session.breakpoints.Stats().clocks, 0u); }},
      {"MeKonfl", remember("MeKonfl"), Toggles("MeKonfl", was)},
      {"MeTorKz", remember("MeTorKz"), Toggles("MeTorKz", was)},
      {"MeBus_8", remember("MeBus_8"), Toggles("MeBus_8", was)},
      {"MePfeil", remember("MePfeil"), Toggles("MePfeil", was)},
      {"MeTouch", remember("MeTouch"),
       [](Bench& b) {
         EXPECT_TRUE(b.Checked("MeTouch"));
         EXPECT_EQ(b.session.ramEditing.RowHeight(), kFingerSizes.gridRow);
       }},
  };
  std::set<std::string_view> covered;
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(c.name);
    Bench b;
    if (c.before) c.before(b);
    b.fe.ResetCollected();
    EXPECT_TRUE(RunMenuCommand(b.session, c.name));
    c.after(b);
    EXPECT_TRUE(b.fe.AllUsed());
    covered.insert(c.name);
  }
  for (const Menu& menu : MainMenus()) {
    for (const MenuItem& item : menu.items) {
      if (item.run != nullptr) {
        EXPECT_TRUE(covered.contains(item.name)) << item.name;
      }
    }
  }
}

class FormMenusTest : public SessionTest {};

// A greyed item runs nothing, whichever way it is reached.
TEST_F(FormMenusTest, AGreyedItemRunsNothing) {
  session.memory.WriteRam(3, 7);
  EXPECT_FALSE(RunMenuCommand(session, "MeUndo"));
  EXPECT_FALSE(RunMenuCommand(session, "MeStepBack"));
  EXPECT_EQ(m.Ram[3], 7);
  // The frontend's own items have no command in the session.
  EXPECT_FALSE(RunMenuCommand(session, "MeInfo"));
  EXPECT_FALSE(RunMenuCommand(session, "MeGibtEsNicht"));
}

// The page gets every item it shows, in order, with its caption and keys, and none of the
// window's own; and each frame their check marks and greyed state.
TEST_F(FormMenusTest, ThePageReceivesTheTablesItemsAndTheirStates) {
  const std::string form = WriteForm();
  size_t at = 0;
  for (const Menu& menu : MainMenus()) {
    const std::string title = "{\"caption\":\"" + std::string(menu.caption) + "\"";
    at = form.find(title, at);
    ASSERT_NE(at, std::string::npos) << menu.caption;
    for (const MenuItem& item : menu.items) {
      if (item.Separator()) continue;
      const std::string entry = "{\"name\":\"" + std::string(item.name) + "\",\"caption\":\"" +
                                std::string(item.caption) + "\",\"keys\":[";
      if (item.place == FormPlace::Window) {
        EXPECT_EQ(form.find(entry), std::string::npos) << item.name;
        continue;
      }
      at = form.find(entry, at);
      ASSERT_NE(at, std::string::npos) << item.name;
      for (std::string_view key : item.keys) {
        if (!key.empty()) {
          EXPECT_NE(form.find("\"" + std::string(key) + "\"", at), std::string::npos);
        }
      }
    }
  }
  EXPECT_NE(form.find("\"keyText\":\"Strg+Z\""), std::string::npos);
  EXPECT_NE(form.find("\"keyText\":\"Rücktaste\""), std::string::npos);

  const auto states = [this] {
    Json j;
    j.Open('{');
    WriteMenuStates(j, session);
    j.Close('}');
    return j.Take();
  };
  const std::string before = states();
  EXPECT_NE(before.find("\"MeVariablen\":[false,true]"), std::string::npos) << before;
  EXPECT_NE(before.find("\"MeUndo\":[false,false]"), std::string::npos) << before;
  session.memory.WriteRam(3, 7);
  RunMenuCommand(session, "MeClrRam");
  RunMenuCommand(session, "MeVariablen");
  const std::string after = states();
  EXPECT_NE(after.find("\"MeVariablen\":[true,true]"), std::string::npos) << after;
  EXPECT_NE(after.find("\"MeUndo\":[false,true]"), std::string::npos) << after;
}

// The page places the same controls as the window: run buttons, gates, groups and colours.
TEST(FormControlsJson, ThePageReceivesTheControlsPlacesCaptionsAndColours) {
  const std::string form = WriteForm();
  const auto has = [&form](const std::string& part) {
    EXPECT_NE(form.find(part), std::string::npos) << part;
  };
  for (const RunButtonLook& b : kRunButtons) {
    const FormRect r = b.Rect();
    has("{\"name\":\"" + std::string(b.name) + "\",\"caption\":\"" + std::string(b.caption) +
        "\",\"hint\":\"" + std::string(b.hint) + "\",\"place\":[" + std::to_string(r.x) + "," +
        std::to_string(r.y) + "," + std::to_string(r.width) + "," + std::to_string(r.height) +
        "]}");
  }
  const auto gates = [&has](std::string_view key, std::span<const GatePlace> places) {
    std::string list = "\"" + std::string(key) + "\":[";
    for (const GatePlace& p : places) {
      if (list.back() == ']') list += ',';
      list += "[" + std::to_string(p.gate) + "," + std::to_string(p.x) + "," + std::to_string(p.y) +
              "," + std::to_string(p.labelY) + "]";
    }
    has(list + "]");
  };
  gates("registerGates", kRegisterGates);
  gates("busGates", kBusGates);
  for (const ControlGroup* g :
       {&kGateControlGroup, &kSimulationGroup, &kRamViewGroup, &kHintGroup}) {
    has("{\"name\":\"" + std::string(g->name) + "\",\"caption\":\"" + std::string(g->caption) +
        "\",\"place\":[" + std::to_string(g->place.x) + "," + std::to_string(g->place.y));
    for (std::string_view item : g->items) {
      if (!item.empty()) has("\"" + std::string(item) + "\"");
    }
  }
  for (const FormLabel& l : kRegisterLabels) {
    has("[\"" + std::string(l.text) + "\"," + std::to_string(l.x) + "," + std::to_string(l.y) +
        "]");
  }
  for (const FormLabel& l : kBusLabels) {
    has("[\"" + std::string(l.text) + "\"," + std::to_string(l.x) + "," + std::to_string(l.y) +
        "]");
  }
  has("\"texts\":{\"processor\":\"Prozessor\",\"bus\":\"Bussystem\"");
  has("\"processor\":\"rgb(192,220,192)\"");
  has("\"ipBlue\":\"rgb(109,167,231)\"");
  has("\"registerHints\":[\"Akkumulator\",\"Hilfsregister\",\"Befehlszähler\"");
}

}  // namespace
}  // namespace vellar::testing
