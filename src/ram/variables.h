#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/machine.h"

// The variable inspector's list: one column per variable (address text, name, value), in the
// order of definition. An empty list still has one column, the placeholder, whose address
// cell holds "?"; that column never names a variable.
namespace vellar {

struct VariableColumn {
  std::string address;  // as defined or read; "?" marks the placeholder
  std::string name;
  std::string value;
  friend bool operator==(const VariableColumn&, const VariableColumn&) = default;
};

class VariableList {
 public:
  static constexpr std::string_view kPlaceholder = "?";
  static constexpr int kRows = 3;

  VariableList() { Clear(); }

  // Back to the single placeholder column.
  void Clear();

  // The variable columns counted from 1, as the inspector grid shows them after its caption
  // column; the placeholder is column 1 of an empty list.
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  const VariableColumn& Column(int index) const { return columns_[index - 1]; }
  VariableColumn& Column(int index) { return columns_[index - 1]; }
  static bool IsPlaceholder(const VariableColumn& c) { return c.address == kPlaceholder; }

  // True when at least one variable is defined.
  bool HasVariables() const { return !IsPlaceholder(columns_.back()); }

  // Reuses the placeholder column or adds one; returns its index, 0 for the address "?",
  // which is refused.
  int Append(std::string_view addressText, std::string_view name);

  // Removes every column whose address text equals the text; the last one removed becomes
  // the placeholder. Returns how many were removed.
  int Remove(std::string_view addressText);

  // Values from memory; a placeholder's name and value are emptied.
  void UpdateVariables(const std::array<uint8_t, kRamSize>& ram);

  // Whether a cell address (as two hex digits) is marked as variable.
  bool IsVariableAddress(std::string_view hexAddress) const;

  friend bool operator==(const VariableList&, const VariableList&) = default;

 private:
  std::vector<VariableColumn> columns_;
};

}  // namespace vellar
