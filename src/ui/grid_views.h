#pragma once

#include "ui/string_grid.h"

// The three grids of the window over their models: the MPS, the RAM in its two views, and
// the variable inspector. Their editing comes with the editors.
namespace vellar {
class Session;
}

namespace vellar::ui {

class MpsGridView : public StringGrid {
 public:
  MpsGridView(QWidget* parent, const Session& session);
  int ColCount() const override;
  int RowCount() const override;
  int ColWidth(int col) const override;
  GridCell Current() const override;
  bool HasSelection() const override;

 protected:
  void DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                const CellState& state) override;

 private:
  const Session& session_;
};

class RamGridView : public StringGrid {
 public:
  RamGridView(QWidget* parent, const Session& session);
  int ColCount() const override;
  int RowCount() const override;
  int ColWidth(int col) const override;
  GridCell Current() const override;
  // The data view scrolls sideways only; the assembler view both ways.
  void ApplyScrollBars();

 protected:
  void DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                const CellState& state) override;

 private:
  const Session& session_;
};

class InspectorView : public StringGrid {
 public:
  InspectorView(QWidget* parent, const Session& session);
  int ColCount() const override;
  int RowCount() const override;
  int ColWidth(int col) const override;
  GridCell Current() const override { return {1, 1}; }
  bool HasSelection() const override { return false; }

 protected:
  void DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                const CellState& state) override;

 private:
  const Session& session_;
};

}  // namespace vellar::ui
