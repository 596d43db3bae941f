#pragma once

#include <QSlider>
#include <array>

#include "app/ram_view.h"
#include "app/run_control.h"
#include "ui/panel_parts.h"

class QLabel;
class QPushButton;
class QRadioButton;

// PaControl, the strip along the bottom: gate control, the run buttons, the clock-time slider
// with its label, the RAM view selector and the hint on inserting and deleting lines.
namespace vellar::ui {

// TrZeit: a lower position is faster. Up and Left go one lower, Down and Right one higher,
// PageUp and PageDown two, Home and End to the ends.
class ClockSlider : public QSlider {
 public:
  explicit ClockSlider(QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

class ControlPanel : public ColourPanel {
 public:
  ControlPanel(QWidget* parent, RunControl& run, RamView& ramView);

  // Shows the run control's state: gate control, visible buttons, slider, label, RAM view.
  void Sync();

  // The checked item of "Torsteuerung" takes the focus.
  void FocusGateControl();

  QSlider* TrZeit() const { return trZeit_; }
  QPushButton* Button(RunButton b) const { return buttons_[static_cast<int>(b)]; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void AddRunButtons(QWidget* group);

  RunControl& run_;
  RamView& ramView_;
  QRadioButton* automatic_ = nullptr;
  QRadioButton* manual_ = nullptr;
  std::array<QPushButton*, kRunButtonCount> buttons_{};
  ClockSlider* trZeit_ = nullptr;
  QLabel* laZeit_ = nullptr;
  QRadioButton* dataView_ = nullptr;
  QRadioButton* assemblerView_ = nullptr;
  QWidget* raRam_ = nullptr;
  QWidget* hint_ = nullptr;
  std::array<QLabel*, 2> hintLines_{};
};

}  // namespace vellar::ui
