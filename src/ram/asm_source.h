#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One line of an assembler source as a teacher writes it in an editor, read on its own:
// a label, then an instruction, data or a directive, then a comment. What the names stand
// for and which bytes an instruction becomes is the batch assembler's business.
//
//   schleife:  MOV AX,[zahl]   ; a label before an instruction
//   org 40                     ; the next line goes to address 40
//   db 01, 02, 03              ; data bytes
//   var zahl F0                ; an inspector variable, usable as an operand
//   3F 00                      ; two data bytes, as the window's editor has always taken them
namespace vellar {

struct AsmSourceLine {
  enum class Kind { Empty, Instruction, Data, Org, Var, Invalid };
  Kind kind = Kind::Empty;
  // The label the line defines, in lower case; empty when it defines none.
  std::string label;
  // Instruction: the text without label and comment, trimmed, as written.
  std::string text;
  // Data: the bytes, as many as written.
  std::vector<uint8_t> bytes;
  // Org and Var: the address.
  uint8_t address = 0;
  // Var: the name as written (the inspector shows it so).
  std::string name;
  // Invalid: what is wrong, in German, without the line number.
  std::string error;
};

// The line as UTF-8 text without its line end.
AsmSourceLine ReadAsmSourceLine(std::string_view line);

// A letter, then letters, digits or '_'; the letters are those of Windows-1252, umlauts and ß
// among them.
bool IsAsmName(std::string_view text);

}  // namespace vellar
