#include "ui/zoom.h"

#include <private/qhighdpiscaling_p.h>
#include <QApplication>
#include <QBackingStore>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace vellar::ui {

namespace {

constexpr char kOption[] = "--zoom";
constexpr char kSettingsKey[] = "Ansicht/Vergroesserung";

int current = 100;

QSettings Settings() {
  return QSettings(QStringLiteral("VellarD"), QStringLiteral("vellar"));
}

// Qt's own scale from the environment (QT_SCALE_FACTOR), which the zoom multiplies.
qreal BaseFactor() {
  bool ok = false;
  const qreal factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
  return ok && factor > 0 ? factor : 1.0;
}

// Qt asks that the scale change before any window exists. Ours are hidden and their native
// windows destroyed, so that they come back at the new scale; the warning says nothing then.
QtMessageHandler previousHandler = nullptr;
void QuietScaleWarning(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtWarningMsg && text.startsWith(QLatin1String("QHighDpiScaling::setFactor"))) return;
  previousHandler(type, context, text);
}

void SetScale(int percent) {
  previousHandler = qInstallMessageHandler(QuietScaleWarning);
  QHighDpiScaling::setGlobalFactor(BaseFactor() * percent / 100.0);
  qInstallMessageHandler(previousHandler);
}

}  // namespace

bool IsZoomLevel(int percent) {
  return std::find(kZoomLevels.begin(), kZoomLevels.end(), percent) != kZoomLevels.end();
}

ZoomArgument TakeZoomArgument(std::vector<std::string>& args) {
  ZoomArgument result;
  std::vector<std::string> rest;
  const std::string prefix = std::string(kOption) + "=";
  for (size_t i = 0; i < args.size(); ++i) {
    std::string value;
    if (args[i] == kOption) {
      value = i + 1 < args.size() ? args[++i] : std::string();
    } else if (args[i].rfind(prefix, 0) == 0) {
      value = args[i].substr(prefix.size());
    } else {
      rest.push_back(args[i]);
      continue;
    }
    bool ok = false;
    const int percent = QString::fromStdString(value).toInt(&ok);
    if (ok && IsZoomLevel(percent)) {
      result.percent = percent;
      result.error.clear();
    } else {
      result.error = "vellar: Die Vergrößerung „" + value +
                     "“ gibt es nicht; möglich sind 100, 125, 150 und 200.";
    }
  }
  args = std::move(rest);
  return result;
}

int StoredZoom() {
  const int percent = Settings().value(QLatin1String(kSettingsKey), 100).toInt();
  return IsZoomLevel(percent) ? percent : 100;
}

void StoreZoom(int percent) {
  Settings().setValue(QLatin1String(kSettingsKey), percent);
}

int CurrentZoom() {
  return current;
}

bool ZoomFits(int percent, QSize minimumOuter, QSize available, int availableAt) {
  // In whole numbers: minimum * percent / 100 <= available * availableAt / 100.
  return minimumOuter.width() * percent <= available.width() * availableAt &&
         minimumOuter.height() * percent <= available.height() * availableAt;
}

int FittingZoom(int percent, QSize minimumOuter, QSize available, int availableAt) {
  if (ZoomFits(percent, minimumOuter, available, availableAt)) return percent;
  int best = kZoomLevels.front();
  for (int level : kZoomLevels) {
    if (level < percent && ZoomFits(level, minimumOuter, available, availableAt)) best = level;
  }
  return best;
}

int StartZoom(int wanted, QSize minimumOuter) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return wanted;
  return FittingZoom(wanted, minimumOuter, screen->availableGeometry().size());
}

void ApplyZoom(int percent) {
  if (!IsZoomLevel(percent) || percent == current) return;
  current = percent;
  const QWidgetList windows = QApplication::topLevelWidgets();
  QWidgetList shown;
  for (QWidget* window : windows) {
    if (window->isVisible()) shown.append(window);
  }
  QWidget* active = QApplication::activeWindow();
  for (QWidget* window : shown) window->hide();
  SetScale(percent);
  for (QWidget* window : windows) {
    if (QWindow* handle = window->windowHandle()) handle->destroy();
  }
  for (QWidget* window : shown) window->show();
  // Its size in its own pixels is the same, so Qt neither gives it more pixels to draw into
  // nor draws it anew by itself. The same holds for a hidden menu that opens again later: it
  // would draw into the pixels it had before and lose its last items.
  for (QWidget* window : windows) {
    if (QBackingStore* store = window->backingStore()) store->resize(window->size());
    window->update();
  }
  if (active != nullptr && active->isVisible()) active->activateWindow();
}

}  // namespace vellar::ui
