// The assembler source reader takes any text: each line read on its own keeps its promises,
// and the whole text assembled against an instruction set reports faults only by line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/text.h"
#include "mps/mps_store.h"
#include "ram/asm_source.h"
#include "ram/batch_assembler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  using Kind = vellar::AsmSourceLine::Kind;
  for (const std::string& line : vellar::SplitLines(text)) {
    const vellar::AsmSourceLine l = vellar::ReadAsmSourceLine(line);
    if (!l.label.empty() &&
        (!vellar::IsAsmName(l.label) || l.label != vellar::ToLowerAscii(l.label)))
      __builtin_trap();
    if (l.kind == Kind::Data && l.bytes.empty()) __builtin_trap();
    if (l.kind == Kind::Org && l.address % 2 != 0) __builtin_trap();
    if (l.kind == Kind::Var && !vellar::IsAsmName(l.name)) __builtin_trap();
    if ((l.kind == Kind::Invalid) == l.error.empty()) __builtin_trap();
  }
  vellar::MpsStore mps;
  mps.SetDescription(0x10, "MOV AX,nn");
  mps.SetDescription(0x11, "MOV AX,[nn]");
  mps.SetDescription(0x30, "MOV [nn],AX");
  mps.SetDescription(0x72, "JNS nn");
  mps.SetDescription(0xFE, "HLT");
  const vellar::BatchAssembly a = vellar::AssembleSource(mps, text);
  if (a.lines < 0 || a.lines > vellar::kAsmLines) __builtin_trap();
  for (const std::string& error : a.errors) {
    if (error.rfind("Zeile ", 0) != 0) __builtin_trap();
  }
  for (const auto& [address, name] : a.variables) {
    if (!vellar::IsAsmName(name)) __builtin_trap();
  }
  return 0;
}
