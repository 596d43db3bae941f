#include "core/text.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vellar {

namespace {

// One character of a UTF-8 text; length 0 where the bytes at that place are no well-formed
// sequence: a stray or cut-short byte, an overlong form (C0 80 for NUL), a surrogate or a code
// point past U+10FFFF. Every reader of UTF-8 here goes through it, so that none takes for a
// character what another refuses.
struct Utf8Char {
  char32_t code = 0;
  size_t length = 0;
};

Utf8Char ReadUtf8(std::string_view text, size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return {lead, 1};
  // The sequence's length and the range of its second byte, which rules out the overlong
  // forms, the surrogates and what lies past U+10FFFF.
  size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  }
  if (length == 0 || pos + length > text.size()) return {};
  char32_t code = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(text[pos + i]);
    if (i == 1 ? (b < low || b > high) : (b & 0xC0) != 0x80) return {};
    code = (code << 6) | (b & 0x3F);
  }
  return {code, length};
}

// Where the character starting at pos ends; a byte that starts none counts as one.
size_t NextCharStart(std::string_view text, size_t pos) {
  return pos + std::max<size_t>(1, ReadUtf8(text, pos).length);
}

// C0, DEL and the C1 range U+0080 to U+009F.
bool IsControl(char32_t code) {
  return code < 0x20 || (code >= 0x7F && code <= 0x9F);
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

char EncodeCp1252(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (size_t i = 0; i < kHighTable.size(); ++i) {
    if (kHighTable[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
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
    const Utf8Char c = ReadUtf8(text, pos);
    out += c.length == 0 ? '?' : EncodeCp1252(c.code);
    pos += std::max<size_t>(1, c.length);
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
  for (size_t pos = 0; pos < text.size();) {
    const Utf8Char c = ReadUtf8(text, pos);
    const size_t length = std::max<size_t>(1, c.length);
    if (c.length > 0 && IsControl(c.code)) {
      out += ' ';
    } else {
      out += text.substr(pos, length);
    }
    pos += length;
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
    const Utf8Char c = ReadUtf8(text, pos);
    if (c.length != 2) {
      // ASCII, a stray byte or a character the code page lacks: only A to Z change.
      const size_t n = std::max<size_t>(1, c.length);
      out += ToLowerAscii(text.substr(pos, n));
      pos += n;
      continue;
    }
    const char32_t lower = LowerCp1252Letter(c.code);
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
  const Utf8Char letter = ReadUtf8(text, pos);
  if (letter.length != 2) return 0;
  const char32_t cp = letter.code;
  const bool upper = LowerCp1252Letter(cp) != cp;
  const bool lower = cp == 0xDF || cp == 0xFF || cp == 0x161 || cp == 0x153 || cp == 0x17E ||
                     (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7);
  return upper || lower ? 2 : 0;
}

std::string_view WithoutUtf8Bom(std::string_view bytes) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  return bytes.substr(0, kBom.size()) == kBom ? bytes.substr(kBom.size()) : bytes;
}

std::string EditorText(std::string_view file) {
  const std::string_view bytes = WithoutUtf8Bom(file);
  return IsWellFormedUtf8(bytes) ? std::string(bytes) : Cp1252ToUtf8(bytes);
}

std::string FileTextAsCp1252(std::string_view bytes) {
  const std::string_view text = WithoutUtf8Bom(bytes);
  return text.size() == bytes.size() ? std::string(bytes) : Utf8ToCp1252(text);
}

bool IsWellFormedUtf8(std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    const size_t length = ReadUtf8(text, pos).length;
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

std::string ShowControls(std::string_view text) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  const auto showBytes = [&](std::string_view bytes) {
    for (const char ch : bytes) {
      const auto b = static_cast<unsigned char>(ch);
      out += "\\x";
      out += kDigits[b >> 4];
      out += kDigits[b & 0x0F];
    }
  };
  for (size_t pos = 0; pos < text.size();) {
    const Utf8Char c = ReadUtf8(text, pos);
    const size_t length = std::max<size_t>(1, c.length);
    if (c.length == 0 || (c.code >= 0x80 && IsControl(c.code))) {
      showBytes(text.substr(pos, length));
    } else if (c.code < 0x20 || c.code == 0x7F) {
      // As the terminal shows a typed control key: ^[ for ESC, ^? for DEL.
      out += '^';
      out += static_cast<char>(c.code ^ 0x40);
    } else {
      out += text.substr(pos, length);
    }
    pos += length;
  }
  return out;
}

std::string SavedAsUtf16Message(std::string_view quotedName) {
  return std::string(quotedName) +
         " ist in UTF-16 gespeichert. Bitte im Editor als UTF-8 oder Windows-1252 speichern.";
}

bool LooksLikeUtf16(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return true;
  // Enough of the file to tell; zero bytes in both places are a binary file instead.
  const size_t units = std::min<size_t>(bytes.size(), 512) / 2;
  size_t zeros[2] = {0, 0};
  for (size_t i = 0; i < units * 2; ++i) zeros[i % 2] += bytes[i] == '\0' ? 1 : 0;
  return units > 0 && (zeros[0] == 0 || zeros[1] == 0) && (zeros[0] + zeros[1]) * 4 >= units * 3;
}

}  // namespace vellar
