#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/micro_program.h"

// The micro-program store: 256 micro-instructions, each a set of open gates, a next address
// and a description. The gate marks the grid shows are derived from the masks and the
// display option, so they can never disagree with them.
namespace vellar {

class MpsRow {
 public:
  const std::string& AddressLabel() const { return addressLabel_; }
  const std::string& Description() const { return description_; }
  uint16_t GateMask() const { return gateMask_; }
  // The next-address text exactly as entered; the grid normalises it on leaving.
  const std::string& NextAddress() const { return nextAddress_; }
  // The address the text names: hex value, 0 when empty or unparsable, low 8 bits.
  uint8_t NextAddressValue() const { return nextValue_; }

  friend bool operator==(const MpsRow&, const MpsRow&) = default;

 private:
  friend class MpsStore;
  std::string addressLabel_;
  std::string description_;
  uint16_t gateMask_ = 0;
  std::string nextAddress_;
  uint8_t nextValue_ = 0;
};

// Told about every change that the grid must show.
class MpsStoreListener {
 public:
  virtual ~MpsStoreListener() = default;
  virtual void MpsChanged() = 0;
};

class MpsStore {
 public:
  static constexpr int kRows = 256;
  static constexpr int kGridRows = 257;
  static constexpr int kGridCols = 19;
  static constexpr int kNextColumn = 18;
  static constexpr int kDescriptionColumn = 1;
  static constexpr int kFirstGateColumn = 2;
  static constexpr size_t kDescriptionLimit = 25;

  using Rows = std::array<MpsRow, kRows>;

  MpsStore();

  void SetListener(MpsStoreListener* listener) { listener_ = listener; }

  const MpsRow& Row(int address) const { return rows_[address & 0xFF]; }
  // All rows at once, for undo and redo; MpsModified is the caller's business.
  const Rows& AllRows() const { return rows_; }
  void RestoreRows(const Rows& rows);

  bool GetMpsGate(int gate, int address) const;
  // The only way editing, clearing, loading and shifting change a gate: redraws the mark and
  // marks the store as modified.
  void SetMpsGate(int gate, int address, bool on);
  // Redraws a mark only; used after whole masks were stored by SetGateMaskDirect. The marks
  // are made from the masks when drawn, so this only tells the listener the row changed.
  void ShowMpsGateMark(int gate, int address, bool on);
  // Stores a whole mask without touching MpsModified (the compact reader does this).
  void SetGateMaskDirect(int address, uint16_t mask);
  uint16_t GateMask(int address) const { return Row(address).GateMask(); }
  // The rows decoded for the processor, kept in step with every change of gates or next address.
  const MicroProgram& Program() const { return program_; }

  const std::string& Description(int address) const { return Row(address).Description(); }
  void SetDescription(int address, std::string_view text);
  // The next address as a byte, as every reader takes it.
  uint8_t NextAddress(int address) const { return Row(address).NextAddressValue(); }
  const std::string& NextAddressText(int address) const { return Row(address).NextAddress(); }
  void SetNextAddressText(int address, std::string_view text);
  void SetAddressLabel(int address, std::string_view text);

  // The mark of a gate cell: empty when clear, the gate's hex digit or "X" when set.
  std::string GateMark(int gate, int address) const;
  // Option "&Tornummern im MPS verwenden": digits while true, crosses while false.
  bool UseGateNumbers() const { return useGateNumbers_; }
  void SetUseGateNumbers(bool on);

  bool MpsModified() const { return modified_; }
  void SetMpsModified(bool modified) { modified_ = modified; }

  // Empty descriptions, no gates, labels = addresses, next address = address + 1 (FF -> 00).
  void ClearMps();

  // The text of a grid cell (header row and address column included).
  std::string CellText(int col, int row) const;

  // The highest address whose description is not empty or whose gate mask is not 0; -1 when
  // no row is used.
  int LastUsedAddress() const;

 private:
  void Changed();
  void Decode(int address);

  Rows rows_;
  MicroProgram program_;
  bool useGateNumbers_ = true;
  bool modified_ = false;
  MpsStoreListener* listener_ = nullptr;
};

}  // namespace vellar
