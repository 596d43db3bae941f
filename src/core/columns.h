#pragma once

#include <string>
#include <string_view>

// Fixed-width columns of the text listings. Widths count characters, as they count bytes in
// the single-byte files; a longer text is never cut, it pushes the rest of its line along.
namespace vellar {

// Appends text, left-aligned and blank-padded to width characters.
void AppendPadRight(std::string& line, std::string_view text, size_t width);
// Appends text, right-aligned in width characters.
void AppendPadLeft(std::string& line, std::string_view text, size_t width);

}  // namespace vellar
