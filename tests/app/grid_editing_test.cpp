#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/session.h"
#include "support/fake_frontend.h"
#include "support/test_paths.h"

// The three grids as a user works them, through the part that both frontends forward their
// events to: presses at a cell's pixels, the wheel, keys and focus changes, with a line edit
// played as the frontends play theirs. Each scenario checks the store and the memory.
namespace vellar::testing {
namespace {

const std::string kInvalid = "Eingabe ist ungültig\nEingabe wiederholen";

class Desk {
 public:
  explicit Desk(bool examples) {
    session.FormCreate();
    if (examples) {
      EXPECT_TRUE(session.files.LoadMpsFile(ExamplePath("firmware.mpd")));
      EXPECT_TRUE(session.files.LoadRamFile(ExamplePath("bubble.ras")));
    }
    // Client areas as the window's grids have them after its first layout.
    Shell(Control::MpsGrid).g.SetViewport(425, 252);
    Shell(Control::RamGrid).g.SetViewport(300, 400);
    Shell(Control::RamInspector).g.SetViewport(300, 62);
    for (Control c : {Control::MpsGrid, Control::RamGrid, Control::RamInspector}) Show(c);
  }

  // A line edit over the grid's cell as the frontends keep one: its text and selection are
  // its own, and the model's view is put into it as the window and the page do.
  struct LineEdit {
    explicit LineEdit(GridEditing& grid) : g(grid) {}
    GridEditing& g;
    bool shown = false;
    std::string text;
    int start = 0;
    int end = 0;
    unsigned stamp = 0;
  };

  LineEdit& Shell(Control c) {
    return c == Control::MpsGrid ? mps_ : c == Control::RamGrid ? ram_ : inspector_;
  }

  void Show(Control c) {
    LineEdit& e = Shell(c);
    const GridEditorView& v = e.g.Editor();
    e.shown = v.shown;
    if (!v.shown) return;
    const int length = static_cast<int>(v.text.size());
    if (e.text != v.text) {
      e.text = v.text;
      e.start = e.end = length;
    }
    if (v.selectStamp != e.stamp) {
      e.stamp = v.selectStamp;
      if (v.select == GridEditorView::Select::Drop) {
        e.start = e.end;
      } else {
        e.start = v.select == GridEditorView::Select::All ? 0 : length;
        e.end = length;
      }
    }
    if (v.deselected) e.start = e.end;
  }

  static bool IsGrid(Control c) {
    return c == Control::MpsGrid || c == Control::RamGrid || c == Control::RamInspector;
  }

  // The keyboard focus moves to another control; the grid it leaves hears of it.
  void FocusTo(Control c, bool byPress = false) {
    if (c == focus_) return;
    if (IsGrid(focus_)) {
      Shell(focus_).g.FocusOut();
      Show(focus_);
    }
    focus_ = c;
    fe.focus = c;
    if (IsGrid(c)) {
      Shell(c).g.FocusIn(byPress);
      Show(c);
    }
  }

  // A press at the middle of the cell as it stands in the client area now.
  bool Click(Control c, int col, int row, MouseButton button = MouseButton::Left) {
    const GridRect r = Shell(c).g.CellRect(col, row);
    EXPECT_FALSE(r.Empty()) << col << "," << row << " is out of sight";
    return ClickAt(c, r.x + r.width / 2, r.y + r.height / 2, button);
  }
  bool ClickAt(Control c, int x, int y, MouseButton button = MouseButton::Left) {
    FocusTo(c, true);
    GridEditing& g = Shell(c).g;
    const bool popup = g.Press(g.CellAt(x, y), button);
    Show(c);
    return popup;
  }
  void DoubleClick(Control c, int col, int row) {
    Click(c, col, row);
    const GridRect r = Shell(c).g.CellRect(col, row);
    GridEditing& g = Shell(c).g;
    g.DoubleClick(g.CellAt(r.x + 1, r.y + 1), MouseButton::Left);
    Show(c);
  }
  // A finger as the page forwards it: down at a cell's middle, moved by pixels, held, lifted;
  // the clock goes on by the milliseconds given. True when the popup menu is to open.
  bool Finger(Control c, int col, int row, std::initializer_list<std::array<int, 4>> steps) {
    const GridRect r = Shell(c).g.CellRect(col, row);
    EXPECT_FALSE(r.Empty()) << col << "," << row << " is out of sight";
    const int x = r.x + r.width / 2;
    const int y = r.y + r.height / 2;
    bool popup = Touch(c, TouchPhase::Down, x, y);
    // {phase, dx, dy, ms later}
    for (const auto& [phase, dx, dy, later] : steps) {
      clockMs_ += later;
      popup = Touch(c, static_cast<TouchPhase>(phase), x + dx, y + dy) || popup;
    }
    return popup;
  }
  bool Touch(Control c, TouchPhase phase, int x, int y) {
    GridEditing& g = Shell(c).g;
    const bool popup = g.Touch({phase, x, y, clockMs_});
    // The page gives its grid the focus once the model has entered it.
    if (g.Entered()) FocusTo(c, true);
    Show(c);
    return popup;
  }
  void Wait(int ms) { clockMs_ += ms; }

