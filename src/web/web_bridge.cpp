// The session in the browser: the page forwards each event by name to the handler the window
// calls for it, and asks for the view to draw. Every rule stays in the session.
#include <emscripten.h>

#include <array>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <unordered_map>

#include "app/form_json.h"
#include "app/form_menus.h"
#include "app/link_content.h"
#include "app/page_layout.h"
#include "app/session.h"
#include "app/shared_link.h"
#include "app/task_panel.h"
#include "core/file_io.h"
#include "web/view_writer.h"
#include "web/web_frontend.h"

namespace vellar::web {

namespace {

struct EventArgs {
  int a = 0;
  int b = 0;
  int c = 0;
  std::string_view text;
};

using Handler = std::function<int(Session&, const EventArgs&)>;

WebFrontend& Page() {
  static WebFrontend frontend;
  return frontend;
}

std::unique_ptr<Session>& TheSession() {
  static std::unique_ptr<Session> session;
  return session;
}

// A handler that reports nothing back.
template <class F>
Handler Do(F f) {
  return [f](Session& s, const EventArgs& e) {
    f(s, e);
    return 0;
  };
}

void RunButtonClick(Session& s, int which) {
  s.run.ButtonClick(static_cast<RunButton>(which));
}

MouseButton ButtonOf(int code) {
  return code == 2 ? MouseButton::Right : code == 1 ? MouseButton::Middle : MouseButton::Left;
}

const std::unordered_map<std::string_view, Handler>& Handlers() {
  static const std::unordered_map<std::string_view, Handler> handlers = {
      {"TorClick", Do([](Session& s, const EventArgs& e) { s.TorClick(e.a); })},
      {"EdRegChange",
       Do([](Session& s, const EventArgs& e) { s.registers.EdRegChange(e.a, e.text); })},
      {"EdRegExit", Do([](Session& s, const EventArgs& e) { s.registers.EdRegExit(e.a); })},
      // For scripts that write memory as the RAM grid does (web/tests/speed.mjs).
      {"GrRamSetEditText",
       Do([](Session& s, const EventArgs& e) { s.ramEditor.GrRamSetEditText(e.a, e.b, e.text); })},
      // An item of the RAM grid's popup menu, by its place.
      {"RamPopup", Do([](Session& s, const EventArgs& e) {
         if (e.a >= 0 && e.a < static_cast<int>(kRamPopup.size())) {
           (s.inspector.*kRamPopup[e.a].command)();
         }
       })},
      {"RunButton", Do([](Session& s, const EventArgs& e) { RunButtonClick(s, e.a); })},
      {"RaTor", Do([](Session& s, const EventArgs& e) { s.run.SetGatesAutomatic(e.a != 0); })},
      {"TrZeit", Do([](Session& s, const EventArgs& e) { s.run.SetSliderPosition(e.a); })},
      {"RaRam", Do([](Session& s, const EventArgs& e) { s.ramView.SelectItem(e.a); })},
      {"StartCommandLineRun", Do([](Session& s, const EventArgs&) { s.StartCommandLineRun(); })},
      // For measuring what keeping the past for "Schritt zurück" costs a run (web/tests/speed.mjs).
      {"KeepPast", Do([](Session& s, const EventArgs& e) { s.runHistory.SetKeeping(e.a != 0); })},
      {"TimerTimer", Do([](Session& s, const EventArgs&) { s.run.TimerTimer(); })},
      {"Key",
       [](Session& s, const EventArgs& e) {
         const KeyMessage message{e.a != 0, static_cast<KeyCode>(e.b), e.c & 0xF,
                                  (e.c & 0x100) != 0};
         return s.keys.OnAppMessage(message) ? 1 : 0;
       }},
      {"Focus", Do([](Session&, const EventArgs& e) {
         Page().SetFocusedControl(static_cast<Control>(e.a));
       })},
      // A menu item by its name, as the form's table gives the page; a greyed one does nothing.
      {"Menu",
       [](Session& s, const EventArgs& e) {
         if (FindMenuItem(e.text) == nullptr) return -1;
         RunMenuCommand(s, e.text);
         return 0;
       }},
      // At the start, when the browser says its pointer is a finger.
      {"SetTouchLayout", Do([](Session& s, const EventArgs& e) { s.touchLayout.Set(e.a != 0); })},
      // The page's layout: the description column takes the width the processor panel gains.
      {"SetDescriptionWidth", Do([](Session& s, const EventArgs& e) {
         s.mpsGrid.colWidths[MpsStore::kDescriptionColumn] = e.a;
         s.frontend.Invalidate(kRedrawMpsGrid);
       })},
      // Before the first layout the RAM grid is built in the assembler view, then in the
      // chosen one, as the window does it.
      {"CalcMinimalGridSize", Do([](Session& s, const EventArgs&) {
         const bool assembler = s.ramGrid.AssemblerView();
         s.ramGrid.ShowRamAssembler(s.machine.Ram);
         if (!assembler) s.ramGrid.ShowRamData(s.machine.Ram);
         s.frontend.Invalidate(kRedrawRamGrid);
       })},
      // The built-in examples: the load commands for a file the page names.
      {"LoadMpsExample",
       Do([](Session& s, const EventArgs& e) { s.files.OpenMpsFile(std::string(e.text)); })},
      {"LoadRamExample",
       Do([](Session& s, const EventArgs& e) { s.files.OpenRamFile(std::string(e.text)); })},
      // A link's content, as the page read it from its address into a file (empty when the
      // address held no content the page could read).
      {"OpenLink", Do([](Session& s, const EventArgs& e) {
         std::string content;
         if (!ReadWholeFile(std::string(e.text), content).ok()) content.clear();
         OpenLinkContent(s, content, DirectoryOf(e.text));
       })},
      // The fragment of a link to what the page holds, in the form a names (0 text, 1 digits),
      // into the file named; 1 when written.
      {"MakeLink",
       [](Session& s, const EventArgs& e) {
         const std::optional<std::string> content = CurrentLinkContent(s);
         if (!content) return 0;
         const LinkForm form = e.a == 1 ? LinkForm::Digits : LinkForm::Text;
         return WriteFileReplacing(std::string(e.text), LinkFragment(*content, form)).ok() ? 1 : 0;
       }},
      // The compressed content of the fragment in the file named, into that file; 1 when the
      // fragment is of a form the page reads.
      {"LinkCompressed",
       [](Session&, const EventArgs& e) {
         const std::string path(e.text);
         std::string fragment;
         if (!ReadWholeFile(path, fragment).ok()) return 0;
         const std::optional<std::string> compressed = CompressedOfFragment(fragment);
         return compressed && WriteFileReplacing(path, *compressed).ok() ? 1 : 0;
       }},
      // The page's example task: its command for a file the page names.
      {"OpenTask", Do([](Session& s, const EventArgs& e) { s.Task().OpenTaskFile(std::string(e.text)); })},
      // The task panel's close box.
      {"TaskClose", Do([](Session& s, const EventArgs&) { s.Task().Close(); })},
      {"LinkNotCopied",
       Do([](Session& s, const EventArgs&) { s.frontend.ShowMessage(kLinkNotCopiedMessage, ""); })},
  };
  return handlers;
}

vellar::GridEditing& GridOf(Session& s, int grid) {
  if (grid == 1) return s.ramEditing;
  if (grid == 2) return s.inspectorEditing;
  return s.mpsEditing;
}

GridKeyEvent KeyOf(int code, std::string_view text) {
  GridKeyEvent key;
  key.key = static_cast<GridKey>(code & 0xFF);
  key.shift = (code & 0x100) != 0;
  key.ctrl = (code & 0x200) != 0;
  key.alt = (code & 0x400) != 0;
  key.meta = (code & 0x800) != 0;
  key.text = text;
  return key;
}

}  // namespace

int GridEvent(Session& s, int grid, std::string_view event, std::array<int, 4> n,
              std::string_view text) {
  GridEditing& g = GridOf(s, grid);
  if (event == "viewport") {
    g.SetViewport(n[0], n[1]);
  } else if (event == "scroll") {
    g.ScrollTo(n[0], n[1]);
  } else if (event == "wheel") {
    g.Wheel(n[0], n[1]);
  } else if (event == "press" || event == "double") {
    // A press in the margin of breakpoints sets or clears one and is no press on a cell.
    if (g.MarginPress(n[0], n[1], ButtonOf(n[2]))) return 0;
    const GridCell cell = g.CellAt(n[0], n[1]);
    const MouseButton button = ButtonOf(n[2]);
    return (event == "press" ? g.Press(cell, button) : g.DoubleClick(cell, button)) ? 1 : 0;
  } else if (event == "touch") {
    // Down answers how long the page waits before it tells of a finger still held.
    const auto phase = static_cast<TouchPhase>(n[0]);
    const bool popup = g.Touch({phase, n[1], n[2], n[3]});
    if (phase == TouchPhase::Down) return TouchGesture::kLongPressMs;
    return popup ? 1 : 0;
  } else if (event == "key") {
    return static_cast<int>(g.GridKeyPress(KeyOf(n[0], text)));
  } else if (event == "editorKey") {
    return static_cast<int>(g.EditorKeyPress(KeyOf(n[0], text), {n[1], n[2], n[3]}));
  } else if (event == "edited") {
    g.EditorEdited(text);
  } else if (event == "focusIn") {
    g.FocusIn(n[0] != 0);
  } else if (event == "focusOut") {
    g.FocusOut();
  } else if (event == "refresh") {
    g.Refresh();
  } else {
    return -1;
  }
  return 0;
}

namespace {

std::string& ViewText() {
  static std::string text;
  return text;
}

}  // namespace

}  // namespace vellar::web

