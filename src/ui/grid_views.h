#pragma once

#include "core/cell_look.h"
#include "ui/string_grid.h"

class QMenu;

// The three grids of the window over their models: the MPS, the RAM in its two views, and
// the variable inspector. Every event goes to the session's grid editing; the grids show what
// the session then holds. Each grid gets only the parts it shows and forwards to.
namespace vellar {
class InspectorGridEditing;
class MpsEditor;
class MpsGridEditing;
class RamEditor;
class RamGrid;
class RamGridEditing;
class VariableInspector;
}  // namespace vellar

namespace vellar::ui {

// What the MPS grid shows and forwards to.
struct MpsGridParts {
  const MpsEditor& editor;
  MpsGridEditing& editing;
};

// What the RAM grid shows and forwards to; its popup defines and removes variables.
struct RamGridParts {
  const RamGrid& grid;
  const RamEditor& editor;
  VariableInspector& inspector;
  RamGridEditing& editing;
  InspectorGridEditing& inspectorEditing;
};

// A grid whose cells the session describes (text, alignment, colours), drawn by that.
class LookGrid : public StringGrid {
 public:
  using StringGrid::StringGrid;

 protected:
  virtual CellLook Look(int col, int row) const = 0;
  void DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                const CellState& state) override;
};

class MpsGridView : public LookGrid {
 public:
  MpsGridView(QWidget* parent, const MpsGridParts& parts);

 protected:
  CellLook Look(int col, int row) const override;

 private:
  const MpsEditor& editor_;
};

class RamGridView : public LookGrid {
 public:
  RamGridView(QWidget* parent, const RamGridParts& parts);
  // The data view scrolls sideways only; the assembler view both ways.
  void ApplyScrollBars();
  // PopupMenu1, which a right click opens while the inspector is shown.
  QMenu* Popup() const { return popup_; }

 protected:
  CellLook Look(int col, int row) const override;
  void OpenPopup(QPoint globalPos) override;

 private:
  const RamGrid& grid_;
  const RamEditor& editor_;
  QMenu* popup_;
};

class InspectorView : public StringGrid {
 public:
  InspectorView(QWidget* parent, const RamGridParts& parts);

 protected:
  void DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                const CellState& state) override;

 private:
  const VariableInspector& inspector_;
};

}  // namespace vellar::ui
