#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <string_view>

#include "app/form_controls.h"
#include "core/cell_look.h"

class QApplication;
class QFocusEvent;
class QWidget;

// The window's colours and fonts in one place. Sizes are pixels and are not scaled with the
// screen resolution.
class QDialog;

namespace vellar::ui {

inline constexpr QColor ToQColor(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

inline constexpr QColor kButtonFace{240, 240, 240};
inline constexpr QColor kActiveBorder = ToQColor(kControlColour);
inline constexpr QColor kProcessorColor = ToQColor(kProcessorColour);
inline constexpr QColor kBusColor = ToQColor(kBusColour);
inline constexpr QColor kRamColor = ToQColor(kRamColour);
// Behind OP and in the executing MPS row.
inline constexpr QColor kOpGreen = ToQColor(kSoftGreen);
// Behind IP and AR and in the IP line of the RAM grid.
inline constexpr QColor kIpBlue = ToQColor(vellar::kIpBlue);
inline constexpr QColor kOpText = ToQColor(kOpTextColour);
inline constexpr QColor kIpText = ToQColor(kIpTextColour);
inline constexpr QColor kVariableColor = ToQColor(kVariableBlue);
inline constexpr QColor kManualText = ToQColor(kSilver);
inline constexpr QColor kGridLine{160, 160, 160};

// "System", bold: a bold sans stands in.
QFont WindowFont(int pixelSize = 13);
// Arial, for panel captions.
QFont CaptionFont(int pixelSize, bool bold = true);
// Courier New bold 13 px for the grids; Liberation Mono where Courier New is missing.
QFont GridFont();

// Style, palette, fonts and the name shown in message boxes, for the whole application.
void ConfigureApplication(QApplication& app);

// Focus that comes and goes with another window (a message box, a dialog) is no entering or
// leaving of a control.
bool IsWindowSwitch(const QFocusEvent& event);

// Runs a modal dialog, then gives the keyboard back to the window below it: without a window
// manager nothing else does, and the grids would take no keys until clicked.
int RunModal(QDialog& dialog);

// A widget whose background is filled with a colour of its own.
void SetBackground(QWidget* widget, const QColor& color);

// A text built into the program, such as ":/info.txt"; line ends as "\n".
QString ResourceText(const char* path);

inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace vellar::ui