using vellar::web::Page;
using vellar::web::TheSession;
using vellar::web::ViewText;

extern "C" {

// Builds the session as the window's creation does, with the page's arguments (one per line).
EMSCRIPTEN_KEEPALIVE void vellar_start(const char* argLines) {
  std::vector<std::string> args;
  std::string_view rest(argLines);
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    args.emplace_back(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  auto& session = TheSession();
  session = std::make_unique<vellar::Session>(Page());
  session->deferCommandLineStart = true;
  session->FormCreate(args);
}

// Runs the handler of an event; -1 for an unknown event. A command that asks the user has
// returned with its question pending (vellar_asking) and goes on with vellar_answer.
EMSCRIPTEN_KEEPALIVE int vellar_event(const char* name, int a, int b, int c, const char* text) {
  const auto& handlers = vellar::web::Handlers();
  const auto it = handlers.find(name);
  if (it == handlers.end() || !TheSession()) return -1;
  return it->second(*TheSession(), {a, b, c, text});
}

// One slice of an unpaced run, at most this many ticks; 1 while the run wants more slices.
EMSCRIPTEN_KEEPALIVE int vellar_advance(int ticks) {
  return TheSession() && TheSession()->run.Advance(ticks) ? 1 : 0;
}

// Whether a command waits for the page's answer (a question, a file picker).
EMSCRIPTEN_KEEPALIVE int vellar_asking() {
  return TheSession() && TheSession()->asking.Waiting() ? 1 : 0;
}

// The page's answer to the pending question: 0 Ja, 1 Nein, 2 Abbrechen, and the picked file or
// the error of carrying a saved file (null for none). The command goes on; 0 when none waited.
EMSCRIPTEN_KEEPALIVE int vellar_answer(int answer, const char* text) {
  if (!TheSession() || answer < 0 || answer > 2) return 0;
  vellar::Reply reply{static_cast<vellar::Answer>(answer), std::nullopt};
  if (text != nullptr) reply.text = text;
  return TheSession()->asking.Respond(std::move(reply)) ? 1 : 0;
}

// What is to be drawn anew since the page last asked: the bits of vellar::Redraw.
EMSCRIPTEN_KEEPALIVE unsigned vellar_take_redraw() {
  return Page().TakeRedraw();
}

// The bit with which the model asks for a new layout; the page lays out only then.
EMSCRIPTEN_KEEPALIVE unsigned vellar_redraw_layout_bit() {
  return vellar::kRedrawLayout;
}

// The bit with which the model asks for the task panel to be drawn anew.
EMSCRIPTEN_KEEPALIVE unsigned vellar_redraw_task_bit() {
  return vellar::kRedrawTask;
}

// The task panel as JSON (TaskPanel::ViewJson).
EMSCRIPTEN_KEEPALIVE const char* vellar_task_panel() {
  ViewText() = TheSession()->Task().ViewJson();
  return ViewText().c_str();
}

// Whether the task's check has cases to run: the page gives it slices then.
EMSCRIPTEN_KEEPALIVE int vellar_task_checking() {
  return TheSession() && TheSession()->Task().Checking() ? 1 : 0;
}

// One slice of the task's check, at most this many ticks; 1 while cases remain.
EMSCRIPTEN_KEEPALIVE int vellar_task_advance(int ticks) {
  return TheSession() && TheSession()->Task().Advance(ticks) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* vellar_view() {
  ViewText() = vellar::web::WriteView(*TheSession());
  return ViewText().c_str();
}

// A raw event of a grid (0 MPS, 1 RAM, 2 variable inspector), handed to its editing as the
// window's grids hand theirs. Presses give 1 when the popup menu is to open; keys give the
// verdict (0 taken, 1 to the editor, 2 not taken); -1 for an unknown event.
EMSCRIPTEN_KEEPALIVE int vellar_grid(int grid, const char* event, int a, int b, int c, int d,
                                     const char* text) {
  if (!TheSession()) return -1;
  return vellar::web::GridEvent(*TheSession(), grid, event, {a, b, c, d}, text);
}

// The form: menus and their items as both frontends show them; asked for once at the start.
EMSCRIPTEN_KEEPALIVE const char* vellar_form() {
  ViewText() = vellar::WriteForm();
  return ViewText().c_str();
}

// FormResize for the page: what it measured, as numbers separated by blanks (the width and
// height of the browser's area for the form, RAM columns, bus width and height, MPS grid top,
// register panel height, inspector shown, its columns, scroll bar extent, picture width and
// height); the form's size and where its panels and strip's controls go, as JSON.
EMSCRIPTEN_KEEPALIVE const char* vellar_layout(const char* numbers) {
  if (!TheSession()) return "{}";
  vellar::PageMeasures m;
  vellar::LayoutMeasures& panels = m.panels;
  int shown = 0;
  std::istringstream in(numbers);
  in >> m.stageWidth >> m.stageHeight >> panels.ramColumns >> panels.busWidth >> panels.busHeight >>
      panels.mpsGridTop >> panels.registerHeight >> shown >> panels.inspectorColumns >>
      panels.scrollBarExtent >> m.pictureWidth >> m.pictureHeight;
  panels.inspectorShown = shown != 0;
  const vellar::PageLayout layout = vellar::PlacePage(m, TheSession()->touchLayout.Sizes());
  ViewText() = vellar::WritePageLayout(layout);
  return ViewText().c_str();
}

// The picture's lines for the places of the controls, given as numbers separated by blanks:
// x, y, width and height of edAX, edBX, edIP, edOP, paSignF, paSubtr, paPlus1, paALU, edDR,
// edAR, tor9, torA, torB and torC, then processorWidth, busWidth and dy.
EMSCRIPTEN_KEEPALIVE const char* vellar_picture_geometry(const char* numbers) {
  vellar::DiagramControls c;
  vellar::PathRect* const rects[] = {&c.edAX,    &c.edBX,    &c.edIP,  &c.edOP, &c.paSignF,
                                     &c.paSubtr, &c.paPlus1, &c.paALU, &c.edDR, &c.edAR,
                                     &c.tor9,    &c.torA,    &c.torB,  &c.torC};
  std::istringstream in(numbers);
  for (vellar::PathRect* r : rects) in >> r->x >> r->y >> r->width >> r->height;
  in >> c.processorWidth >> c.busWidth >> c.dy;
  ViewText() = vellar::web::WritePictureGeometry(vellar::ComputeGeometry(c));
  return ViewText().c_str();
}

// The listings as the files hold them, for the page's own checks and for scripts.
EMSCRIPTEN_KEEPALIVE const char* vellar_file_names() {
  ViewText() = TheSession()->files.MpsFileName() + "\n" + TheSession()->files.RamFileName();
  return ViewText().c_str();
}

// A byte of the memory and the gates of an MPS row, for scripts.
EMSCRIPTEN_KEEPALIVE int vellar_ram(int address) {
  return TheSession()->machine.Ram[address & 0xFF];
}

EMSCRIPTEN_KEEPALIVE int vellar_mps_gates(int address) {
  return TheSession()->mps.Row(address).GateMask();
}

// ALU clocks of the current or last run, for the page's speed figure.
EMSCRIPTEN_KEEPALIVE double vellar_clocks() {
  return static_cast<double>(TheSession()->run.ClocksThisRun());
}

// A register's value; -1 for a number that names none.
EMSCRIPTEN_KEEPALIVE int vellar_reg(int reg) {
  if (reg < 0 || reg >= vellar::kRegCount) return -1;
  return TheSession()->machine.Regs[reg];
}

// Whether the micro-program or the memory differs from what was last loaded or saved, as closing
// the window asks about it: the page asks before the tab closes.
EMSCRIPTEN_KEEPALIVE int vellar_unsaved() {
  return TheSession()->files.HasUnsavedWork() ? 1 : 0;
}

}  // extern "C"
