#include "app/register_fields.h"

#include "app/edit_history.h"
#include "core/hex.h"
#include "core/text.h"

namespace vellar {

RegisterFields::RegisterFields(Machine& machine, const ControlFlags& flags, Frontend& frontend,
                               RamCursor& cursor, EditHistory& history)
    : machine_(machine), flags_(flags), frontend_(frontend), cursor_(cursor), history_(history) {
  texts_.fill("00");
}

void RegisterFields::EdRegChange(int reg, std::string_view text) {
  if (reg < 0 || reg >= AL) return;  // EdAL is read-only
  const auto edit = history_.Edit({EditTarget::Register, {reg, 0}, -1, nullptr, &texts_[reg]});
  // The fields take two characters at most and turn letters into upper case.
  texts_[reg] = ToUpperAscii(FirstChars(text, 2));
  Changed(reg);
}

void RegisterFields::EdRegExit(int reg) {
  if (reg < 0 || reg >= kRegCount) return;
  SetText(reg, NormHexByte(texts_[reg]));
}

void RegisterFields::ShowRegs() {
  for (int reg = 0; reg < kRegCount; ++reg) {
    WriteHexByte(scratch_, machine_.Regs[reg]);
    SetText(reg, scratch_);
  }
}

void RegisterFields::ShowAlu() {
  WriteHexByte(scratch_, machine_.Regs[AL]);
  SetText(AL, scratch_);
}

void RegisterFields::SetText(int reg, std::string_view text) {
  if (texts_[reg] == text) return;
  texts_[reg] = text;
  if (reg == AL) {
    frontend_.Invalidate(kRedrawRegisters);  // EdAL has no change handler
    return;
  }
  Changed(reg);
}

void RegisterFields::Changed(int reg) {
  frontend_.Invalidate(kRedrawRegisters);
  if (reg == AL) return;
  const HexEntryFix fix = FixHexEntry(texts_[reg]);
  if (fix.invalid) frontend_.ShowMessage(kInvalidEntryMessage);
  if (fix.replace) texts_[reg] = fix.text;
  machine_.Regs[reg] = static_cast<uint8_t>(ParseHex(texts_[reg]) & 0xFF);
  switch (reg) {
    case AX:
      signText_ = machine_.SignFlag() ? "1" : "0";
      break;
    case IP:
      frontend_.Invalidate(kRedrawRamGrid);  // the IP marker follows
      break;
    case AR:
      if (flags_.ShowCursors) cursor_.MoveRamCursor(machine_.Regs[AR]);
      break;
    default:
      break;
  }
}

std::string_view RegisterFields::Hint(int reg) {
  static constexpr std::array<std::string_view, kRegCount> kHints = {
      "Akkumulator",    "Hilfsregister", "Befehlszähler", "Befehlsregister",
      "Adressregister", "Datenregister", "ALU-Wert"};
  return (reg >= 0 && reg < kRegCount) ? kHints[reg] : std::string_view();
}

}  // namespace vellar
