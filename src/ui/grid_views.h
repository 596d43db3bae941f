#pragma once

#include "core/cell_look.h"
#include "ui/string_grid.h"

class QMenu;

// The three grids of the window over their models: the MPS, the RAM in its two views, and
// the variable inspector. Every event goes to the session's handlers; the grids show what
// the session then holds. Each grid gets only the parts it shows and forwards to.
namespace vellar {
class MpsEditor;
class MpsStore;
class RamEditor;
class RamGrid;
class VariableInspector;
struct MpsGrid;
}  // namespace vellar

namespace vellar::ui {

// What the MPS grid shows and forwards to.
struct MpsGridParts {
  const MpsStore& mps;
  const MpsGrid& grid;
  MpsEditor& editor;
};

// What the RAM grid shows and forwards to; its popup defines and removes variables.
struct RamGridParts {
  const RamGrid& grid;
  RamEditor& editor;
  VariableInspector& inspector;
};

// A grid whose cells the session describes (text, alignment, colours): drawn by that, and
// edited with the text where the cell shows it.
class LookGrid : public StringGrid {
 public:
  using StringGrid::StringGrid;

 protected:
  virtual CellLook Look(int col, int row) const = 0;
  void DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                const CellState& state) override;
  bool EditLeftAligned(GridCell cell) const override;
};

class MpsGridView : public LookGrid {
 public:
  MpsGridView(QWidget* parent, const MpsGridParts& parts);
  int ColCount() const override;
  int RowCount() const override;
  int ColWidth(int col) const override;
  GridCell Current() const override;
  bool HasSelection() const override;

 protected:
  CellLook Look(int col, int row) const override;
  QString EditText(GridCell cell) const override;
  bool EditsOnDoubleClick(GridCell cell) const override;
  const CellEditor& ModelEditor() const override;
  bool EditorAlwaysShown() const override;
  void SetEditText(GridCell cell, const QString& text) override;
  void SelectCell(GridCell cell) override;
  void MouseDown(GridCell cell, Qt::MouseButton button, QPoint globalPos) override;
  void KeyDown(const QKeyEvent& event) override;

 private:
  MpsGridParts p_;
};

class RamGridView : public LookGrid {
 public:
  RamGridView(QWidget* parent, const RamGridParts& parts);
  int ColCount() const override;
  int RowCount() const override;
  int ColWidth(int col) const override;
  GridCell Current() const override;
  // The data view scrolls sideways only; the assembler view both ways.
  void ApplyScrollBars();
  // PopupMenu1, which a right click opens while the inspector is shown.
  QMenu* Popup() const { return popup_; }

 protected:
  CellLook Look(int col, int row) const override;
  QString EditText(GridCell cell) const override;
  const CellEditor& ModelEditor() const override;
  bool EditorAlwaysShown() const override;
  void SetEditText(GridCell cell, const QString& text) override;
  void SelectCell(GridCell cell) override;
  void MouseDown(GridCell cell, Qt::MouseButton button, QPoint globalPos) override;

 private:
  RamGridParts p_;
  QMenu* popup_;
};

class InspectorView : public StringGrid {
 public:
  InspectorView(QWidget* parent, VariableInspector& inspector);
  int ColCount() const override;
  int RowCount() const override;
  int ColWidth(int col) const override;
  GridCell Current() const override;
  bool HasSelection() const override { return Entered(); }

 protected:
  void DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                const CellState& state) override;
  QString EditText(GridCell cell) const override;
  const CellEditor& ModelEditor() const override;
  bool EditorAlwaysShown() const override;
  void SetEditText(GridCell cell, const QString& text) override;
  void SelectCell(GridCell cell) override;

 private:
  VariableInspector& inspector_;
};

}  // namespace vellar::ui
