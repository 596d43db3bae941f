#pragma once

#include "app/frontend.h"
#include "mps/mps_grid.h"
#include "mps/mps_store.h"

// Editing the micro-program store through its grid.
namespace vellar {

class MpsEditor {
 public:
  MpsEditor(MpsStore& mps, MpsGrid& grid, Frontend& frontend);

  // Ctrl+Insert and Ctrl+Delete at the grid's current row.
  void InsertMpsRow();
  void DeleteMpsRow();

 private:
  int CurrentAddress() const;

  MpsStore& mps_;
  MpsGrid& grid_;
  Frontend& frontend_;
};

}  // namespace vellar
