#pragma once

#include <QLabel>

// The middle column's portrait (ImBild) and its explanatory text (MoBild): a click on either
// shows the other in its place.
namespace vellar::ui {

class Portrait {
 public:
  explicit Portrait(QWidget* parent);

  QLabel* ImBild() const { return imBild_; }
  QLabel* MoBild() const { return moBild_; }

  void ImBildClick();
  void MoBildClick();

 private:
  QLabel* imBild_;
  QLabel* moBild_;
};

}  // namespace vellar::ui
