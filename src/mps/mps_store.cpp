#include "mps/mps_store.h"

#include "core/hex.h"

namespace vellar {

MpsStore::MpsStore() {
  ClearMps();
}

bool MpsStore::GetMpsGate(int gate, int address) const {
  return (GateMask(address) >> (gate & 0xF)) & 1u;
}

void MpsStore::SetMpsGate(int gate, int address, bool on) {
  MpsRow& row = rows_[address & 0xFF];
  const auto bit = static_cast<uint16_t>(1u << (gate & 0xF));
  row.gateMask_ = on ? (row.gateMask_ | bit) : (row.gateMask_ & ~bit);
  Decode(address);
  modified_ = true;
  Changed();
}

void MpsStore::ShowMpsGateMark(int /*gate*/, int /*address*/, bool /*on*/) {
  Changed();
}

void MpsStore::SetGateMaskDirect(int address, uint16_t mask) {
  rows_[address & 0xFF].gateMask_ = mask;
  Decode(address);
}

void MpsStore::RestoreRows(const Rows& rows) {
  rows_ = rows;
  for (int a = 0; a < kRows; ++a) Decode(a);
  Changed();
}

void MpsStore::SetDescription(int address, std::string_view text) {
  rows_[address & 0xFF].description_ = text;
  Changed();
}

void MpsStore::SetNextAddressText(int address, std::string_view text) {
  MpsRow& row = rows_[address & 0xFF];
  row.nextAddress_ = text;
  row.nextValue_ = static_cast<uint8_t>(ParseHex(text) & 0xFF);
  Decode(address);
  Changed();
}

void MpsStore::SetAddressLabel(int address, std::string_view text) {
  rows_[address & 0xFF].addressLabel_ = text;
  Changed();
}

std::string MpsStore::GateMark(int gate, int address) const {
  if (!GetMpsGate(gate, address)) return {};
  if (!useGateNumbers_) return "X";
  return std::string(1, kHexDigits[gate & 0xF]);
}

void MpsStore::SetUseGateNumbers(bool on) {
  useGateNumbers_ = on;
  Changed();
}

void MpsStore::ClearMps() {
  for (int a = 0; a < kRows; ++a) {
    MpsRow& row = rows_[a];
    row.gateMask_ = 0;
    row.addressLabel_ = HexByte(a);
    row.description_.clear();
    row.nextAddress_ = HexByte((a + 1) & 0xFF);
    row.nextValue_ = static_cast<uint8_t>((a + 1) & 0xFF);
    Decode(a);
  }
  modified_ = false;
  Changed();
}

std::string MpsStore::CellText(int col, int row) const {
  if (col < 0 || col >= kGridCols || row < 0 || row >= kGridRows) return {};
  if (row == 0) {
    if (col == 0) return "AD";
    if (col == kDescriptionColumn) return "Befehl";
    if (col == kNextColumn) return "FA";
    return std::string(1, kHexDigits[col - kFirstGateColumn]);
  }
  const int address = row - 1;
  if (col == 0) return Row(address).AddressLabel();
  if (col == kDescriptionColumn) return Description(address);
  if (col == kNextColumn) return NextAddressText(address);
  return GateMark(col - kFirstGateColumn, address);
}

int MpsStore::LastUsedAddress() const {
  for (int a = kRows - 1; a >= 0; --a) {
    if (!rows_[a].description_.empty() || rows_[a].gateMask_ != 0) return a;
  }
  return -1;
}

void MpsStore::Decode(int address) {
  const MpsRow& row = rows_[address & 0xFF];
  program_.SetRow(address, row.gateMask_, row.nextValue_);
}

void MpsStore::Changed() {
  if (listener_ != nullptr) listener_->MpsChanged();
}

}  // namespace vellar