  // A click on the radio button "Manuell": the focus goes there.
  void ClickManual() {
    FocusTo(Control::GateControl);
    session.run.SetGatesAutomatic(false);
    ASSERT_FALSE(session.run.GatesAutomatic());
  }
  // The wheel over the grid until its first scrolling row is this one, three rows a step.
  void WheelTo(Control c, int topRow) {
    GridEditing& g = Shell(c).g;
    for (int i = 0; i < 200 && g.TopRow() != topRow; ++i) {
      g.Wheel(0, g.TopRow() < topRow ? 1 : -1);
      if (std::abs(g.TopRow() - topRow) < 3 && g.TopRow() != topRow) g.ScrollTo(topRow, 1);
    }
    Show(c);
    ASSERT_EQ(g.TopRow(), topRow);
  }

  void Key(GridKey key, bool ctrl = false, std::string text = {}) {
    GridKeyEvent event;
    event.key = key;
    event.ctrl = ctrl;
    event.text = std::move(text);
    ASSERT_TRUE(IsGrid(focus_));
    LineEdit& e = Shell(focus_);
    if (!e.shown) {
      const KeyVerdict verdict = e.g.GridKeyPress(event);
      Show(focus_);
      if (verdict != KeyVerdict::ToEditor) return;
      ASSERT_TRUE(e.shown);
    }
    const EditorCaret caret{e.start, e.end, static_cast<int>(e.text.size())};
    const KeyVerdict verdict = e.g.EditorKeyPress(event, caret);
    Show(focus_);
    if (verdict == KeyVerdict::NotTaken) Native(e, event);
  }
  void Type(const std::string& text) {
    for (char ch : text) Key(GridKey::Other, false, std::string(1, ch));
  }
  // What the line edit does itself with a key the model left to it.
  void Native(LineEdit& e, const GridKeyEvent& key) {
    const std::string before = e.text;
    if (!key.text.empty()) {
      e.text.replace(e.start, e.end - e.start, key.text);
      e.start = e.end = e.start + static_cast<int>(key.text.size());
    } else if (key.key == GridKey::Backspace) {
      if (e.start == e.end && e.start > 0) --e.start;
      e.text.erase(e.start, e.end - e.start);
      e.end = e.start;
    } else if (key.key == GridKey::Left || key.key == GridKey::Right) {
      e.start = e.end = key.key == GridKey::Left ? std::max(0, e.start - 1) : e.end + 1;
    }
    if (e.text != before) {
      e.g.EditorEdited(e.text);
      Show(focus_);
    }
  }

  const LineEdit& Editor(Control c) { return Shell(c); }
  std::string Selected(Control c) {
    const LineEdit& e = Shell(c);
    return e.text.substr(e.start, e.end - e.start);
  }

  FakeFrontend fe;
  Session session{fe};
  MpsStore& mps = session.mps;
  Machine& m = session.machine;

