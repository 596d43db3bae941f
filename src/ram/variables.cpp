#include "ram/variables.h"

#include "core/hex.h"

namespace vellar {

void VariableList::Clear() {
  columns_.clear();
  columns_.push_back({std::string(kPlaceholder), {}, {}});
}

int VariableList::Append(std::string_view addressText, std::string_view name) {
  // A "?" address would be a second placeholder in the middle of the list.
  if (addressText == kPlaceholder) return 0;
  if (HasVariables()) columns_.push_back({});
  VariableColumn& column = columns_.back();
  column.address = addressText;
  column.name = name;
  column.value.clear();
  return ColumnCount();
}

int VariableList::Remove(std::string_view addressText) {
  int removed = 0;
  for (size_t i = 0; i < columns_.size();) {
    if (IsPlaceholder(columns_[i]) || columns_[i].address != addressText) {
      ++i;
      continue;
    }
    ++removed;
    if (columns_.size() == 1) {
      columns_[0] = {std::string(kPlaceholder), {}, {}};
      break;
    }
    columns_.erase(columns_.begin() + static_cast<std::ptrdiff_t>(i));
  }
  return removed;
}

void VariableList::UpdateVariables(const std::array<uint8_t, kRamSize>& ram) {
  for (VariableColumn& column : columns_) {
    if (IsPlaceholder(column)) {
      column.name.clear();
      column.value.clear();
    } else {
      WriteHexByte(column.value, ram[ParseHex(column.address) & 0xFF]);
    }
  }
}

bool VariableList::IsVariableAddress(std::string_view hexAddress) const {
  for (const VariableColumn& column : columns_) {
    if (!IsPlaceholder(column) && column.address == hexAddress) return true;
  }
  return false;
}

}  // namespace vellar
