#include "ui/grid_editor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "core/cell_look.h"
#include "ui/string_grid.h"

namespace vellar::ui {

GridEditor::GridEditor(StringGrid& grid) : QLineEdit(grid.viewport()), grid_(grid) {
  setObjectName("CellEditor");
  setFrame(false);
  setFont(grid.font());
  SetLeftAligned(true);
  setContextMenuPolicy(Qt::NoContextMenu);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  setPalette(palette);
  hide();
  connect(this, &QLineEdit::textEdited, this,
          [this](const QString& text) { grid_.EditorEdited(text); });
}

void GridEditor::SetLeftAligned(bool left) {
  leftAligned_ = left;
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceText();
}

void GridEditor::PlaceText() {
  // The line edit keeps a margin of 2 pixels at the sides and 1 at the top of its own; the
  // cells draw their text inset, or centred.
  constexpr int kOwnSide = 2;
  constexpr int kOwnTop = 1;
  int left = kCellTextLeftInset - kOwnSide;
  if (!leftAligned_) {
    const qreal textWidth = fontMetrics().horizontalAdvance(text());
    left = std::max(0, qRound((width() - textWidth) / 2) - kOwnSide);
  }
  if (textMargins().left() != left) setTextMargins(left, kCellTextTopInset - kOwnTop, 0, 0);
}

void GridEditor::keyPressEvent(QKeyEvent* event) {
  // The grid's model takes the keys that end editing or move between cells; the rest are the
  // line edit's own.
  if (grid_.EditorKey(*event)) return;
  QLineEdit::keyPressEvent(event);
}

void GridEditor::mousePressEvent(QMouseEvent* event) {
  // The other buttons belong to the grid (the RAM grid's popup menu); so does a click that
  // found the editor closed by the focus it brought.
  if (event->button() != Qt::LeftButton || isHidden()) {
    grid_.MousePress(mapTo(grid_.viewport(), event->position().toPoint()), event->button(),
                     event->globalPosition().toPoint(), false);
    event->accept();
    return;
  }
  // A click that brings the window back from another one marks the text, as a click on a cell
  // does: the next key replaces it, wherever the click put the caret.
  const bool activating = !window()->isActiveWindow();
  QLineEdit::mousePressEvent(event);
  if (activating) selectAll();
}

void GridEditor::SetTextColour(const QColor& colour) {
  if (palette().color(QPalette::Text) == colour) return;
  QPalette shown = palette();
  shown.setColor(QPalette::Text, colour);
  setPalette(shown);
}

void GridEditor::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  grid_.FocusGained(event->reason() == Qt::MouseFocusReason);
}

void GridEditor::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  grid_.FocusLost(*event);
}

}  // namespace vellar::ui