 private:
  LineEdit mps_{session.mpsEditing};
  LineEdit ram_{session.ramEditing};
  LineEdit inspector_{session.inspectorEditing};
  Control focus_ = Control::GateControl;
  int clockMs_ = 100000;
};

constexpr Control kMps = Control::MpsGrid;
constexpr Control kRam = Control::RamGrid;
constexpr Control kInspector = Control::RamInspector;

struct Scenario {
  const char* name;
  bool examples;  // firmware.mpd and bubble.ras loaded
  std::function<void(Desk&)> play;
};

void KeysByKeyInTheMps(Desk& d) {
  // At start the editor stands open over the first description; entering the grid ends it.
  EXPECT_TRUE(d.Editor(kMps).shown);
  EXPECT_EQ(d.session.mpsEditing.Editor().cell, (GridCell{1, 1}));
  d.Click(kMps, 18, 3);  // the next address of 02
  EXPECT_FALSE(d.Editor(kMps).shown);
  EXPECT_EQ(d.session.mpsGrid.current, (GridCell{18, 3}));
  d.fe.ExpectMessage(kInvalid);
  d.Type("1g");
  EXPECT_EQ(d.Editor(kMps).text, "1");
  EXPECT_EQ(d.session.mpsEditing.Editor().cell, (GridCell{18, 3}));
  d.Type("f");
  EXPECT_EQ(d.Editor(kMps).text, "1F");
  EXPECT_EQ(d.mps.NextAddressText(2), "1F");
  d.Key(GridKey::Escape);
  EXPECT_FALSE(d.Editor(kMps).shown);

  // Any key sets a gate and closes the editor; Delete clears it again.
  d.Key(GridKey::Left);
  EXPECT_EQ(d.session.mpsGrid.current, (GridCell{17, 3}));
  d.Type("x");
  EXPECT_TRUE(d.mps.GetMpsGate(0xF, 2));
  EXPECT_FALSE(d.Editor(kMps).shown);
  d.Key(GridKey::Delete);
  EXPECT_FALSE(d.mps.GetMpsGate(0xF, 2));

  // A description too long is cut with the length message.
  d.Key(GridKey::Home);
  EXPECT_EQ(d.session.mpsGrid.current, (GridCell{1, 3}));
  d.fe.ExpectMessage("Nur 25 Zeichen als Kommentar erlaubt");
  d.Type("abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(d.Editor(kMps).text, "abcdefghijklmnopqrstuvwxy");
  EXPECT_EQ(d.mps.Description(2), "abcdefghijklmnopqrstuvwxy");
}

void MouseOnTheMps(Desk& d) {
  d.Click(kMps, 2 + 5, 4);
  EXPECT_TRUE(d.mps.GetMpsGate(5, 3));
  d.Click(kMps, 2 + 5, 4, MouseButton::Right);
  EXPECT_FALSE(d.mps.GetMpsGate(5, 3));
  d.Click(kMps, 0, 5);
  EXPECT_EQ(d.session.phases.CurrentRow, 5);
  d.Click(kMps, 1, 0);  // the header "Befehl"
  EXPECT_EQ(d.session.phases.CurrentRow, 5);
  // A double click opens the description with the caret at its end; on a gate it toggles
  // the gate twice and opens nothing.
  d.mps.SetDescription(6, "alt");
  d.DoubleClick(kMps, 1, 7);
  EXPECT_TRUE(d.Editor(kMps).shown);
  EXPECT_EQ(d.Selected(kMps), "");
  d.Type("er");
  EXPECT_EQ(d.mps.Description(6), "alter");
  d.DoubleClick(kMps, 2 + 3, 7);
  EXPECT_FALSE(d.mps.GetMpsGate(3, 6));
  EXPECT_FALSE(d.Editor(kMps).shown);
}

void InstructionInTheBefehlColumn(Desk& d) {
  d.mps.SetDescription(0x10, "MOV AX,nn");
  d.session.ramView.SelectItem(RamView::kAssemblerItem);
  d.session.ramEditing.Refresh();
  d.Click(kRam, 3, 2);  // the line of 02
  d.Type("mov ax,3f");
  EXPECT_EQ(d.m.Ram[2], 0x10);
  EXPECT_EQ(d.m.Ram[3], 0x3F);
  EXPECT_EQ(d.Editor(kRam).text, "MOV AX,3F");
  EXPECT_EQ(d.Selected(kRam), "MOV AX,3F");
  EXPECT_EQ(d.session.ramEditing.Editor().cell, (GridCell{3, 2}));
  // Two digits in a byte cell become upper case and selected.
  d.Key(GridKey::Left);  // all of the text is selected: the key leaves the cell
  EXPECT_EQ(d.session.ramGrid.current, (GridCell{2, 2}));
  d.Type("c4");
  EXPECT_EQ(d.m.Ram[3], 0xC4);
  EXPECT_EQ(d.Selected(kRam), "C4");
}

void TheEditorShowsShiftedLines(Desk& d) {
  d.mps.SetDescription(0x10, "MOV AX,nn");
  d.session.ramView.SelectItem(RamView::kAssemblerItem);
  d.session.memory.WriteRam(0, 0x10);
  d.session.memory.WriteRam(1, 0x3F);
  d.session.ramEditing.Refresh();
  d.Click(kRam, 1, 1);
  EXPECT_TRUE(d.Editor(kRam).shown);
  EXPECT_EQ(d.Editor(kRam).text, "10");
  d.session.ramEditor.InsertRamLine();  // Ctrl+Insert
  d.session.ramEditing.Refresh();
  d.Show(kRam);
  EXPECT_EQ(d.m.Ram[0], 0x00);
  // The editor shows the emptied line, not the opcode that moved away.
  EXPECT_EQ(d.Editor(kRam).text, "00");
  EXPECT_EQ(d.m.Ram[2], 0x10);
}

void RightClickDefinesAVariable(Desk& d) {
  d.session.inspector.MeVariablenClick();
  const GridCell cursor = d.session.ramGrid.current;
  d.session.memory.WriteRam(0x23, 0x5A);
  EXPECT_TRUE(d.Click(kRam, 4, 3, MouseButton::Right));  // 23: the popup opens
  EXPECT_EQ(d.session.ramGrid.current, cursor);
  EXPECT_EQ(kRamPopup[0].caption, "als Variable definieren");
  (d.session.inspector.*kRamPopup[0].command)();
  ASSERT_EQ(d.session.variables.ColumnCount(), 1);
  EXPECT_EQ(d.session.variables.Column(1).address, "23");
  d.Click(kInspector, 1, 2);
  d.Type("7e");
  EXPECT_EQ(d.m.Ram[0x23], 0x7E);
  EXPECT_EQ(d.Selected(kInspector), "7E");
  // All three rows stay in sight: the inspector is exactly three cells high.
  EXPECT_EQ(d.session.inspectorEditing.TopRow(), 1);
  EXPECT_EQ(d.session.inspectorEditing.LastTopRow(), 1);
}

constexpr int kMove = static_cast<int>(TouchPhase::Move);
constexpr int kUp = static_cast<int>(TouchPhase::Up);
constexpr int kHold = static_cast<int>(TouchPhase::Hold);

void FingersOnTheGrids(Desk& d) {
  GridEditing& mps = d.session.mpsEditing;
  d.mps.SetDescription(2, "alt");
  // A swipe up that begins on a description scrolls six rows (a row is 21 pixels) and edits
  // nothing; a finger that wobbles less than the slop before it swipes changes nothing either.
  EXPECT_FALSE(d.Finger(kMps, 1, 3,
                        {{kMove, 0, -4, 30},
                         {kMove, 0, -60, 30},
                         {kMove, 0, -130, 30},
                         {kHold, 0, -130, 500},
                         {kUp, 0, -130, 10}}));
  EXPECT_EQ(mps.TopRow(), 7);
  EXPECT_FALSE(mps.Entered());
  EXPECT_NE(mps.Editor().cell, (GridCell{1, 3}));
  EXPECT_NE(d.session.mpsGrid.current, (GridCell{1, 3}));
  EXPECT_EQ(d.mps.Description(2), "alt");
  // And back down; further than the first row it does not go.
  d.Finger(kMps, 1, 8, {{kMove, 0, 400, 30}, {kUp, 0, 400, 30}});
  EXPECT_EQ(mps.TopRow(), 1);

  // A tap is a click: the gate toggles, as a second tap much later toggles it back.
  d.Wait(1000);
  d.Finger(kMps, 2 + 5, 4, {{kUp, 1, 2, 80}});
  EXPECT_TRUE(d.mps.GetMpsGate(5, 3));
  d.Wait(1000);
  d.Finger(kMps, 2 + 5, 4, {{kUp, 0, 0, 80}});
  EXPECT_FALSE(d.mps.GetMpsGate(5, 3));
  // A double tap opens a description with the caret at its end, as a double click does.
  d.Wait(1000);
  d.Finger(kMps, 1, 3, {{kUp, 0, 0, 80}});
  EXPECT_FALSE(d.Editor(kMps).shown);
  d.Finger(kMps, 1, 3, {{kUp, 0, 0, 80}});
  EXPECT_TRUE(d.Editor(kMps).shown);
  d.Type("er");
  EXPECT_EQ(d.mps.Description(2), "alter");
  // A tap on the current cell opens its editor too; a tap on the open editor is its own.
  d.Key(GridKey::Escape);
  d.Wait(1000);
  d.Finger(kMps, 1, 3, {{kUp, 0, 0, 80}});
  EXPECT_TRUE(d.Editor(kMps).shown);
  EXPECT_EQ(d.Selected(kMps), "");
  d.Wait(1000);
  d.Finger(kMps, 1, 3, {{kUp, 0, 0, 80}});
  EXPECT_TRUE(d.Editor(kMps).shown);
  EXPECT_EQ(d.mps.Description(2), "alter");

  // A finger held still on a RAM byte is the right button: the popup opens and the byte
  // becomes a variable; lifted later, or moved after, it does nothing more.
  d.session.inspector.MeVariablenClick();
  d.session.memory.WriteRam(0x23, 0x5A);
  const GridCell cursor = d.session.ramGrid.current;
  EXPECT_TRUE(d.Finger(kRam, 4, 3, {{kMove, 3, 3, 200}, {kHold, 3, 3, 300}}));
  EXPECT_FALSE(d.Finger(kRam, 4, 3, {{kMove, 40, 0, 10}, {kUp, 40, 0, 10}}));
  EXPECT_EQ(d.session.ramGrid.current, cursor);
  (d.session.inspector.*kRamPopup[0].command)();
  ASSERT_EQ(d.session.variables.ColumnCount(), 1);
  EXPECT_EQ(d.session.variables.Column(1).address, "23");
  // Held without the page's timer coming (a busy page): the lift still opens the popup. In the
  // inspector the right button opens none, and neither does the finger.
  EXPECT_TRUE(d.Finger(kRam, 4, 3, {{kUp, 0, 0, 700}}));
  EXPECT_FALSE(d.Finger(kInspector, 1, 1, {{kHold, 0, 0, 600}, {kUp, 0, 0, 10}}));
  // A hold that moved first, or came too soon, opens nothing.
  EXPECT_FALSE(d.Finger(kRam, 4, 3, {{kMove, 0, 15, 100}, {kHold, 0, 15, 500}, {kUp, 0, 15, 10}}));
  EXPECT_FALSE(d.Finger(kRam, 4, 3, {{kHold, 0, 0, 300}, {kUp, 0, 0, 10}}));
}

void DescriptionAfterAFocusChange(Desk& d) {
  d.Click(kMps, 1, 0x06);  // the description of 05
  d.ClickManual();
  d.WheelTo(kMps, 0x5B);   // rows 5A .. 65
  d.Click(kMps, 1, 0x60);  // the description of 5F
  EXPECT_TRUE(d.session.run.GatesAutomatic());
  EXPECT_EQ(d.session.mpsEditing.TopRow(), 0x5B) << "the grid jumped";
  EXPECT_EQ(d.session.mpsGrid.current, (GridCell{1, 0x60}));
  d.Type("XYZ");
  EXPECT_EQ(d.mps.Description(0x5F), "XYZ");
  EXPECT_EQ(d.mps.Description(0x04), "DR:=Operand");
  EXPECT_EQ(d.mps.Description(0x05), "IP := IP+1");
}

void GateAfterAFocusChange(Desk& d) {
  const uint16_t row06 = d.mps.GateMask(0x06);
  d.Click(kMps, 1, 0x06);
  d.ClickManual();
  d.WheelTo(kMps, 0x28);
  d.Click(kMps, 2 + 1, 0x2B);  // gate 1 of 2A
  EXPECT_EQ(d.session.mpsEditing.TopRow(), 0x28) << "the grid jumped";
  EXPECT_EQ(d.mps.GateMask(0x2A), 1u << 1);
  EXPECT_EQ(d.mps.GateMask(0x06), row06);
}

void InspectorCellsTakeTheirOwnTyping(Desk& d) {
  ASSERT_EQ(d.session.variables.ColumnCount(), 2);
  d.Click(kInspector, 2, 1);  // the second variable's name
  d.Type("X");
  d.Click(kInspector, 2, 2);  // its value
  d.Type("5");
  EXPECT_EQ(d.session.variables.Column(2).name, "X");
  EXPECT_EQ(d.m.Ram[0xE1], 0x05);
  // Enter ends the editing; the next cell starts from its own text.
  d.Key(GridKey::Return);
  d.Click(kInspector, 1, 2);
  d.Type("7");
  EXPECT_EQ(d.session.variables.Column(1).value, "7");
  EXPECT_EQ(d.m.Ram[0xE0], 0x07);
  EXPECT_EQ(d.m.Ram[0xE1], 0x05);
  EXPECT_EQ(d.session.variables.Column(1).name, "getauscht");
  EXPECT_EQ(d.session.variables.Column(2).name, "X");
}

void TypingGoesOnInTheCellItBeganIn(Desk& d) {
  // Scrolled out of sight and back by the next key: the text goes on, and the cell is shown.
  d.Click(kMps, 1, 0x06);
  d.Type("ab");
  d.WheelTo(kMps, 0x40);
  EXPECT_FALSE(d.Editor(kMps).shown);
  d.Type("c");
  EXPECT_EQ(d.mps.Description(0x05), "abc");
  EXPECT_FALSE(d.session.mpsEditing.CellRect(1, 0x06).Empty());
  // The scroll bar moves the cell away; the typing goes on all the same.
  d.session.mpsEditing.ScrollTo(0x20, 1);
  d.Show(kMps);
  EXPECT_TRUE(d.session.mpsEditing.CellRect(1, 0x06).Empty());
  d.Type("d");
  EXPECT_EQ(d.mps.Description(0x05), "abcd");
  // Esc ends the editing: the next key starts the cell anew. Tab leaves the grid.
  d.Key(GridKey::Escape);
  d.Type("e");
  EXPECT_EQ(d.mps.Description(0x05), "e");
  d.FocusTo(Control::Slider);  // where Tab takes the focus
  EXPECT_FALSE(d.session.mpsEditor.MpsGridFocused());
  EXPECT_EQ(d.mps.Description(0x05), "e");
  // Scrolled up, the cell leaves below the grid: the typing goes on there too, and brings it back.
  d.WheelTo(kMps, 0x40);
  d.Click(kMps, 1, 0x46);
  d.Type("x");
  d.WheelTo(kMps, 0x10);
  EXPECT_FALSE(d.Editor(kMps).shown);
  d.Type("y");
  EXPECT_EQ(d.mps.Description(0x45), "xy");
  const GridEditing& mps = d.session.mpsEditing;
  EXPECT_LT(0x46, mps.TopRow() + mps.VisibleRows());

  // The same in the assembler view, and a click on a header cell between two digits.
  ASSERT_TRUE(d.session.ramGrid.AssemblerView());
  d.Click(kRam, 1, 0x02);
  d.Type("1");
  d.WheelTo(kRam, 0x40);
  d.Type("2");
  EXPECT_EQ(d.m.Ram[0x02], 0x12);
  d.Click(kRam, 0, 0x03);
  d.Type("3");
  EXPECT_EQ(d.m.Ram[0x02], 0x23);
  EXPECT_EQ(d.session.ramGrid.current, (GridCell{1, 0x02}));
}

void AfterAMessageOrAnotherWindow(Desk& d) {
  // A message box had the focus last (the window's focus stays with the grid meanwhile).
  d.Click(kMps, 18, 0x06);
  d.fe.ExpectMessage(kInvalid);
  d.Type("g");
  d.ClickManual();
  d.WheelTo(kMps, 0x5B);
  d.Click(kMps, 1, 0x60);
  d.Type("AB");
  EXPECT_EQ(d.mps.Description(0x5F), "AB");
  EXPECT_EQ(d.session.mpsEditing.TopRow(), 0x5B);
  // The press arrives before the focus (a window not yet active): it enters all the same.
  d.ClickManual();
  d.WheelTo(kMps, 0x30);
  d.Click(kMps, 1, 0x33);
  EXPECT_TRUE(d.session.run.GatesAutomatic());
  EXPECT_EQ(d.session.mpsEditing.TopRow(), 0x30);
  d.Type("CD");
  EXPECT_EQ(d.mps.Description(0x32), "CD");
  EXPECT_EQ(d.mps.Description(0x05), "IP := IP+1");

  d.WheelTo(kRam, 0x50);
  d.Click(kRam, 3, 0x55);
  d.Type("mov ax,3f");
  EXPECT_EQ(d.m.Ram[0xA8], 0x10);
  EXPECT_EQ(d.m.Ram[0xA9], 0x3F);
  d.Click(kInspector, 2, 1);
  d.Type("X");
  EXPECT_EQ(d.session.variables.Column(2).name, "X");
  d.Click(kInspector, 2, 2);
  d.Type("5");
  EXPECT_EQ(d.m.Ram[0xE1], 0x05);
  d.WheelTo(kRam, 0x01);
  d.Click(kRam, 2, 0x10);
  d.Type("7");
  EXPECT_EQ(d.m.Ram[0x1F], 0x07);
}

void EnteringAndLeaving(Desk& d) {
  EXPECT_FALSE(d.session.run.GatesAutomatic());
  d.FocusTo(kMps);
  EXPECT_TRUE(d.session.run.GatesAutomatic());
  EXPECT_TRUE(d.session.mpsEditor.MpsGridFocused());
  EXPECT_FALSE(d.session.mpsEditing.Editor().shown) << "entering ends the editor shown at start";
  d.FocusTo(Control::RegisterField);
  EXPECT_FALSE(d.session.mpsEditor.MpsGridFocused());
  d.session.inspector.MeVariablenClick();
  for (Control c : {kRam, kInspector}) {
    d.FocusTo(c);
    EXPECT_TRUE(d.session.flags.GridEditing);
    EXPECT_TRUE(d.Editor(c).shown);
    d.FocusTo(Control::RegisterField);
    EXPECT_FALSE(d.session.flags.GridEditing);
    EXPECT_FALSE(d.Editor(c).shown);
  }
}

void APressBesideTheCellsEditsNothing(Desk& d) {
  // The data view ends with the line F0; the inspector with its last variable.
  d.Click(kRam, 2, 1);
  d.Type("1");
  EXPECT_EQ(d.m.Ram[0x01], 0x01);
  d.ClickAt(kRam, 60, 17 * GridEditing::kRowPitch + 5);
  EXPECT_FALSE(d.Editor(kRam).shown);
  d.Type("77");
  d.Key(GridKey::Backspace);
  for (int a = 0; a < 256; ++a) ASSERT_EQ(d.m.Ram[a], a == 1 ? 0x01 : 0x00) << a;
  // An arrow key chooses a cell again.
  d.Key(GridKey::Right);
  d.Type("22");
  EXPECT_EQ(d.m.Ram[0x02], 0x22);

  d.session.inspector.MeVariablenClick();
  d.Click(kRam, 4, 1, MouseButton::Right);
  d.session.inspector.alsVariabledefinieren1Click();
  d.Click(kInspector, 1, 1);
  d.Type("N");
  d.ClickAt(kInspector, 250, 30);
  d.Type("Q");
  EXPECT_EQ(d.session.variables.Column(1).name, "N");
  EXPECT_EQ(d.m.Ram[0x03], 0x00);
}

const std::vector<Scenario>& Scenarios() {
  static const std::vector<Scenario> scenarios = {
      {"KeysByKeyInTheMps", false, KeysByKeyInTheMps},
      {"MouseOnTheMps", false, MouseOnTheMps},
      {"InstructionInTheBefehlColumn", false, InstructionInTheBefehlColumn},
      {"TheEditorShowsShiftedLines", false, TheEditorShowsShiftedLines},
      {"RightClickDefinesAVariable", false, RightClickDefinesAVariable},
      {"DescriptionAfterAFocusChange", true, DescriptionAfterAFocusChange},
      {"GateAfterAFocusChange", true, GateAfterAFocusChange},
      {"InspectorCellsTakeTheirOwnTyping", true, InspectorCellsTakeTheirOwnTyping},
      {"TypingGoesOnInTheCellItBeganIn", true, TypingGoesOnInTheCellItBeganIn},
      {"AfterAMessageOrAnotherWindow", true, AfterAMessageOrAnotherWindow},
      {"EnteringAndLeaving", false, EnteringAndLeaving},
      {"APressBesideTheCellsEditsNothing", false, APressBesideTheCellsEditsNothing},
      {"FingersOnTheGrids", false, FingersOnTheGrids},
  };
  return scenarios;
}

class GridEditingTest : public ::testing::TestWithParam<size_t> {};

TEST_P(GridEditingTest, Scenario) {
  const Scenario& s = Scenarios()[GetParam()];
  Desk desk(s.examples);
  s.play(desk);
  EXPECT_TRUE(desk.fe.AllUsed());
}

INSTANTIATE_TEST_SUITE_P(Grids, GridEditingTest, ::testing::Range<size_t>(0, 13),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                           return std::string(Scenarios()[info.param].name);
                         });

// The MPS grid with the client area the window gives it.
class GridGeometryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session.FormCreate();
    g.SetViewport(425, 252);
  }
  FakeFrontend fe;
  Session session{fe};
  GridEditing& g = session.mpsEditing;
};

