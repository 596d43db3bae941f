#include "core/hex.h"

#include "core/text.h"

namespace vellar {

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string HexByte(unsigned value) {
  std::string out;
  do {
    out.insert(out.begin(), kHexDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (out.size() < 2) out.insert(out.begin(), '0');
  return out;
}

void WriteHexByte(std::string& out, uint8_t value) {
  out.resize(2);
  out[0] = kHexDigits[value >> 4];
  out[1] = kHexDigits[value & 0xF];
}

bool IsHexNumber(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (HexDigitValue(c) < 0) return false;
  }
  return true;
}

uint32_t ParseHex(std::string_view text) {
  uint32_t value = 0;
  for (char c : text) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return 0;
    value = (value << 4) | static_cast<uint32_t>(digit);
  }
  return value;
}

std::string NormHexByte(std::string_view text) {
  return HexByte(ParseHex(text) & 0xFF);
}

HexEntryFix FixHexEntry(std::string_view text) {
  HexEntryFix fix;
  if (!text.empty() && !IsHexNumber(text)) {
    fix.invalid = true;
    fix.replace = true;
    fix.text = DropLastChar(text);
  } else if (text.size() == 2) {
    fix.replace = true;
    fix.text = NormHexByte(text);
  }
  return fix;
}

}  // namespace vellar
