#pragma once

#include "core/cell_look.h"
#include "ui/handler_guard.h"
#include "ui/string_grid.h"

class QMenu;

// The three grids of the window over their models: the MPS, the RAM in its two views, and
// the variable inspector. Every event goes to the session's handlers; the grids show what
// the session then holds.
namespace vellar {
class Session;
}

namespace vellar::ui {

// What the three grids share: the session, and the guard every call into it goes through.
class SessionGrid : public StringGrid {
 public:
  SessionGrid(QWidget* parent, Session& session, HandlerGuard& guard)
      : StringGrid(parent), session_(session), guard_(guard) {}

 protected:
  template <class F>
  void Call(F&& handler) {
    guard_(std::forward<F>(handler));
  }

  Session& session_;

 private:
  HandlerGuard& guard_;
};

// A grid whose cells the session describes (text, alignment, colours): drawn by that, and
// edited with the text where the cell shows it.
class LookGrid : public SessionGrid {
 public:
  using SessionGrid::SessionGrid;

 protected:
  virtual CellLook Look(int col, int row) const = 0;
  void DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                const CellState& state) override;
  bool EditLeftAligned(GridCell cell) const override;
};

class MpsGridView : public LookGrid {
 public:
  MpsGridView(QWidget* parent, Session& session, HandlerGuard& guard);
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
};

class RamGridView : public LookGrid {
 public:
  RamGridView(QWidget* parent, Session& session, HandlerGuard& guard);
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
  QMenu* popup_;
};

class InspectorView : public SessionGrid {
 public:
  InspectorView(QWidget* parent, Session& session, HandlerGuard& guard);
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
};

}  // namespace vellar::ui
