#pragma once

#include "app/frontend.h"

// The application-wide key hook: it sees every key message before the focused control and
// may keep it from it.
namespace vellar {

class MpsEditor;
class RamEditor;
class RunControl;
class StepBack;
struct ControlFlags;

// Keys as the hook tells them apart. Letters and digits are the keys themselves, whatever
// Shift says; the numeric keypad's digits are other keys.
enum class KeyCode { Other, Control, Alt, Space, Insert, Delete, HexDigit, Backspace };

struct KeyMessage {
  bool down = true;
  KeyCode key = KeyCode::Other;
  int hexDigit = 0;      // 0..15 for KeyCode::HexDigit
  bool altHeld = false;  // whether Alt is held at this moment
};

class KeyHook {
 public:
  // What the keys reach: the grids' row shifting, the run control with its gate buttons,
  // stepping back, and the flag that tells a cell being typed into.
  struct Parts {
    MpsEditor& mpsEditor;
    RamEditor& ramEditor;
    RunControl& run;
    StepBack& stepBack;
    const ControlFlags& flags;
    Frontend& frontend;
  };

  explicit KeyHook(const Parts& parts) : p_(parts) {}

  // Returns true when the message is handled and must not reach the focused control.
  bool OnAppMessage(const KeyMessage& message);

  bool CtrlHeld() const { return ctrlHeld_; }

 private:
  Parts p_;
  bool ctrlHeld_ = false;
};

}  // namespace vellar
