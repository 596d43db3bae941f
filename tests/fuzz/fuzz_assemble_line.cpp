// The assembler takes any text, typed into the "Befehl" column against any descriptions,
// and leaves every line's bytes in step with its "OP" and "nn" cells. The whole input is also
// assembled as a source text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/quiet_frontend.h"
#include "app/session.h"
#include "core/hex.h"
#include "core/text.h"
#include "ram/batch_assembler.h"

namespace {

// Lines before the last are descriptions of MPS addresses 0A, 0B, ...; the last is typed.
void TypeAgainstDescriptions(vellar::Session& session, const std::string& text) {
  const std::vector<std::string> lines = vellar::SplitLines(text);
  if (lines.empty()) return;
  for (size_t i = 0; i + 1 < lines.size() && i < 40; ++i) {
    session.mps.SetDescription(0x0A + static_cast<int>(i), lines[i]);
  }
  const int row = 1 + static_cast<unsigned char>(text[0]) % 128;
  session.ramEditor.GrRamSetEditText(3, row, lines.back());
  const vellar::RamGrid& grid = session.ramGrid;
  if (grid.RowCount() != 129 || grid.ColCount() != 4) __builtin_trap();
  // Assembled or cleared, a line's cells name its bytes; a line left alone keeps both.
  const uint8_t* bytes = &session.machine.Ram[2 * (row - 1)];
  if ((vellar::ParseHex(grid.CellText(1, row)) & 0xFF) != bytes[0]) __builtin_trap();
  if ((vellar::ParseHex(grid.CellText(2, row)) & 0xFF) != bytes[1]) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vellar::QuietFrontend frontend;
  vellar::Session session(frontend);
  session.FormCreate();
  session.mps.SetDescription(0x40, "MOV AX,nn");
  session.mps.SetDescription(0x41, "HALT");
  session.mps.SetDescription(0x42, "JMP [nn]");
  session.ramGrid.ShowRamAssembler(session.machine.Ram);
  const std::string text(reinterpret_cast<const char*>(data), size);
  TypeAgainstDescriptions(session, text);
  const vellar::BatchAssembly batch = vellar::AssembleSource(session.mps, text);
  if (batch.lines < 0 || batch.lines > vellar::kAsmLines) __builtin_trap();
  return 0;
}
