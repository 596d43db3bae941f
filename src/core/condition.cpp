#include "core/condition.h"

#include <charconv>

#include "core/hex.h"
#include "core/text.h"

namespace vellar {

namespace {

constexpr std::string_view kNotEqual = "\xE2\x89\xA0";  // ≠ in UTF-8

bool ParseDecimal(std::string_view text, uint64_t& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return !text.empty() && ec == std::errc() && ptr == end;
}

// One or two hex digits.
bool ParseHexByte(std::string_view text, uint64_t& value) {
  if (text.empty() || text.size() > 2 || !IsHexNumber(text)) return false;
  value = ParseHex(text);
  return true;
}

// Splits "KEY=VALUE", "KEY!=VALUE" or "KEY≠VALUE".
bool SplitItem(std::string_view item, std::string_view& key, std::string_view& value, bool& equal) {
  const size_t ne = item.find(kNotEqual);
  if (ne != std::string_view::npos) {
    key = item.substr(0, ne);
    value = item.substr(ne + kNotEqual.size());
    equal = false;
    return true;
  }
  const size_t eq = item.find('=');
  if (eq == std::string_view::npos) return false;
  equal = !(eq > 0 && item[eq - 1] == '!');
  key = item.substr(0, equal ? eq : eq - 1);
  value = item.substr(eq + 1);
  return true;
}

}  // namespace

int RegisterIndex(std::string_view name) {
  const std::string upper = ToUpperAscii(name);
  for (int r = 0; r < kRegCount; ++r) {
    if (upper == kRegNames[r]) return r;
  }
  return -1;
}

std::string Condition::ValueText() const {
  switch (subject) {
    case Subject::Stop:
      return stop;
    case Subject::Sign:
    case Subject::Row:
    case Subject::Clocks:
      return std::to_string(value);
    case Subject::Register:
    case Subject::Memory:
      break;
  }
  return HexByte(static_cast<unsigned>(value));
}

std::string Condition::Canonical() const {
  return key + (equal ? "=" : std::string(kNotEqual)) + ValueText();
}

std::optional<Condition> ParseCondition(std::string_view item) {
  std::string_view key;
  std::string_view value;
  Condition c;
  if (!SplitItem(item, key, value, c.equal)) return std::nullopt;
  c.text = item;
  c.key = ToUpperAscii(key);
  bool ok = false;
  if (c.key == "STOP") {
    c.subject = Condition::Subject::Stop;
    c.stop = ToLowerAscii(value);
    ok = c.stop == "halt" || c.stop == "end" || c.stop == "limit" || c.stop == "break";
  } else if (c.key == "SF") {
    c.subject = Condition::Subject::Sign;
    ok = (value == "0" || value == "1") && ParseDecimal(value, c.value);
  } else if (c.key == "ROW" || c.key == "CLOCKS") {
    c.subject = c.key == "ROW" ? Condition::Subject::Row : Condition::Subject::Clocks;
    ok = ParseDecimal(value, c.value);
  } else if (c.key.size() >= 3 && c.key.front() == '[' && c.key.back() == ']') {
    uint64_t address = 0;
    c.subject = Condition::Subject::Memory;
    ok = ParseHexByte(std::string_view(c.key).substr(1, c.key.size() - 2), address) &&
         ParseHexByte(value, c.value);
    c.index = static_cast<uint8_t>(address);
    c.key = "[" + HexByte(c.index) + "]";
  } else {
    const int reg = RegisterIndex(c.key);
    c.index = static_cast<uint8_t>(reg < 0 ? 0 : reg);
    ok = reg >= 0 && ParseHexByte(value, c.value);
  }
  if (!ok) return std::nullopt;
  return c;
}

std::optional<std::vector<Condition>> ParseConditions(std::string_view text, std::string& badItem) {
  std::vector<Condition> items;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = std::min(text.find(' ', pos), text.size());
    const std::string_view item = text.substr(pos, end - pos);
    pos = end + 1;
    if (item.empty()) continue;
    auto c = ParseCondition(item);
    if (!c) {
      badItem = item;
      return std::nullopt;
    }
    items.push_back(std::move(*c));
  }
  return items;
}

}  // namespace vellar