// Where the pixels fall: header, cells, grid lines and beyond the last cell.
TEST_F(GridGeometryTest, CellsUnderThePointerAndInSight) {
  EXPECT_EQ(g.VisibleRows(), 11);
  EXPECT_EQ(g.LastTopRow(), MpsStore::kGridRows - 11);
  EXPECT_EQ(g.CellAt(0, 0), (GridCell{0, 0}));
  EXPECT_EQ(g.CellAt(24, 21), (GridCell{0, 1}));  // the line right of the header column
  EXPECT_EQ(g.CellAt(25, 41), (GridCell{1, 1}));
  EXPECT_EQ(g.CellAt(25, 42), (GridCell{1, 2}));
  g.Wheel(0, 2);
  EXPECT_EQ(g.TopRow(), 7);
  EXPECT_EQ(g.CellAt(30, 21), (GridCell{1, 7}));
  EXPECT_TRUE(g.CellRect(1, 6).Empty());
  EXPECT_EQ(g.CellRect(1, 7), (GridRect{25, 21, 102, 20}));
  EXPECT_EQ(g.CellAt(403, 30), (GridCell{MpsStore::kNextColumn, 7}));
  g.Wheel(0, 1000);
  EXPECT_EQ(g.TopRow(), g.LastTopRow());
  EXPECT_EQ(g.CellAt(30, 251), (GridCell{1, MpsStore::kGridRows - 1}));
}

