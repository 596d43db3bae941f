#include "app/link_content.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

#include "app/file_commands.h"
#include "core/deflate.h"
#include "core/file_io.h"

namespace vellar {

namespace {

constexpr std::string_view kFirstLine = "VellarD-Link 1\n";
constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr std::array<std::string_view, 3> kKindWords = {"aufgabe", "mps", "ram"};
constexpr std::array<std::string_view, 1> kTaskExtensions = {"AUFGABE"};
// The digits a group of 0 to 7 bytes takes: the fewest whose largest number holds 256^n - 1.
constexpr std::array<size_t, 8> kDigitsOfBytes = {0, 3, 5, 8, 10, 13, 15, 17};
constexpr size_t kGroupBytes = 7;

}  // namespace

std::optional<std::string> LinkNameProblem(LinkKind kind, std::string_view name) {
  // The page offers the name for saving: no folder, no control character.
  bool fits =
      !name.empty() && name.size() <= 255 && name.find_first_of("/\\") == std::string_view::npos;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) fits = false;
  }
  if (!fits) return "Dieser Dateiname passt nicht in einen Link.";
  // The page picks the loader by the extension, as the window does.
  switch (kind) {
    case LinkKind::Task:
      if (ExtIndex(name, kTaskExtensions) >= 0) return std::nullopt;
      return "Im Link braucht eine Aufgabe einen Namen auf .aufgabe. Bitte die Datei "
             "umbenennen.";
    case LinkKind::Mps:
      if (ExtIndex(name, kMpsExtensions) >= 0) return std::nullopt;
      return "Im Link braucht ein Mikroprogramm einen Namen auf .mpd oder .mps. Bitte die Datei "
             "umbenennen.";
    case LinkKind::Ram:
      if (ExtIndex(name, kRamExtensions) >= 0) return std::nullopt;
      return "Im Link braucht ein RAM einen Namen auf .ras, .rad, .ram oder .erm. Bitte die "
             "Datei umbenennen.";
  }
  return "Dieser Dateiname passt nicht in einen Link.";
}

std::string PackLinkContent(const std::vector<LinkFile>& files) {
  std::string content(kFirstLine);
  for (const LinkFile& f : files) {
    content += std::string(kKindWords[static_cast<size_t>(f.kind)]) + " " +
               std::to_string(f.bytes.size()) + " " + f.name + "\n" + f.bytes;
  }
  return content;
}

std::optional<std::vector<LinkFile>> UnpackLinkContent(std::string_view content) {
  if (!content.starts_with(kFirstLine)) return std::nullopt;
  content.remove_prefix(kFirstLine.size());
  std::vector<LinkFile> files;
  while (!content.empty()) {
    const size_t end = content.find('\n');
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view head = content.substr(0, end);
    const size_t space = head.find(' ');
    const size_t space2 = head.find(' ', space == std::string_view::npos ? 0 : space + 1);
    if (space2 == std::string_view::npos) return std::nullopt;
    size_t kind = 0;
    while (kind < kKindWords.size() && kKindWords[kind] != head.substr(0, space)) ++kind;
    // Each kind once, in the order the writer keeps.
    if (kind == kKindWords.size() ||
        (!files.empty() && kind <= static_cast<size_t>(files.back().kind))) {
      return std::nullopt;
    }
    const std::string_view sizeText = head.substr(space + 1, space2 - space - 1);
    size_t size = 0;
    const auto [ptr, ec] =
        std::from_chars(sizeText.data(), sizeText.data() + sizeText.size(), size);
    if (ec != std::errc() || ptr != sizeText.data() + sizeText.size() || sizeText.empty()) {
      return std::nullopt;
    }
    content.remove_prefix(end + 1);
    if (size > kMaxFileBytes || size > content.size()) return std::nullopt;
    LinkFile file{static_cast<LinkKind>(kind), std::string(head.substr(space2 + 1)),
                  std::string(content.substr(0, size))};
    if (LinkNameProblem(file.kind, file.name)) return std::nullopt;
    content.remove_prefix(size);
    files.push_back(std::move(file));
  }
  if (files.empty()) return std::nullopt;
  return files;
}

std::string Base64UrlEncode(std::string_view bytes) {
  std::string text;
  uint32_t bits = 0;
  int count = 0;
  for (const char c : bytes) {
    bits = (bits << 8) | static_cast<unsigned char>(c);
    count += 8;
    while (count >= 6) {
      count -= 6;
      text += kAlphabet[(bits >> count) & 63];
    }
  }
  if (count > 0) text += kAlphabet[(bits << (6 - count)) & 63];
  return text;
}

std::optional<std::string> Base64UrlDecode(std::string_view text) {
  if (text.size() % 4 == 1) return std::nullopt;
  std::string bytes;
  uint32_t bits = 0;
  int count = 0;
  for (const char c : text) {
    const size_t value = kAlphabet.find(c);
    if (value == std::string_view::npos) return std::nullopt;
    bits = (bits << 6) | static_cast<uint32_t>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      bytes += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  return bytes;
}

std::string DigitsEncode(std::string_view bytes) {
  std::string text;
  for (size_t at = 0; at < bytes.size(); at += kGroupBytes) {
    const std::string_view group = bytes.substr(at, kGroupBytes);
    uint64_t value = 0;
    for (const char c : group) value = (value << 8) | static_cast<unsigned char>(c);
    std::string digits(kDigitsOfBytes[group.size()], '0');
    for (size_t i = digits.size(); i-- > 0; value /= 10) {
      digits[i] = static_cast<char>('0' + value % 10);
    }
    text += digits;
  }
  return text;
}

std::optional<std::string> DigitsDecode(std::string_view digits) {
  std::string bytes;
  while (!digits.empty()) {
    const size_t take = std::min(digits.size(), kDigitsOfBytes[kGroupBytes]);
    size_t count = 0;
    while (count <= kGroupBytes && kDigitsOfBytes[count] != take) ++count;
    if (count > kGroupBytes) return std::nullopt;
    uint64_t value = 0;
    for (const char c : digits.substr(0, take)) {
      if (c < '0' || c > '9') return std::nullopt;
      value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value >> (8 * count) != 0) return std::nullopt;
    for (size_t i = count; i-- > 0;) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    digits.remove_prefix(take);
  }
  return bytes;
}

std::string LinkFragment(std::string_view content, LinkForm form) {
  const std::string compressed = ZlibCompress(content);
  if (form == LinkForm::Digits) return std::string(kDigitsLinkMark) + DigitsEncode(compressed);
  return std::string(kLinkMark) + Base64UrlEncode(compressed);
}

std::optional<std::string> CompressedOfFragment(std::string_view fragment) {
  if (fragment.starts_with(kLinkMark)) return Base64UrlDecode(fragment.substr(kLinkMark.size()));
  if (fragment.starts_with(kDigitsLinkMark)) {
    return DigitsDecode(fragment.substr(kDigitsLinkMark.size()));
  }
  return std::nullopt;
}

}  // namespace vellar
