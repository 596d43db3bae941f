#include "app/key_hook.h"

#include "app/session.h"

namespace vellar {

namespace {
bool IsGridOrInspector(Control c) {
  return c == Control::MpsGrid || c == Control::RamGrid || c == Control::RamInspector;
}
}  // namespace

bool KeyHook::OnAppMessage(const KeyMessage& message) {
  const Control focus = session_.frontend.FocusedControl();
  if (!message.down) {
    if (message.key == KeyCode::Control || message.key == KeyCode::Alt) ctrlHeld_ = false;
    return false;
  }
  bool handled = false;
  switch (message.key) {
    case KeyCode::Control:
      ctrlHeld_ = true;
      break;
    case KeyCode::Space:
      if (!IsGridOrInspector(focus)) {
        session_.run.BuTaktClick(std::nullopt);
        handled = true;
      }
      break;
    case KeyCode::Insert:
    case KeyCode::Delete: {
      if (!ctrlHeld_) break;
      const bool insert = message.key == KeyCode::Insert;
      if (focus == Control::MpsGrid) {
        insert ? session_.mpsEditor.InsertMpsRow() : session_.mpsEditor.DeleteMpsRow();
        if (insert) session_.frontend.Invalidate(kRedrawRamGrid);
        handled = true;
      }
      // The RAM grid's cell editor is active exactly while the grid has the focus.
      if (focus == Control::RamGrid) {
        insert ? session_.ramEditor.InsertRamLine() : session_.ramEditor.DeleteRamLine();
        handled = true;
      }
      break;
    }
    case KeyCode::HexDigit:
      if (ctrlHeld_ && !message.altHeld) session_.TorClick(message.hexDigit);
      break;
    default:
      break;
  }
  return handled;
}

}  // namespace vellar
