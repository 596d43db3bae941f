#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// TDlgHelp: the user help in a sizable modal dialog, the text read-only in a monospaced font,
// OK and Cancel at the bottom. A new one is built for every call.
namespace vellar::ui {

class TDlgHelp : public QDialog {
 public:
  // Outer size at creation; the frame is the window's.
  static constexpr QSize kOuterSize{480, 500};
  // The buttons stand this far above the bottom, the text panel ends this far above it.
  static constexpr int kButtonsFromBottom = 30;
  static constexpr int kPanelFromBottom = 40;

  explicit TDlgHelp(QWidget* owner);

  QWidget* Panel1() const { return panel1_; }
  QPlainTextEdit* Memo1() const { return memo1_; }
  QPushButton* OKBtn() const { return okBtn_; }
  QPushButton* CancelBtn() const { return cancelBtn_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* panel1_;
  QPlainTextEdit* memo1_;
  QPushButton* okBtn_;
  QPushButton* cancelBtn_;
};

}  // namespace vellar::ui
