#include "ram/ram_shift.h"

namespace vellar {

namespace {

uint8_t Opcode(const RamAccess& ram, int line) {
  return ram.ReadRam(2 * line);
}
uint8_t Operand(const RamAccess& ram, int line) {
  return ram.ReadRam(2 * line + 1);
}

bool IsEmptyLine(const RamAccess& ram, int line) {
  return Opcode(ram, line) == 0 && Operand(ram, line) == 0;
}

bool IsCodeTriple(const RamAccess& ram, const MpsStore& mps, int s) {
  return IsInstructionLine(ram, mps, s) && IsInstructionLine(ram, mps, s + 1) &&
         IsInstructionLine(ram, mps, s + 2);
}

// The start of the last code triple at or after `from`, or `from` itself.
int LastCodeTriple(const RamAccess& ram, const MpsStore& mps, int from) {
  int t = from;
  for (int s = from; s <= kRamLines - 3; ++s) {
    if (IsCodeTriple(ram, mps, s)) t = s;
  }
  return t;
}

void CopyLine(RamAccess& ram, int to, int from) {
  ram.WriteRam(2 * to, Opcode(ram, from));
  ram.WriteRam(2 * to + 1, Operand(ram, from));
}

// Adds `by` to the operand of every address instruction in lines 0..last that points into
// [low, high).
void AdjustOperands(RamAccess& ram, const MpsStore& mps, int last, int low, int high, int by) {
  for (int s = 0; s <= last && s < kRamLines; ++s) {
    if (!IsAddressInstruction(ram, mps, s)) continue;
    const int v = Operand(ram, s);
    if (v >= low && v < high) ram.WriteRam(2 * s + 1, (v + by) & 0xFF);
  }
}

}  // namespace

bool IsInstructionLine(const RamAccess& ram, const MpsStore& mps, int line) {
  const uint8_t x = Opcode(ram, line);
  return x >= 0x0A && !mps.Description(x).empty();
}

bool IsAddressInstruction(const RamAccess& ram, const MpsStore& mps, int line) {
  const std::string& d = mps.Description(Opcode(ram, line));
  return d.find('[') != std::string::npos || d.find('J') != std::string::npos;
}

void InsertRamLine(RamAccess& ram, const MpsStore& mps, int c) {
  if (c < 0 || c >= kRamLines) return;
  int x = c;
  while (x < kRamLines && IsEmptyLine(ram, x)) ++x;
  const int t = x < kRamLines ? LastCodeTriple(ram, mps, x) : x;
  int e = t;
  while (e < kRamLines && !IsEmptyLine(ram, e)) ++e;
  for (int k = (e < kRamLines ? e : kRamLines - 1); k > c; --k) CopyLine(ram, k, k - 1);
  ram.WriteRam(2 * c, 0);
  ram.WriteRam(2 * c + 1, 0);
  AdjustOperands(ram, mps, e, 2 * c, 2 * e, +2);
}

void DeleteRamLine(RamAccess& ram, const MpsStore& mps, int c) {
  if (c < 0 || c >= kRamLines) return;
  const int t = LastCodeTriple(ram, mps, c);
  int n = t;
  while (n < kRamLines && IsInstructionLine(ram, mps, n)) ++n;
  const int d = c + 1 < n ? n : kRamLines;
  for (int k = c; k <= d - 2; ++k) CopyLine(ram, k, k + 1);
  ram.WriteRam(2 * (d - 1), 0);
  ram.WriteRam(2 * (d - 1) + 1, 0);
  AdjustOperands(ram, mps, n - 1, 2 * c, 2 * d, -2);
}

}  // namespace vellar
