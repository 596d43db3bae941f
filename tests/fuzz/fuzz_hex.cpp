// The hex helpers and the code-page conversion take any text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/hex.h"
#include "core/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const vellar::HexEntryFix fix = vellar::FixHexEntry(text);
  if (fix.replace && fix.text.size() > text.size()) __builtin_trap();
  (void)vellar::NormHexByte(text);
  const std::string utf8 = vellar::Cp1252ToUtf8(text);
  if (vellar::Utf8ToCp1252(utf8) != text) __builtin_trap();
  (void)vellar::Utf8ToCp1252(text);
  (void)vellar::DropLastChar(text);
  (void)vellar::SplitLines(text);
  return 0;
}
