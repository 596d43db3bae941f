#include "web/view_writer.h"

#include <algorithm>
#include "app/form_json.h"
#include "app/json_writer.h"
#include "app/path_values.h"

namespace vellar::web {

namespace {

void WriteCell(Json& j, const CellLook& look) {
  j.Open('[').Str(look.text).Int(look.align == CellAlign::Left ? 1 : 0);
  j.Colour(look.fill).Colour(look.textColour).Close(']');
}

// What the user is doing to the grid, as its editing leaves it: rows and columns in view,
// the current cell and the in-place editor.
void WriteEditing(Json& j, const GridEditing& g) {
  j.Key("topRow").Int(g.TopRow()).Key("leftCol").Int(g.LeftCol());
  j.Key("lastTopRow").Int(g.LastTopRow()).Key("lastLeftCol").Int(g.LastLeftCol());
  j.Key("visibleRows").Int(g.VisibleRows()).Key("entered").Bool(g.Entered());
  j.Key("rowHeight").Int(g.RowHeight());
  j.Key("current").Open('[').Int(g.Current().col).Int(g.Current().row).Close(']');
  j.Key("hasSelection").Bool(g.ShowsSelection());
  const GridEditorView& e = g.Editor();
  const GridRect r = g.CellRect(e.cell.col, e.cell.row);
  j.Key("editor").Open('{').Key("shown").Bool(e.shown && !r.Empty());
  j.Key("rect").Open('[').Int(r.x).Int(r.y).Int(r.width).Int(r.height).Close(']');
  j.Key("text").Str(e.text).Key("left").Bool(e.leftAligned).Key("manual").Bool(e.manualColour);
  j.Key("deselected").Bool(e.deselected);
  j.Key("select").Int(static_cast<int>(e.select)).Key("stamp").Int(e.selectStamp);
  j.Close('}');
}

// The header row and the rows in view, a partly visible last one included.
template <class LookOf>
void WriteRows(Json& j, const GridEditing& g, LookOf look) {
  const int cols = g.ColCount();
  const int rows = g.RowCount();
  const int top = g.TopRow();
  const int count = g.VisibleRows() + 1;
  j.Key("widths").Open('[');
  for (int c = 0; c < cols; ++c) j.Int(g.ColWidth(c));
  j.Close(']').Key("rows").Int(rows);
  j.Key("cells").Open('[');
  // The header row always, then the visible rows.
  auto row = [&](int r) {
    j.Open('[');
    for (int c = 0; c < cols; ++c) WriteCell(j, look(c, r));
    j.Close(']');
  };
  row(0);
  for (int r = std::max(1, top); r < std::min(rows, top + count); ++r) row(r);
  j.Close(']');
}

void WriteMachine(Json& j, const Session& s) {
  j.Key("regs").Open('[');
  for (int r = 0; r < kRegCount; ++r) j.Str(s.registers.Text(r));
  j.Close(']');
  j.Key("sign").Str(s.registers.SignText());
  j.Key("plusBar").Bool(s.gates.PlusBarVisible());
  j.Key("gates").Open('[');
  for (int g = 0; g < kGateCount; ++g) {
    j.Open('[').Int(static_cast<int>(s.gates.ButtonPicture(g)));
    j.Bool(s.gates.Button(g).enabled).Str(s.gates.Hint(g)).Close(']');
  }
  j.Close(']');
}

void WriteControls(Json& j, Session& s) {
  j.Key("automatic").Bool(s.run.GatesAutomatic());
  j.Key("buttons").Open('[');
  for (int b = 0; b < kRunButtonCount; ++b) j.Bool(s.run.ButtonVisible(static_cast<RunButton>(b)));
  j.Close(']');
  j.Key("slider").Int(s.run.SliderPosition()).Key("label").Str(s.run.LabelText());
  j.Key("running").Bool(s.run.TimerEnabled());
  j.Key("ramItem").Int(s.ramView.RaRamItem());
  WriteMenuStates(j, s);
  const FormSizes& f = s.touchLayout.Sizes();
  j.Key("sizes").Open('{').Key("touch").Bool(s.touchLayout.On()).Key("gridRow").Int(f.gridRow);
  // The places these sizes give come with the layout.
  j.Key("gridFont").Int(f.gridFont).Key("gate").Int(f.gateTarget);
  j.Key("choice").Int(f.choice).Close('}');
}

void WritePicture(Json& j, const Session& s) {
  j.Key("picture").Open('{').Key("lines").Int(s.picture.BusLines());
  j.Key("arrows").Bool(!s.menu.MePfeil).Key("draws").Open('[');
  // Each draw with the value of each of its buses.
  for (int i = 0; i < s.picture.DrawCount(); ++i) {
    const PathDraw& d = s.picture.Draw(i);
    const GatePath& path = GatePathOf(d.gate);
    j.Open('[').Int(d.gate).Bool(d.active);
    for (int b = 0; b < path.count; ++b) j.Int(PathValue(path.buses[b].source, d.regs, d.sign));
    j.Close(']');
  }
  j.Close(']').Close('}');
}

void WriteLine(Json& j, const PathRoute& line) {
  j.Open('[');
  for (int p = 0; p < line.count; ++p)
    j.Open('[').Int(line.points[p].x).Int(line.points[p].y).Close(']');
  j.Close(']');
}

// The lines of a bus drawn with that many lines, bit 0 first.
void WriteBusLines(Json& j, const PathRoute& route, int lines) {
  j.Open('[');
  if (route.count >= 2) {
    for (int k = 0; k < lines; ++k) WriteLine(j, BusLine(route, lines, k));
  }
  j.Close(']');
}

void WriteMpsGrid(Json& j, const Session& s) {
  j.Key("mps").Open('{');
  WriteEditing(j, s.mpsEditing);
  WriteRows(j, s.mpsEditing, [&](int c, int r) { return s.mpsEditor.GrMpsDrawCell(c, r); });
  j.Close('}');
}

void WriteRamGrid(Json& j, const Session& s) {
  j.Key("ram").Open('{').Key("assembler").Bool(s.ramGrid.AssemblerView());
  j.Key("defaultWidth").Int(s.ramGrid.DefaultColWidth());
  WriteEditing(j, s.ramEditing);
  WriteRows(j, s.ramEditing, [&](int c, int r) { return s.ramEditor.GrRamDrawCell(c, r); });
  j.Close('}');
}

void WriteInspector(Json& j, const Session& s) {
  j.Key("inspector").Open('{').Key("shown").Bool(s.menu.MeVariablen);
  WriteEditing(j, s.inspectorEditing);
  WriteRows(j, s.inspectorEditing, [&](int c, int r) {
    return CellLook{s.inspector.CellText(c, r), CellAlign::Left, {}, {}};
  });
  j.Close('}');
}

// PopupMenu1 of the RAM grid: its name, and its items' names and captions.
void WritePopup(Json& j) {
  j.Key("popup").Open('{').Key("name").Str(kRamPopupName).Key("items").Open('[');
  for (const PopupItem& item : kRamPopup) j.Open('[').Str(item.name).Str(item.caption).Close(']');
  j.Close(']').Close('}');
}

}  // namespace

std::string WritePictureGeometry(const DiagramGeometry& geometry) {
  Json j;
  j.Open('{').Key("gates").Open('[');
  for (int gate = 0; gate < kGateCount; ++gate) {
    const GatePath& path = GatePathOf(gate);
    const std::array<PathRoute, 2> routes = GateRoutes(geometry, gate);
    j.Open('[');
    for (int b = 0; b < path.count; ++b) {
      const PathBus& bus = path.buses[b];
      j.Open('{').Key("register").Bool(bus.picture == PathPicture::Register);
      j.Key("eight");
      WriteBusLines(j, routes[b], PathLines(bus, 8));
      j.Key("one");
      WriteBusLines(j, routes[b], PathLines(bus, 1));
      j.Close('}');
    }
    j.Close(']');
  }
  j.Close(']').Key("arrows").Open('[');
  for (const auto& stroke : ArrowStrokes(geometry)) {
    j.Open('[');
    for (const PathPoint& p : stroke) j.Open('[').Int(p.x).Int(p.y).Close(']');
    j.Close(']');
  }
  j.Close(']').Close('}');
  return j.Take();
}

std::string WriteView(Session& session) {
  Json j;
  j.Open('{');
  WriteMachine(j, session);
  WriteControls(j, session);
  WritePicture(j, session);
  WriteMpsGrid(j, session);
  WriteRamGrid(j, session);
  WriteInspector(j, session);
  WritePopup(j);
  j.Close('}');
  return j.Take();
}

}  // namespace vellar::web
