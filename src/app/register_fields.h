#pragma once

#include <array>
#include <string>
#include <string_view>

#include "app/control_flags.h"
#include "app/frontend.h"
#include "core/machine.h"

// The seven register fields EdAX .. EdAL and the sign flag panel as data. Typing into a field
// changes the register at once; writing a field from the program runs the same change
// handler, but only when the text really changes.
namespace vellar {

class EditHistory;

class RamCursor {
 public:
  virtual ~RamCursor() = default;
  virtual void MoveRamCursor(int address) = 0;
};

class RegisterFields {
 public:
  RegisterFields(Machine& machine, const ControlFlags& flags, Frontend& frontend, RamCursor& cursor,
                 EditHistory& history);

  const std::string& Text(int reg) const { return texts_[reg]; }
  // "1" while AX >= 0x80, else "0" (PaSignF).
  const std::string& SignText() const { return signText_; }

  // The user changed a field's text (EdRegChange, EdAXChange, EdARChange).
  void EdRegChange(int reg, std::string_view text);
  // Leaving a field normalises its text.
  void EdRegExit(int reg);
  // Writes HexByte of the seven values, in the order AX .. AL.
  void ShowRegs();
  // Writes HexByte of the ALU value into EdAL only (the output phase changes nothing else).
  void ShowAlu();

  static std::string_view Hint(int reg);

 private:
  // Sets a field's text as the program does: the change handler runs only on a real change.
  void SetText(int reg, std::string_view text);
  void Changed(int reg);

  Machine& machine_;
  const ControlFlags& flags_;
  Frontend& frontend_;
  RamCursor& cursor_;
  EditHistory& history_;
  std::array<std::string, kRegCount> texts_;
  std::string signText_ = "0";
  std::string scratch_;
};

}  // namespace vellar
