// The session in the browser: the page forwards each event by name to the handler the window
// calls for it, and asks for the view to draw. Every rule stays in the session.
#include <emscripten.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <unordered_map>

#include "app/session.h"
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
      {"GrMpsSetEditText",
       Do([](Session& s, const EventArgs& e) { s.mpsEditor.GrMpsSetEditText(e.a, e.b, e.text); })},
      {"GrMpsSelectCell",
       Do([](Session& s, const EventArgs& e) { s.mpsEditor.GrMpsSelectCell(e.a, e.b); })},
      {"GrMpsMouseDown",
       Do([](Session& s, const EventArgs& e) { s.mpsEditor.GrMpsMouseDown(e.a, e.b); })},
      {"GrMpsKeyDownDelete",
       Do([](Session& s, const EventArgs&) { s.mpsEditor.GrMpsKeyDown(KeyCode::Delete); })},
      {"GrMpsEnter", Do([](Session& s, const EventArgs&) { s.mpsEditor.GrMpsEnter(); })},
      {"GrMpsExit", Do([](Session& s, const EventArgs&) { s.mpsEditor.GrMpsExit(); })},
      {"GrRamSetEditText",
       Do([](Session& s, const EventArgs& e) { s.ramEditor.GrRamSetEditText(e.a, e.b, e.text); })},
      {"GrRamSelectCell",
       Do([](Session& s, const EventArgs& e) { s.ramEditor.GrRamSelectCell(e.a, e.b); })},
      {"GrRamMouseDown",
       [](Session& s, const EventArgs& e) {
         return s.inspector.GrRamMouseDown(e.a, e.b, ButtonOf(e.c)) ? 1 : 0;
       }},
      {"GrRamEnter", Do([](Session& s, const EventArgs&) { s.ramEditor.GrRamEnter(); })},
      {"GrRamExit", Do([](Session& s, const EventArgs&) { s.ramEditor.GrRamExit(); })},
      {"alsVariabledefinieren1Click",
       Do([](Session& s, const EventArgs&) { s.inspector.alsVariabledefinieren1Click(); })},
      {"Variablendefinitionzurcknehmen1Click", Do([](Session& s, const EventArgs&) {
         s.inspector.Variablendefinitionzurcknehmen1Click();
       })},
      {"RamInspectorSetEditText", Do([](Session& s, const EventArgs& e) {
         s.inspector.RamInspectorSetEditText(e.a, e.b, e.text);
       })},
      {"RamInspectorEnter",
       Do([](Session& s, const EventArgs&) { s.inspector.RamInspectorEnter(); })},
      {"RamInspectorExit",
       Do([](Session& s, const EventArgs&) { s.inspector.RamInspectorExit(); })},
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
      {"MeLoadMpsClick", Do([](Session& s, const EventArgs&) { s.files.MeLoadMpsClick(); })},
      {"MeSaveMpsClick", Do([](Session& s, const EventArgs&) { s.files.MeSaveMpsClick(); })},
      {"MePrnMpsClick", Do([](Session& s, const EventArgs&) {
         s.frontend.PrintListing(s.files.BuildMpdText(), s.files.MpsFileName());
       })},
      {"MeLoadRamClick", Do([](Session& s, const EventArgs&) { s.files.MeLoadRamClick(); })},
      {"MeSaveRamClick", Do([](Session& s, const EventArgs&) { s.files.MeSaveRamClick(); })},
      {"MePrnRamClick", Do([](Session& s, const EventArgs&) {
         s.frontend.PrintListing(s.files.RamListing(s.ramGrid.AssemblerView()),
                                 s.files.RamFileName());
       })},
      {"MeUndoClick", Do([](Session& s, const EventArgs&) { s.history.Undo(); })},
      {"MeRedoClick", Do([](Session& s, const EventArgs&) { s.history.Redo(); })},
      {"MeStepBackClick", Do([](Session& s, const EventArgs&) { s.stepBack.StepBackClick(); })},
      {"MeClrRegClick", Do([](Session& s, const EventArgs&) { s.run.MeClrRegClick(); })},
      {"MeClrRamClick", Do([](Session& s, const EventArgs&) { s.files.MeClrRamClick(); })},
      {"MeClrMpsClick", Do([](Session& s, const EventArgs&) { s.mpsEditor.MeClrMpsClick(); })},
      {"MeVariablenClick",
       Do([](Session& s, const EventArgs&) { s.inspector.MeVariablenClick(); })},
      {"MeKonflClick", Do([](Session& s, const EventArgs&) { s.MeKonflClick(); })},
      {"MeTorKzClick", Do([](Session& s, const EventArgs&) { s.MeTorKzClick(); })},
      {"MeBus_8Click", Do([](Session& s, const EventArgs&) { s.MeBus_8Click(); })},
      {"MePfeilClick", Do([](Session& s, const EventArgs&) { s.MePfeilClick(); })},
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
  };
  return handlers;
}

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
  Page().Enter();
  session->FormCreate(args);
  Page().Leave();
}

// Runs the handler of an event; -1 for an unknown event. A handler that waits for the page
// returns at once and finishes later.
EMSCRIPTEN_KEEPALIVE int vellar_event(const char* name, int a, int b, int c, const char* text) {
  const auto& handlers = vellar::web::Handlers();
  const auto it = handlers.find(name);
  if (it == handlers.end() || !TheSession()) return -1;
  Page().Enter();
  const int result = it->second(*TheSession(), {a, b, c, text});
  Page().Leave();
  return result;
}

// One slice of an unpaced run, at most this many ticks; 1 while the run wants more slices.
EMSCRIPTEN_KEEPALIVE int vellar_advance(int ticks) {
  return TheSession() && TheSession()->run.Advance(ticks) ? 1 : 0;
}

// Whether a handler is waiting for the page (a question, a file picker).
EMSCRIPTEN_KEEPALIVE int vellar_waiting() {
  return Page().Waiting() ? 1 : 0;
}

// What is to be drawn anew since the page last asked: the bits of vellar::Redraw.
EMSCRIPTEN_KEEPALIVE unsigned vellar_take_redraw() {
  return Page().TakeRedraw();
}

// The bit with which the model asks for a new layout; the page lays out only then.
EMSCRIPTEN_KEEPALIVE unsigned vellar_redraw_layout_bit() {
  return vellar::kRedrawLayout;
}

EMSCRIPTEN_KEEPALIVE const char* vellar_view(int mpsTop, int mpsCount, int ramTop, int ramCount) {
  ViewText() = vellar::web::WriteView(*TheSession(), {mpsTop, mpsCount, ramTop, ramCount});
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
