#include "app/key_hook.h"

#include "app/control_flags.h"
#include "app/mps_editor.h"
#include "app/ram_editor.h"
#include "app/run_control.h"
#include "app/step_back.h"

namespace vellar {

bool KeyHook::OnAppMessage(const KeyMessage& message) {
  // The focus as the frontend reports it: one control at a time, whatever a dialog did to the
  // grids' enter and exit handlers. So a key acts in one grid and makes one step.
  const Control focused = p_.frontend.FocusedControl();
  const bool mpsGridFocused = focused == Control::MpsGrid;
  const bool ramGridFocused = focused == Control::RamGrid;
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
      if (!mpsGridFocused && !p_.flags.GridEditing) {
        p_.run.BuTaktClick(std::nullopt);
        handled = true;
      }
      break;
    case KeyCode::Insert:
    case KeyCode::Delete: {
      if (!ctrlHeld_) break;
      const bool insert = message.key == KeyCode::Insert;
      if (mpsGridFocused) {
        insert ? p_.mpsEditor.InsertMpsRow() : p_.mpsEditor.DeleteMpsRow();
        if (insert) p_.frontend.Invalidate(kRedrawRamGrid);
        handled = true;
      } else if (ramGridFocused) {
        insert ? p_.ramEditor.InsertRamLine() : p_.ramEditor.DeleteRamLine();
        handled = true;
      }
      break;
    }
    case KeyCode::Backspace:
      // "Schritt zurück", where the key does not erase a character or a gate.
      if (!mpsGridFocused && !p_.flags.GridEditing && focused != Control::RegisterField) {
        p_.stepBack.StepBackClick();
        handled = true;
      }
      break;
    case KeyCode::HexDigit:
      if (ctrlHeld_ && !message.altHeld) p_.run.TorClick(message.hexDigit);
      break;
    default:
      break;
  }
  return handled;
}

}  // namespace vellar
