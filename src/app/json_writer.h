#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "core/cell_look.h"

// A small JSON writer for what the page receives: values are appended in order, commas come
// by themselves.
namespace vellar {

class Json {
 public:
  Json& Open(char bracket) {
    Comma();
    out_ += bracket;
    first_ = true;
    return *this;
  }
  Json& Close(char bracket) {
    out_ += bracket;
    first_ = false;
    return *this;
  }
  Json& Key(std::string_view key) {
    Comma();
    Quote(key);
    out_ += ':';
    first_ = true;
    return *this;
  }
  Json& Str(std::string_view text) {
    Comma();
    Quote(text);
    return *this;
  }
  Json& Int(long long value) {
    Comma();
    out_ += std::to_string(value);
    return *this;
  }
  Json& Bool(bool value) {
    Comma();
    out_ += value ? "true" : "false";
    return *this;
  }
  Json& Colour(const std::optional<Rgb>& colour) {
    if (!colour) return Int(-1);
    return Int((colour->r << 16) | (colour->g << 8) | colour->b);
  }
  std::string Take() { return std::move(out_); }

 private:
  void Comma() {
    if (!first_) out_ += ',';
    first_ = false;
  }
  void Quote(std::string_view text) {
    out_ += '"';
    for (const char c : text) {
      const auto u = static_cast<unsigned char>(c);
      if (c == '"' || c == '\\') {
        out_ += '\\';
        out_ += c;
      } else if (u < 0x20) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
        out_ += buffer;
      } else {
        out_ += c;
      }
    }
    out_ += '"';
  }

  std::string out_;
  bool first_ = true;
};

}  // namespace vellar
