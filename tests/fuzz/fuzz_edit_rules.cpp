// Any sequence of edits, clicks and keys in the MPS grid, the RAM grid and the variable
// inspector leaves the models in a state the rules allow: typed descriptions of at most 25
// characters, next addresses of two upper-case hex digits once the grid is left, RAM cells
// in step with the bytes once drawn, and the inspector's placeholder only when it stands
// alone.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/quiet_frontend.h"
#include "app/session.h"
#include "core/hex.h"
#include "core/text.h"

namespace {

void CheckModels(const vellar::Session& session) {
  for (int a = 0; a < vellar::MpsStore::kRows; ++a) {
    if (vellar::CharCount(session.mps.Description(a)) > 25) __builtin_trap();
  }
  const vellar::VariableList& variables = session.variables;
  if (variables.ColumnCount() < 1) __builtin_trap();
  for (int c = 1; c <= variables.ColumnCount(); ++c) {
    const vellar::VariableColumn& column = variables.Column(c);
    if (vellar::VariableList::IsPlaceholder(column) &&
        (variables.ColumnCount() != 1 || !column.name.empty() || !column.value.empty())) {
      __builtin_trap();
    }
  }
}

void CheckRamCells(const vellar::Session& session) {
  for (int r = 1; r < session.ramGrid.RowCount(); ++r) {
    for (int c = 1; c < session.ramGrid.ColCount(); ++c) {
      const int address = session.ramGrid.CellToAddress(c, r);
      if (address < 0) continue;
      const std::string shown = session.ramEditor.GrRamDrawCell(c, r).text;
      if (shown != vellar::HexByte(session.machine.Ram[address])) __builtin_trap();
    }
  }
}

void CheckNormalisedNextAddresses(const vellar::Session& session) {
  for (int a = 0; a < vellar::MpsStore::kRows; ++a) {
    const std::string& text = session.mps.NextAddressText(a);
    if (text.size() != 2 || text != vellar::NormHexByte(text)) __builtin_trap();
  }
}

// One operation: a selector byte, a column byte, a row byte, then text up to a zero byte.
size_t Apply(vellar::Session& session, const uint8_t* data, size_t size) {
  if (size < 3) return size;
  const int op = data[0] % 12;
  const int col = data[1] % 20 - 1;
  const int row = data[2] % 2 == 0 ? data[2] / 2 : 256 + data[2] % 3;
  size_t end = 3;
  while (end < size && data[end] != 0) ++end;
  const std::string text(reinterpret_cast<const char*>(data + 3), end - 3);
  switch (op) {
    case 0:
      session.mpsEditor.GrMpsSetEditText(col, row, text);
      break;
    case 1:
      session.mpsEditor.GrMpsMouseDown(col, row);
      break;
    case 2:
      session.mpsEditor.GrMpsSelectCell(col, row);
      session.mpsEditor.GrMpsKeyDown(vellar::KeyCode::Delete);
      break;
    case 3:
      session.mpsEditor.GrMpsExit();
      CheckNormalisedNextAddresses(session);
      session.mpsEditor.GrMpsEnter();
      break;
    case 4:
      session.ramEditor.GrRamSetEditText(col, row % 130, text);
      break;
    case 5:
      if (session.ramGrid.AssemblerView()) {
        session.ramGrid.ShowRamData(session.machine.Ram);
      } else {
        session.ramGrid.ShowRamAssembler(session.machine.Ram);
      }
      break;
    case 6:
      session.inspector.GrRamMouseDown(col, row % 130, vellar::MouseButton::Right);
      session.inspector.alsVariabledefinieren1Click();
      break;
    case 7:
      session.inspector.GrRamMouseDown(col, row % 130, vellar::MouseButton::Right);
      session.inspector.Variablendefinitionzurcknehmen1Click();
      break;
    case 8:
      session.inspector.RamInspectorSetEditText(col % 6, row % 4, text);
      break;
    case 9:
      session.mpsEditor.MeClrMpsClick();
      session.mpsEditor.GrMpsEnter();
      break;
    case 10:
      session.ramGrid.current = {1, 1 + row % 128};
      session.keys.OnAppMessage({true, vellar::KeyCode::Control});
      session.keys.OnAppMessage(
          {true, data[1] % 2 ? vellar::KeyCode::Insert : vellar::KeyCode::Delete});
      break;
    default:
      session.MeTorKzClick();
      break;
  }
  return end + 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vellar::QuietFrontend frontend;
  vellar::Session session(frontend);
  session.FormCreate();
  session.inspector.MeVariablenClick();
  session.mpsEditor.GrMpsEnter();
  session.ramEditor.GrRamEnter();
  for (size_t pos = 0; pos < size;) {
    pos += Apply(session, data + pos, size - pos);
    CheckModels(session);
  }
  CheckRamCells(session);
  return 0;
}
