#include "core/columns.h"

#include "core/text.h"

namespace vellar {

void AppendPadRight(std::string& line, std::string_view text, size_t width) {
  const size_t chars = CharCount(text);
  line += text;
  if (chars < width) line.append(width - chars, ' ');
}

void AppendPadLeft(std::string& line, std::string_view text, size_t width) {
  const size_t chars = CharCount(text);
  if (chars < width) line.append(width - chars, ' ');
  line += text;
}

}  // namespace vellar
