#include "mps/mps_records.h"

#include <algorithm>

#include "core/hex.h"
#include "core/machine.h"
#include "core/text.h"

namespace vellar {

std::string BuildMpsRecords(const MpsStore& mps) {
  std::string out(kMpsFileBytes, '\0');
  for (int a = 0; a < MpsStore::kRows; ++a) {
    char* record = out.data() + a * kMpsRecordBytes;
    const uint16_t mask = mps.GateMask(a);
    record[0] = static_cast<char>(mask & 0xFF);
    record[1] = static_cast<char>(mask >> 8);
    record[2] = static_cast<char>(mps.NextAddress(a));
    // Twelve characters of the code page, which are twelve bytes of the file.
    const std::string text = Utf8ToCp1252(mps.Description(a)).substr(0, kMpsDescriptionBytes);
    record[3] = static_cast<char>(text.size());
    std::copy(text.begin(), text.end(), record + 4);
  }
  return out;
}

std::optional<MpsRecords> ParseMpsRecords(std::string_view bytes) {
  if (bytes.size() < kMpsFileBytes) return std::nullopt;
  MpsRecords records;
  for (int a = 0; a < MpsStore::kRows; ++a) {
    const std::string_view record = bytes.substr(a * kMpsRecordBytes, kMpsRecordBytes);
    MpsRecord& r = records[a];
    r.gateMask = static_cast<uint16_t>(static_cast<uint8_t>(record[0]) |
                                       (static_cast<uint8_t>(record[1]) << 8));
    r.next = static_cast<uint8_t>(record[2]);
    const size_t length = std::min<size_t>(static_cast<uint8_t>(record[3]), kMpsDescriptionBytes);
    // Old or damaged files may hold any bytes here; a line end among them would split the
    // row's line in the listing and shift every row after it.
    r.description = ControlsToBlanks(Cp1252ToUtf8(record.substr(4, length)));
  }
  return records;
}

void ApplyMpsRecords(MpsStore& mps, const MpsRecords& records) {
  for (int a = 0; a < MpsStore::kRows; ++a) {
    const MpsRecord& r = records[a];
    mps.SetGateMaskDirect(a, r.gateMask);
    mps.SetDescription(a, r.description);
    for (int g = 0; g < kGateCount; ++g) {
      mps.ShowMpsGateMark(g, a, (r.gateMask & GateBit(g)) != 0);
    }
    mps.SetNextAddressText(a, HexByte(r.next));
  }
}

}  // namespace vellar
