#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QRect>
#include <functional>

#include "core/grid.h"

class QKeyEvent;

// A string grid as the models describe it: one fixed header row and column, rows of 20
// pixels, one-pixel grid lines, the column widths and the current cell of its model. It
// scrolls by whole rows and columns and keeps the header row and column in place.
//
// Its cells are edited in place: typing into the current cell opens a line edit over it that
// hands its whole text to the model after every keystroke, and shows the cell as the model
// leaves it (closed, corrected, or selected so that the next key replaces it).
namespace vellar::ui {

class GridEditor;

struct CellState {
  bool fixed = false;
  bool selected = false;
};

class StringGrid : public QAbstractScrollArea {
 public:
  static constexpr int kRowHeight = 20;
  static constexpr int kLineWidth = 1;

  explicit StringGrid(QWidget* parent);

  virtual int ColCount() const = 0;
  virtual int RowCount() const = 0;
  virtual int ColWidth(int col) const = 0;
  virtual GridCell Current() const = 0;
  virtual bool HasSelection() const { return true; }

  // Reads the model's shape anew, brings the current cell into view when it has moved,
  // shows the cell editor as the model leaves it, and repaints.
  void Refresh();
  // Sizes the grid so that its client area is this large.
  void SetClientHeight(int height);
  void SetClientWidth(int width);

  int TopRow() const { return topRow_; }
  int LeftCol() const { return leftCol_; }
  // Scrolls so that the cell is visible.
  void ScrollIntoView(GridCell cell);
  // Called with true when the grid (or its cell editor) gets the focus, with false when the
  // focus leaves both.
  void SetFocusHandler(std::function<void(bool)> handler) { focusHandler_ = std::move(handler); }
  bool Entered() const { return entered_; }

  // A cell's rectangle in the viewport; empty when it is scrolled out of sight.
  QRect CellRect(int col, int row) const;
  // The cell under a viewport position, {-1, -1} beyond the last cell.
  GridCell CellAt(QPoint pos) const;
  // The in-place editor; hidden while no cell is being edited.
  GridEditor* Editor() const { return editor_; }

  // Draws a text as the grid's cells do: 2 pixels below the top, left-aligned 4 pixels in or
  // centred, over the cell filled first.
  static void DrawCellText(QPainter& painter, const QRect& rect, const QString& text,
                           bool leftAligned, const QColor& fill, const QColor& color);
  // The fill and text colour of a cell before any mark of its own.
  QColor DefaultFill(const CellState& state) const;
  QColor DefaultText(const CellState& state) const;

 protected:
  // Draws a cell's text and marks over the background the grid has painted.
  virtual void DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                        const CellState& state) = 0;

  // What the model says about editing, and where the grid's events go.
  virtual QString EditText(GridCell cell) const = 0;  // the text an opened editor starts with
  // Where the editor puts its text: as the cell draws it.
  virtual bool EditLeftAligned(GridCell /*cell*/) const { return true; }
  // A double click opens the editor, except on cells that a click itself changes.
  virtual bool EditsOnDoubleClick(GridCell /*cell*/) const { return true; }
  virtual const CellEditor& ModelEditor() const = 0;
  virtual bool EditorAlwaysShown() const = 0;
  virtual void SetEditText(GridCell cell, const QString& text) = 0;
  virtual void SelectCell(GridCell cell) = 0;
  // Any mouse button over the grid; {-1, -1} outside the cells.
  virtual void MouseDown(GridCell /*cell*/, Qt::MouseButton /*button*/, QPoint /*globalPos*/) {}
  // Every key that reaches the grid or its editor, before either acts on it.
  virtual void KeyDown(const QKeyEvent& /*event*/) {}

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  friend class GridEditor;
  // Whether the editor shows what the model says, or the user opened or closed it by a key.
  enum class EditorWish { Model, Open, Closed };
  struct EditorTarget {
    bool shown = false;
    GridCell cell{-1, -1};
    QString text;  // ignored when the editor keeps what it shows
    bool keepText = false;
  };

  void UpdateScrollBars();
  // The first scrolling row (column) that still fills the client area to its end.
  int LastTopRow() const;
  int LastLeftCol() const;
  int VisibleRows() const;
  bool IsCell(GridCell cell) const;

  // The arrow and page keys move the current cell; true when the key was one of them.
  bool Navigate(const QKeyEvent& event);
  // A key that the grid hands to its editor: a character, Backspace, or Enter, which opens
  // the editor with the caret at the end (F2 is the menu's).
  static bool OpensEditor(const QKeyEvent& event);
  void MoveTo(GridCell cell);
  void MousePress(QPoint pos, Qt::MouseButton button, QPoint globalPos);
  // afterEdit: the model has just taken a text and may want it selected.
  void SyncEditor(bool afterEdit = false);
  EditorTarget WantedEditor() const;
  void PlaceEditor();
  void CloseEditor();
  // Opens the editor on the current cell with its text, all of it selected.
  void OpenEditor();
  // The user ends editing with Enter or Esc.
  void EditorDone();
  void EditorEdited(const QString& text);
  // Focus moving between the grid and its editor is no entering or leaving. byPress: a mouse
  // press brought the focus, and the view stays as the user saw it when pressing, whatever
  // the entering selects: the press then finds the cell that was under the pointer.
  void FocusGained(bool byPress);
  void FocusLost(const QFocusEvent& event);
  // The focus went to this control. Left for another window (a file dialog), the grid saw
  // only a window switch; when the focus comes back to another control of this window, the
  // grid is left all the same.
  void FocusMoved(const QWidget* now);

  int topRow_ = 1;
  int leftCol_ = 1;
  GridCell shownCurrent_{-1, -1};
  // Entering by a press: a current cell moved meanwhile is not scrolled into view.
  bool keepView_ = false;
  std::function<void(bool)> focusHandler_;
  GridEditor* editor_;
  GridCell editorCell_{-1, -1};
  // The cell whose open editor was scrolled out of sight.
  GridCell parked_{-1, -1};
  QString shownCellText_;  // the cell's text when the editor last showed it
  EditorWish wish_ = EditorWish::Model;
  bool entered_ = false;
  // An edit is being handed to the model; a refresh meanwhile (from a message box's event
  // loop) leaves the editor alone.
  bool editing_ = false;
};

}  // namespace vellar::ui
