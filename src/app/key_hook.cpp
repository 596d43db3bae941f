#include "app/key_hook.h"

#include "app/session.h"

namespace vellar {

bool KeyHook::OnAppMessage(const KeyMessage& message) {
  // The focus as the grids' enter and exit handlers keep it.
  const bool mpsGridFocused = session_.mpsEditor.MpsGridFocused();
  const bool ramGridFocused = session_.ramEditor.GridFocused();
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
      if (!mpsGridFocused && !session_.flags.GridEditing) {
        session_.run.BuTaktClick(std::nullopt);
        handled = true;
      }
      break;
    case KeyCode::Insert:
    case KeyCode::Delete: {
      if (!ctrlHeld_) break;
      const bool insert = message.key == KeyCode::Insert;
      if (mpsGridFocused) {
        insert ? session_.mpsEditor.InsertMpsRow() : session_.mpsEditor.DeleteMpsRow();
        if (insert) session_.frontend.Invalidate(kRedrawRamGrid);
        handled = true;
      }
      // The RAM grid shows its cell editor exactly while it has the focus.
      if (ramGridFocused) {
        insert ? session_.ramEditor.InsertRamLine() : session_.ramEditor.DeleteRamLine();
        handled = true;
      }
      break;
    }
    case KeyCode::Backspace:
      // "Schritt zurück", where the key does not erase a character or a gate.
      if (!mpsGridFocused && !session_.flags.GridEditing &&
          session_.frontend.FocusedControl() != Control::RegisterField) {
        session_.stepBack.StepBackClick();
        handled = true;
      }
      break;
    case KeyCode::HexDigit:
      if (ctrlHeld_ && !message.altHeld) session_.TorClick(message.hexDigit);
      break;
    default:
      break;
  }
  return handled;
}

}  // namespace vellar
