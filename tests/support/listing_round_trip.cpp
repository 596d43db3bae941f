#include "support/listing_round_trip.h"

#include <algorithm>
#include <vector>

#include "core/file_io.h"
#include "core/hex.h"
#include "core/text.h"
#include "mps/mpd_text.h"
#include "mps/mps_records.h"
#include "ram/ram_grid.h"
#include "ram/ram_text.h"
#include "ram/variables.h"

namespace vellar::testing {

namespace {

// The bytes of a text file hold no control character but the CR LF that ends each line, and
// none of the code page's undefined bytes, which stand for C1 controls.
std::string ControlFault(std::string_view file) {
  for (size_t i = 0; i < file.size(); ++i) {
    const auto c = static_cast<unsigned char>(file[i]);
    if (c == '\r' && i + 1 < file.size() && file[i + 1] == '\n') {
      ++i;
      continue;
    }
    const bool undefined = c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
    if (c < 0x20 || c == 0x7F || undefined) {
      return "Steuerzeichen " + HexByte(c) + " an Byte " + std::to_string(i);
    }
  }
  return {};
}

std::string At(const char* what, int address) {
  return std::string(what) + " von Adresse " + HexByte(static_cast<uint8_t>(address));
}

// A text from the bytes at pos, as many as the byte there says, at most limit.
std::string TextAt(std::string_view bytes, size_t& pos, size_t limit) {
  if (pos >= bytes.size()) return {};
  const size_t length =
      std::min<size_t>(static_cast<uint8_t>(bytes[pos]) % (limit + 1), bytes.size() - pos - 1);
  const std::string text = Cp1252ToUtf8(bytes.substr(pos + 1, length));
  pos += 1 + length;
  return text;
}

std::string RightTrimmed(std::string_view text) {
  const size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

}  // namespace

std::string MpsThroughMpdFault(std::string_view mpsBytes) {
  const auto records = ParseMpsRecords(mpsBytes);
  if (!records) return "kürzer als eine MPS-Datei";
  MpsStore first;
  ApplyMpsRecords(first, *records);
  const std::string listing = TextFileBytes(BuildMpdText(first, "zufall.mps"));
  if (std::string fault = ControlFault(listing); !fault.empty()) return "MPD: " + fault;
  const int last = first.LastUsedAddress();
  if (SplitLines(listing).size() != static_cast<size_t>(3 + last + 1)) return "MPD: Zeilenzahl";

  MpsStore second;
  ApplyMpd(second, ParseMpdText(listing));
  const auto again = ParseMpsRecords(BuildMpsRecords(second));
  const MpsStore fresh;
  for (int a = 0; a < MpsStore::kRows; ++a) {
    const bool saved = a <= last;
    const MpsRecord& back = (*again)[a];
    if (back.gateMask != (saved ? (*records)[a].gateMask : fresh.GateMask(a))) {
      return At("Tore", a);
    }
    if (back.next != (saved ? (*records)[a].next : fresh.NextAddress(a))) {
      return At("Folgeadresse", a);
    }
    const std::string description(TrimBlanks(first.Description(a)));
    if (back.description != (saved ? description : fresh.Description(a))) {
      return At("Beschreibung", a);
    }
  }
  return {};
}

std::string RamThroughListingFault(std::string_view bytes, bool assemblerView) {
  RamGrid::Bytes ram{};
  std::copy_n(bytes.begin(), std::min(bytes.size(), ram.size()), ram.begin());
  size_t pos = ram.size();
  MpsStore mps;
  for (int a = 0x0A; a < MpsStore::kRows && pos < bytes.size(); a += 7) {
    mps.SetDescription(a, TextAt(bytes, pos, MpsStore::kDescriptionLimit));
  }
  VariableList variables;
  std::vector<std::string> names;
  for (int v = 0; v < 4 && pos < bytes.size(); ++v) {
    const auto address = static_cast<uint8_t>(bytes[pos++]);
    names.push_back(TextAt(bytes, pos, 20));
    variables.Append(HexByte(address), names.back());
  }
  RamGrid grid(mps);
  grid.SetAssemblerView(assemblerView);
  grid.Rebuild(ram);
  const std::string listing =
      TextFileBytes(BuildRamListing(grid, ram, &variables, "zufall\r\n.ras"));
  if (std::string fault = ControlFault(listing); !fault.empty()) return "RAM: " + fault;

  const RamTextImage image = ParseRamText(listing, !assemblerView);
  if (image.assemblerView != assemblerView) return "RAM: Ansicht";
  for (int a = 0; a < kRamSize; ++a) {
    if (image.ram[a] != ram[a]) return At("Byte", a);
  }
  if (image.variables.size() != names.size()) return "RAM: Zahl der Variablen";
  for (size_t v = 0; v < names.size(); ++v) {
    if (image.variables[v].second != RightTrimmed(ControlsToBlanks(names[v]))) {
      return "Name der Variablen " + std::to_string(v + 1);
    }
  }
  return {};
}

}  // namespace vellar::testing
