#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mps/mps_store.h"

// The MPD text: the MPS as a listing of fixed columns, which is also what the printer gets.
// Building and reading are kept apart from the files so that any bytes can be fed to the
// reader without a session.
namespace vellar {

inline constexpr std::string_view kMpdTitle = "; VellarD-Programm-Speicher: ";
// The description width our own header line gives: the first gate mark stands in column 30.
inline constexpr int kMpdDefaultWidth = 26;

// The lines, in UTF-8: the two comment lines, the header line and one line for every address
// up to the last used one. fileName goes into the first line. Control characters become
// blanks, so that each line stays one line.
std::vector<std::string> BuildMpdText(const MpsStore& mps, std::string_view fileName);

// One data line as read; texts in UTF-8.
struct MpdRow {
  std::string label;
  std::string description;
  uint16_t gateMask = 0;
  std::string next;
};

// What an MPD file holds: the rows it names, for the addresses 00, 01, … in order.
struct MpdImage {
  std::vector<MpdRow> rows;
};

// Reads the bytes of an MPD file (Windows-1252). Every line is taken; the reader never fails.
MpdImage ParseMpdText(std::string_view bytes);

// Stores the rows read; the rows the file does not name keep their contents. Returns the
// addresses whose descriptions were longer than the store allows and were cut.
std::vector<int> ApplyMpd(MpsStore& mps, const MpdImage& image);

}  // namespace vellar
