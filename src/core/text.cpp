#include "core/text.h"

#include <array>
#include <cstdint>

namespace vellar {

namespace {

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// Length of the UTF-8 sequence that starts with c, or 1 for a byte that starts none.
size_t SequenceLength(unsigned char c) {
  if (c >= 0xF0 && c < 0xF8) return 4;
  if (c >= 0xE0) return c < 0xF0 ? 3 : 1;
  if (c >= 0xC0) return 2;
  return 1;
}

// Where the character starting at pos ends, never beyond the text.
size_t NextCharStart(std::string_view text, size_t pos) {
  size_t len = SequenceLength(static_cast<unsigned char>(text[pos]));
  size_t end = pos + 1;
  while (end < text.size() && end < pos + len &&
         IsContinuation(static_cast<unsigned char>(text[end]))) {
    ++end;
  }
  return end;
}

// Code points of the bytes 0x80..0x9F; the other high bytes equal their code point.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes the character at pos; returns its code point, or 0xFFFFFFFF for a malformed one.
uint32_t DecodeAt(std::string_view text, size_t pos, size_t end) {
  const auto b0 = static_cast<unsigned char>(text[pos]);
  const size_t len = end - pos;
  if (b0 < 0x80) return b0;
  if (len != SequenceLength(b0) || len == 1) return 0xFFFFFFFF;
  uint32_t cp = b0 & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
  for (size_t i = pos + 1; i < end; ++i)
    cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
  return cp;
}

char EncodeCp1252(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (size_t i = 0; i < kHighTable.size(); ++i) {
    if (kHighTable[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Length of the well-formed UTF-8 sequence at pos, 0 when there is none.
size_t Utf8SequenceAt(std::string_view text, size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  size_t len = 0;
  if (lead < 0x80) {
    len = 1;
  } else if (lead >= 0xC2 && lead < 0xE0) {
    len = 2;
  } else if (lead >= 0xE0 && lead < 0xF0) {
    len = 3;
  } else if (lead >= 0xF0 && lead < 0xF5) {
    len = 4;
  }
  if (len == 0 || pos + len > text.size()) return 0;
  for (size_t i = pos + 1; i < pos + len; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
  }
  return len;
}

}  // namespace

size_t CharCount(std::string_view text) {
  size_t count = 0;
  for (size_t pos = 0; pos < text.size(); pos = NextCharStart(text, pos)) ++count;
  return count;
}

std::string FirstChars(std::string_view text, size_t n) {
  size_t pos = 0;
  for (size_t i = 0; i < n && pos < text.size(); ++i) pos = NextCharStart(text, pos);
  return std::string(text.substr(0, pos));
}

std::string DropLastChar(std::string_view text) {
  const size_t count = CharCount(text);
  return count == 0 ? std::string() : FirstChars(text, count - 1);
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out += ch;
    } else if (c < 0xA0) {
      AppendUtf8(out, kHighTable[c - 0x80]);
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const size_t end = NextCharStart(text, pos);
    out += EncodeCp1252(DecodeAt(text, pos, end));
    pos = end;
  }
  return out;
}

std::vector<std::string> SplitLines(std::string_view contents) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < contents.size(); ++i) {
    const char c = contents[i];
    if (c != '\r' && c != '\n') continue;
    lines.emplace_back(contents.substr(start, i - start));
    if (c == '\r' && i + 1 < contents.size() && contents[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < contents.size()) lines.emplace_back(contents.substr(start));
  return lines;
}

std::string ControlsToBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size(); ++pos) {
    const auto c = static_cast<unsigned char>(text[pos]);
    if (c < 0x20 || c == 0x7F) {
      out += ' ';
    } else if (c == 0xC2 && pos + 1 < text.size() &&
               (static_cast<unsigned char>(text[pos + 1]) & 0xE0) == 0x80) {
      // U+0080 to U+009F: two bytes, one character.
      out += ' ';
      ++pos;
    } else {
      out += text[pos];
    }
  }
  return out;
}

std::string_view TrimBlanks(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
  return text.substr(begin, end - begin);
}

std::string ToUpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

namespace {

// The lower-case partner of an upper-case letter of Windows-1252 beyond ASCII (À…Þ without ×,
// Š, Œ, Ž, Ÿ); the character itself for any other.
char32_t LowerCp1252Letter(char32_t c) {
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  switch (c) {
    case 0x160:  // Š
    case 0x152:  // Œ
    case 0x17D:  // Ž
      return c + 1;
    case 0x178:  // Ÿ
      return 0xFF;
    default:
      return c;
  }
}

}  // namespace

std::string ToLowerCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const size_t len = Utf8SequenceAt(text, pos);
    if (len != 2) {
      // ASCII, a stray byte or a character the code page lacks: only A to Z change.
      const size_t n = len == 0 ? 1 : len;
      out += ToLowerAscii(text.substr(pos, n));
      pos += n;
      continue;
    }
    const char32_t c = (char32_t(text[pos] & 0x1F) << 6) | char32_t(text[pos + 1] & 0x3F);
    const char32_t lower = LowerCp1252Letter(c);
    out += static_cast<char>(0xC0 | (lower >> 6));
    out += static_cast<char>(0x80 | (lower & 0x3F));
    pos += 2;
  }
  return out;
}

size_t Cp1252LetterLength(std::string_view text, size_t pos) {
  if (pos >= text.size()) return 0;
  const char c = text[pos];
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return 1;
  // Every letter of the code page beyond ASCII is a two-byte sequence.
  if (Utf8SequenceAt(text, pos) != 2) return 0;
  const char32_t cp = (char32_t(text[pos] & 0x1F) << 6) | char32_t(text[pos + 1] & 0x3F);
  const bool upper = LowerCp1252Letter(cp) != cp;
  const bool lower = cp == 0xDF || cp == 0xFF || cp == 0x161 || cp == 0x153 || cp == 0x17E ||
                     (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7);
  return upper || lower ? 2 : 0;
}

std::string_view WithoutUtf8Bom(std::string_view bytes) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  return bytes.substr(0, kBom.size()) == kBom ? bytes.substr(kBom.size()) : bytes;
}

std::string FileTextAsCp1252(std::string_view bytes) {
  const std::string_view text = WithoutUtf8Bom(bytes);
  return text.size() == bytes.size() ? std::string(bytes) : Utf8ToCp1252(text);
}

bool IsWellFormedUtf8(std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    const size_t len = Utf8SequenceAt(text, pos);
    if (len == 0) return false;
    pos += len;
  }
  return true;
}

}  // namespace vellar