// Fingers: the grids' rows grow, and presses, the rows in view and a swipe go by the new pitch.
TEST_F(GridGeometryTest, FingerSizedRows) {
  g.Wheel(0, 2);
  session.touchLayout.Set(true);
  const int pitch = kFingerSizes.gridRow + 1;
  EXPECT_EQ(session.ramEditing.RowPitch(), pitch);
  EXPECT_EQ(session.inspectorEditing.RowPitch(), pitch);
  EXPECT_EQ(g.VisibleRows(), (252 - pitch + 1) / pitch);
  EXPECT_EQ(g.TopRow(), 7);
  EXPECT_EQ(g.CellAt(30, pitch - 1), (GridCell{1, 0}));
  EXPECT_EQ(g.CellAt(30, pitch), (GridCell{1, 7}));
  EXPECT_EQ(g.CellAt(30, 2 * pitch), (GridCell{1, 8}));
  EXPECT_EQ(g.CellRect(1, 8), (GridRect{25, 2 * pitch, 102, kFingerSizes.gridRow}));
  // Three rows' worth of finger moves three rows, not the mouse's rows.
  g.Touch({TouchPhase::Down, 30, 3 * pitch, 0});
  g.Touch({TouchPhase::Move, 30, 0, 50});
  g.Touch({TouchPhase::Up, 30, 0, 200});
  EXPECT_EQ(g.TopRow(), 10);
  EXPECT_EQ(fe.invalidated & kRedrawLayout, kRedrawLayout);
  session.touchLayout.MeTouchClick();
  EXPECT_EQ(g.RowPitch(), GridEditing::kRowPitch);
}

}  // namespace
}  // namespace vellar::testing
