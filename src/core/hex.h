#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Every byte the user sees or types goes through these helpers, so that registers, grids
// and files agree on one notation: upper-case hexadecimal, two digits at least.
namespace vellar {

// The digits of a byte, a gate number, a column header.
inline constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// Upper-case hex, zero-padded to two digits; wider values keep all their digits (256 -> "100").
std::string HexByte(unsigned value);

// Writes HexByte(value & 0xFF) into out without allocating (the run loop uses it).
void WriteHexByte(std::string& out, uint8_t value);

// True when the text is non-empty and made of hex digits only.
bool IsHexNumber(std::string_view text);

// Value of the text read as hex digits; 0 for an empty text or one with any other character.
// Texts of more than eight digits keep their low 32 bits, so the low byte is always the one
// the last two digits name.
uint32_t ParseHex(std::string_view text);

// HexByte of the low byte of ParseHex: "5" -> "05", "1FF" -> "FF", "" and "XY" -> "00".
std::string NormHexByte(std::string_view text);

// What a hex entry being typed is to become.
struct HexEntryFix {
  bool invalid = false;  // the message "Eingabe ist ungültig\nEingabe wiederholen" is due
  bool replace = false;  // the entry is to be replaced by text
  std::string text;
};

// The check applied after every keystroke in a hex entry. The caller shows the message,
// because only the caller knows its frontend.
HexEntryFix FixHexEntry(std::string_view text);

inline constexpr std::string_view kInvalidEntryMessage =
    "Eingabe ist ungültig\nEingabe wiederholen";

}  // namespace vellar
